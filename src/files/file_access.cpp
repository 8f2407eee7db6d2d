#include "file_access.h"

#include "file_system.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace kdx::files {

namespace system {

Failure failure(int error)
{
    return {std::generic_category().message(error), error == ENOENT};
}

fs::path folderOf(const fs::path &file)
{
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

} // namespace system

namespace {

namespace fs = std::filesystem;
using system::failure;

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

// The new content beside the target until it is renamed over it; removed
// unless released.
class TemporaryFile {
public:
    static std::variant<TemporaryFile, Failure> createBeside(const fs::path &target)
    {
        auto created = system::createBeside(target);
        if (auto *creationFailure = std::get_if<Failure>(&created))
            return *creationFailure;
        auto &file = std::get<system::NewFile>(created);
        return TemporaryFile(std::move(file.path), file.descriptor);
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

    const fs::path &path() const { return path_; }

    // Writes all bytes, takes over what the target has, flushes and closes the
    // file; the error number of the first step that failed, or 0.
    int writeAndClose(std::string_view bytes, const fs::path &target)
    {
        if (const int error = system::writeAndFlush(fd_, bytes, target))
            return error;
        return closeFile();
    }

    void release() { path_.clear(); }

private:
    TemporaryFile(fs::path path, int fd) : path_(std::move(path)), fd_(fd) {}

    int closeFile()
    {
        if (fd_ < 0)
            return 0;
        const int error = system::close(fd_);
        fd_ = -1;
        return error;
    }

    fs::path path_;
    int fd_ = -1;
};

// Why an existing file may not be replaced, if it may not: a folder in its
// place, or a file that the process may not write.
std::optional<Failure> refusalToReplace(const fs::path &target)
{
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (status.type() == fs::file_type::not_found)
        return std::nullopt;
    if (status.type() == fs::file_type::directory)
        return failure(EISDIR);
    return system::refusalToWriteFile(target);
}

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
    const std::unique_ptr<std::FILE, FileCloser> file(system::openForReading(path));
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
    return system::refusalToWriteInto(system::folderOf(target));
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
    if (const int writeError = temporary.writeAndClose(bytes, target))
        return failure(writeError);
    if (asRead) {
        if (auto changed = changedSince(target, *asRead))
            return changed;
    }
    if (auto renameFailure = system::renameOver(temporary.path(), target))
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
