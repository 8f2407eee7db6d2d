// The entry point of the kdxcfg tests, which run in a work folder under the build tree.
#include "cli_test_support.h"
#include "support/become_nobody.h"

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const std::filesystem::path work = kdx::files::pathFromUtf8(KDX_CLI_WORK_DIR);
    std::filesystem::create_directories(work); // each test empties a folder of its own in it
    kdx::test::permissionsIgnored = kdx::test::becomeNobody(work.string().c_str());
    return RUN_ALL_TESTS();
}
