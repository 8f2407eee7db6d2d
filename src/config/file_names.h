#pragma once

#include <string_view>

namespace kdx {

// The bot's configuration file, in the folder it configures.
inline constexpr std::string_view ConfigFileName = "KDX.cfg";

// True for a name that can only stand for a file directly inside a given folder:
// not empty, no folder separator ("/", "\"), no drive (":"), not "." or "..".
// Both front ends write a clean output only under such a name.
bool isPlainFileName(std::string_view name);

} // namespace kdx
