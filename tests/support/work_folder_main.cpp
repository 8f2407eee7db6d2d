// The entry point of the tests that work on real files, each in a folder of its
// own under the build tree; run as root, they first become "nobody" so that
// permission bits hold.
#include "support/work_folder_test.h"
#include "support/become_nobody.h"

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const std::filesystem::path work = kdx::files::pathFromUtf8(KDX_TEST_WORK_DIR);
    std::filesystem::create_directories(work); // each test empties a folder of its own in it
    kdx::test::permissionsIgnored = kdx::test::becomeNobody(work.string().c_str());
    return RUN_ALL_TESTS();
}
