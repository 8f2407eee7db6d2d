#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

namespace kdx::files {

// What tells one file from another however a path reaches it: the device and
// inode, or on Windows the volume's serial number and the file index.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;

    bool operator==(const FileIdentity &) const = default;
};

// The identity of the file that a path names, a link followed; none where no
// file can be reached there.
std::optional<FileIdentity> identityOf(const std::filesystem::path &path);

using IdentityOf = std::function<std::optional<FileIdentity>(const std::filesystem::path &)>;

// True when two paths stand for one file: where both reach a file, when it is
// the same file (a link to it, another spelling of its name on a folder that
// ignores case); where either does not, when the names are the same by the
// system's rules (on Windows in any case, and with the dots and blanks after a
// name that Windows drops). "Is this the configuration file?" for both front ends.
bool sameFile(const std::filesystem::path &a, const std::filesystem::path &b, const IdentityOf &identity = identityOf);

} // namespace kdx::files
