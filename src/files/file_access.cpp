#include "file_access.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kdx::files {
namespace {

namespace fs = std::filesystem;

Failure failure(int error)
{
    return {std::generic_category().message(error), error == ENOENT};
}

std::FILE *openForReading(const fs::path &path)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

// The folder that holds the file; "." for a bare name.
fs::path folderOf(const fs::path &file)
{
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

#ifdef _WIN32
// ReplaceFileW carries the replaced file's attributes and access rights over.
struct Ownership {};

Ownership ownershipFor(const fs::path &)
{
    return {};
}
#else
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
#endif

// The new content beside the target until it is renamed over it; removed
// unless released.
class TemporaryFile {
public:
    // Creates a file of a name no other file has, in the target's folder.
    static std::variant<TemporaryFile, Failure> createBeside(const fs::path &target)
    {
        const fs::path folder = folderOf(target);
#ifdef _WIN32
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            const fs::path path = folder
                                  / (L"." + target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L"-"
                                     + std::to_wstring(attempt) + L".tmp");
            const int fd = _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
            if (fd >= 0)
                return TemporaryFile(path, fd);
            if (errno != EEXIST)
                return failure(errno);
        }
        return failure(EEXIST);
#else
        std::string name = (folder / ".").string();
        name.append(target.filename().string()).append(".XXXXXX");
        const int fd = mkstemp(name.data());
        if (fd < 0)
            return failure(errno);
        return TemporaryFile(name, fd);
#endif
    }

    TemporaryFile(TemporaryFile &&other) noexcept : path_(std::move(other.path_)), fd_(other.fd_)
    {
        other.fd_ = -1, other.path_.clear();
    }
    TemporaryFile &operator=(TemporaryFile &&) = delete;
    ~TemporaryFile()
    {
        closeFile();
        if (!path_.empty()) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }

    const fs::path &path() const
    {
        return path_;
    }

    // Writes all bytes, gives the file the owner and permissions it takes over,
    // flushes it to the disk and closes it; the error number of the first step
    // that failed, or 0.
    int writeAndClose(std::string_view bytes, [[maybe_unused]] const Ownership &ownership)
    {
        while (!bytes.empty()) {
#ifdef _WIN32
            const int written = _write(fd_, bytes.data(), static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30)));
#else
            const auto written = ::write(fd_, bytes.data(), bytes.size());
#endif
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
#ifdef _WIN32
        if (_commit(fd_) != 0)
            return errno;
#else
        // Owner and group only where the process may set them (root may, an
        // owner may pick one of its own groups); otherwise the new file is the
        // writer's, as with sed -i. Before the mode: a change of owner clears
        // the set-user-ID and set-group-ID bits.
        if (ownership.owner && fchown(fd_, *ownership.owner, *ownership.group) != 0)
            (void)!fchown(fd_, static_cast<uid_t>(-1), *ownership.group);
        if (fchmod(fd_, ownership.mode) != 0)
            return errno;
        if (fsync(fd_) != 0)
            return errno;
#endif
        return closeFile();
    }

    void release()
    {
        path_.clear();
    }

private:
    TemporaryFile(fs::path path, int fd) : path_(std::move(path)), fd_(fd) {}

    int closeFile()
    {
        if (fd_ < 0)
            return 0;
#ifdef _WIN32
        const int result = _close(fd_);
#else
        const int result = ::close(fd_);
#endif
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

    fs::path path_;
    int fd_ = -1;
};

// Why an existing file may not be replaced, if it may not: a folder in its
// place, or a file that is not writable (which a rename alone would not heed).
std::optional<Failure> refusalToReplace(const fs::path &target)
{
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (status.type() == fs::file_type::not_found)
        return std::nullopt;
    if (status.type() == fs::file_type::directory)
        return failure(EISDIR);
#ifndef _WIN32
    if (access(target.c_str(), W_OK) != 0)
        return failure(errno);
#endif
    return std::nullopt;
}

#ifdef _WIN32
Failure lastSystemFailure()
{
    return {std::system_category().message(static_cast<int>(GetLastError()))};
}

// An existing file is replaced by ReplaceFileW, which keeps its attributes and
// access rights (a rename would give the new file those of the temporary one);
// on failure both files keep their names. A new file is moved into place.
std::optional<Failure> renameOver(const fs::path &from, const fs::path &to)
{
    if (GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // Full paths: Wine's ReplaceFileW fails on relative ones ("Directory name invalid").
        std::error_code ignored;
        const fs::path replaced = fs::absolute(to, ignored), replacement = fs::absolute(from, ignored);
        if (ReplaceFileW(replaced.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return std::nullopt;
        if (GetLastError() != ERROR_FILE_NOT_FOUND) // gone meanwhile: moved into place below
            return lastSystemFailure();
    }
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
        return lastSystemFailure();
    return std::nullopt;
}
#else
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
#endif

// The file that a write of the path replaces: the one a link names.
fs::path fileBehind(const fs::path &path)
{
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        if (fs::path resolved = fs::canonical(path, error); !error)
            return resolved;
    }
    return path;
}

// The refusal to replace a file that no longer holds what was read: it holds
// other bytes, is gone (missing), or cannot be read now (with the reason).
std::optional<Failure> changedSince(const fs::path &target, const ContentAsRead &asRead)
{
    auto now = readWhole(target);
    if (const auto *bytes = std::get_if<std::string>(&now)) {
        if (asRead && *asRead == *bytes)
            return std::nullopt;
        return Failure{"the file was changed by another program since it was read", false, true};
    }
    Failure &unread = std::get<Failure>(now);
    if (!asRead && unread.missing)
        return std::nullopt;
    unread.changedSinceRead = true;
    unread.unreadableNow = !unread.missing;
    return unread;
}

} // namespace

std::variant<std::string, Failure> readWhole(const fs::path &path)
{
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(openForReading(path));
    if (!file)
        return failure(errno);
    std::string bytes;
    char buffer[1 << 16];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, count);
    if (std::ferror(file.get()))
        return failure(errno != 0 ? errno : EIO);
    return bytes;
}

std::optional<Failure> refusalToWrite(const fs::path &path)
{
    const fs::path target = fileBehind(path);
    if (auto refusal = refusalToReplace(target))
        return refusal;
#ifndef _WIN32
    const fs::path folder = folderOf(target);
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return failure(errno);
#endif
    return std::nullopt;
}

std::optional<Failure> writeAtomically(const fs::path &path, std::string_view bytes, const ContentAsRead *asRead)
{
    const fs::path target = fileBehind(path);
    if (auto refusal = refusalToReplace(target))
        return refusal;

    auto created = TemporaryFile::createBeside(target);
    if (auto *creationFailure = std::get_if<Failure>(&created))
        return *creationFailure;
    auto &temporary = std::get<TemporaryFile>(created);
    if (const int writeError = temporary.writeAndClose(bytes, ownershipFor(target)))
        return failure(writeError);
    if (asRead) {
        if (auto changed = changedSince(target, *asRead))
            return changed;
    }
    if (auto renameFailure = renameOver(temporary.path(), target))
        return renameFailure;
    temporary.release();
    return std::nullopt;
}

fs::path pathFromUtf8(std::string_view utf8)
{
    return {std::u8string(utf8.begin(), utf8.end())};
}

std::string utf8FromPath(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

} // namespace kdx::files
