#include "file_system.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kdx::files::system {
namespace {

// What the new file takes over from the file it replaces: owner, group and
// permissions; for a new file, what the umask gives.
struct Ownership {
    std::optional<uid_t> owner;
    std::optional<gid_t> group;
    mode_t mode;
};

Ownership ownershipFor(const fs::path &target)
{
    struct stat status {};
    if (stat(target.c_str(), &status) == 0)
        return {status.st_uid, status.st_gid, static_cast<mode_t>(status.st_mode & 07777)};
    const mode_t mask = umask(0);
    umask(mask);
    return {std::nullopt, std::nullopt, static_cast<mode_t>(0666 & ~mask)};
}

} // namespace

std::FILE *openForReading(const fs::path &path)
{
    return std::fopen(path.c_str(), "rb");
}

std::variant<NewFile, Failure> createBeside(const fs::path &target)
{
    std::string name = (folderOf(target) / ".").string();
    name.append(target.filename().string()).append(".XXXXXX");
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0)
        return failure(errno);
    return NewFile{name, descriptor};
}

int writeAndFlush(int descriptor, std::string_view bytes, const fs::path &target)
{
    const Ownership ownership = ownershipFor(target);
    while (!bytes.empty()) {
        const auto written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    // Owner and group only where the process may set them (root may, an owner
    // may pick one of its own groups); otherwise the new file is the writer's,
    // as with sed -i. Before the mode: a change of owner clears the set-user-ID
    // and set-group-ID bits.
    if (ownership.owner && fchown(descriptor, *ownership.owner, *ownership.group) != 0)
        (void)!fchown(descriptor, static_cast<uid_t>(-1), *ownership.group);
    if (fchmod(descriptor, ownership.mode) != 0)
        return errno;
    if (fsync(descriptor) != 0)
        return errno;
    return 0;
}

int close(int descriptor)
{
    return ::close(descriptor) == 0 ? 0 : errno;
}

std::optional<Failure> refusalToWriteFile(const fs::path &file)
{
    // A rename alone would not heed a file that is not writable.
    if (access(file.c_str(), W_OK) != 0)
        return failure(errno);
    return std::nullopt;
}

std::optional<Failure> refusalToWriteInto(const fs::path &folder)
{
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return failure(errno);
    return std::nullopt;
}

std::optional<Failure> renameOver(const fs::path &from, const fs::path &to)
{
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return failure(errno);
    // The rename lives in the folder: flushed, it survives a power cut. The file
    // is already replaced, so a file system that cannot flush a folder is no
    // failure of the write.
    const fs::path folder = folderOf(to);
    if (const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); fd >= 0) {
        (void)fsync(fd);
        ::close(fd);
    }
    return std::nullopt;
}

} // namespace kdx::files::system
