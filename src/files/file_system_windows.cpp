#include "file_system.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <sys/stat.h>
#include <system_error>

namespace kdx::files::system {
namespace {

Failure lastSystemFailure()
{
    return {std::system_category().message(static_cast<int>(GetLastError()))};
}

} // namespace

std::FILE *openForReading(const fs::path &path)
{
    return _wfopen(path.c_str(), L"rb");
}

std::variant<NewFile, Failure> createBeside(const fs::path &target)
{
    const fs::path folder = folderOf(target);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const fs::path path = folder
                              / (L"." + target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L"-"
                                 + std::to_wstring(attempt) + L".tmp");
        const int descriptor = _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (descriptor >= 0)
            return NewFile{path, descriptor};
        if (errno != EEXIST)
            return failure(errno);
    }
    return failure(EEXIST);
}

// ReplaceFileW carries the replaced file's attributes and access rights over,
// so the new file takes nothing over here.
int writeAndFlush(int descriptor, std::string_view bytes, const fs::path &)
{
    while (!bytes.empty()) {
        const int written =
            _write(descriptor, bytes.data(), static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30)));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return _commit(descriptor) != 0 ? errno : 0;
}

int close(int descriptor)
{
    return _close(descriptor) == 0 ? 0 : errno;
}

// Nothing is told beforehand here: the replacement says why it fails.
std::optional<Failure> refusalToWriteFile(const fs::path &)
{
    return std::nullopt;
}

std::optional<Failure> refusalToWriteInto(const fs::path &)
{
    return std::nullopt;
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

} // namespace kdx::files::system
