#include "file_names.h"

#include <algorithm>

namespace kdx {

bool isPlainFileName(std::string_view name)
{
    return !name.empty() && name.find_first_of("/\\:") == std::string_view::npos && name != "." && name != "..";
}

bool namesConfigFile(std::string_view name)
{
#ifdef _WIN32
    // Windows drops dots and blanks at the end of a name and ignores case.
    name = name.substr(0, name.find_last_not_of(". ") + 1);
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(name, ConfigFileName, [&](char a, char b) { return lower(a) == lower(b); });
#else
    return name == ConfigFileName;
#endif
}

} // namespace kdx
