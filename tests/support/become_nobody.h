#pragma once

#include <cerrno>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace kdx::test {

// Root passes every permission check, so a test run as root goes on as the user
// "nobody", after giving it `workFolder` (if any). Where "nobody" could not
// reach that folder (the sources below /root, say), the run stays root. Returns
// why permission bits will not apply to the rest of the run; empty where they do.
inline std::string becomeNobody(const char *workFolder = nullptr)
{
#ifdef _WIN32
    (void)workFolder;
    return "Windows has no permission bits of this kind";
#else
    if (geteuid() != 0)
        return {};
    const passwd *nobody = getpwnam("nobody");
    if (nobody == nullptr)
        return "running as root, and there is no user \"nobody\" to become";
    if ((workFolder && chown(workFolder, nobody->pw_uid, nobody->pw_gid) != 0) || setgroups(0, nullptr) != 0)
        return std::string("running as root, which cannot become \"nobody\": ") + std::strerror(errno);
    if (workFolder) {
        // Tried with the effective ids alone, which root can take back.
        const bool reachable = setegid(nobody->pw_gid) == 0 && seteuid(nobody->pw_uid) == 0
                               && faccessat(AT_FDCWD, workFolder, R_OK | W_OK | X_OK, AT_EACCESS) == 0;
        const int reason = errno;
        if (seteuid(0) != 0 || setegid(0) != 0)
            return std::string("running as root, which cannot become root again: ") + std::strerror(errno);
        if (!reachable)
            return std::string("running as root, and \"nobody\" cannot reach ") + workFolder + ": " + std::strerror(reason);
    }
    if (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0)
        return std::string("running as root, which cannot become \"nobody\": ") + std::strerror(errno);
    return {};
#endif
}

} // namespace kdx::test
