#pragma once

#include "file_access.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <variant>

// What the file library asks of the system, one implementation per system:
// file_system_posix.cpp and file_system_windows.cpp. Internal to the library.
namespace kdx::files::system {

namespace fs = std::filesystem;

// A failure with the system's words for an error number.
Failure failure(int error);

// The folder that holds the file; "." for a bare name.
fs::path folderOf(const fs::path &file);

// The file opened for reading bytes, or null with errno set.
std::FILE *openForReading(const fs::path &path);

// A new file of a name no other file has, in the target's folder, open for
// writing: its path and descriptor.
struct NewFile {
    fs::path path;
    int descriptor;
};
std::variant<NewFile, Failure> createBeside(const fs::path &target);

// Writes all bytes to the new file, gives it what it takes over from the
// target it will replace (owner, group and permissions, where the system
// carries them this way) and flushes it to the disk; the error number of the
// first step that failed, or 0.
int writeAndFlush(int descriptor, std::string_view bytes, const fs::path &target);

// Closes the file; its error number, or 0.
int close(int descriptor);

// Why the process may not write the existing file, or files into the folder,
// where the system tells it beforehand; none where it may or cannot tell.
std::optional<Failure> refusalToWriteFile(const fs::path &file);
std::optional<Failure> refusalToWriteInto(const fs::path &folder);

// Puts the new file in the target's place, so that the target holds either its
// old content or the new one, also after a power cut.
std::optional<Failure> renameOver(const fs::path &from, const fs::path &to);

} // namespace kdx::files::system
