#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// Whole-file reading and atomic replacement without Qt, for both front ends:
// kdxcfg and the window's platform. The core (src/config) stays free of files;
// this is the thin layer around it.
namespace kdx::files {

struct Failure {
    std::string reason;            // the system's words ("Permission denied")
    bool missing = false;          // the file does not exist
    bool changedSinceRead = false; // refused: the file no longer holds what was read; with missing it is gone,
    bool unreadableNow = false;    // and with this it cannot be read now, for the reason given
};

// The whole file, byte for byte, or why it could not be read.
std::variant<std::string, Failure> readWhole(const std::filesystem::path &path);

// What a file held when it was read: its bytes, or std::nullopt when it did not
// exist. Passed to writeAtomically so that it replaces only that.
using ContentAsRead = std::optional<std::string>;

// Replaces the file's content as a whole: the bytes go to a new file in the same
// folder, which is flushed to the disk and then renamed over the file, and the
// folder is flushed so that the rename survives a power cut (on Windows an
// existing file is replaced by ReplaceFileW, a new one moved into place by
// MoveFileExW). A link is followed to the file it names. An existing file keeps
// its permissions, and its owner and group where the process may set them (as
// root); a read-only one is refused. On failure the file is left exactly as it
// was, no temporary file remains, and the reason is returned. With asRead, the
// write is refused (changedSinceRead) when the file no longer holds that
// content just before the rename.
std::optional<Failure> writeAtomically(const std::filesystem::path &path, std::string_view bytes,
                                       const ContentAsRead *asRead = nullptr);

// Why writeAtomically would be refused before it writes a byte, as far as can
// be told without writing: a folder in the file's place, a read-only file, a
// folder in which no file can be made (on Windows only the first two). For a
// run that only shows what it would write.
std::optional<Failure> refusalToWrite(const std::filesystem::path &path);

// A path from UTF-8 text and back, on every system (Windows keeps wide paths).
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8FromPath(const std::filesystem::path &path);

} // namespace kdx::files
