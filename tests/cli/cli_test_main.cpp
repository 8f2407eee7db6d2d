// The entry point of the kdxcfg tests. Root passes every permission check, so a
// run as root goes on as the user "nobody", in a work folder that it owns.
#include "cli_test_support.h"

#ifndef _WIN32
#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#endif

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const std::filesystem::path work = kdx::files::pathFromUtf8(KDX_CLI_WORK_DIR);
    std::filesystem::create_directories(work); // each test empties a folder of its own in it
#ifndef _WIN32
    if (geteuid() == 0) {
        const passwd *nobody = getpwnam("nobody");
        if (nobody && chown(work.c_str(), nobody->pw_uid, nobody->pw_gid) == 0
            && (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0)) {
            std::fprintf(stderr, "cannot drop the privileges of root\n");
            return 1;
        }
    }
#endif
    return RUN_ALL_TESTS();
}
