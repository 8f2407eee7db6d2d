#include "file_identity.h"

#include <algorithm>

namespace kdx::files {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
// Windows ignores case and drops the dots and blanks that end a name.
fs::path::string_type comparable(const fs::path &path)
{
    fs::path::string_type text = path.lexically_normal().native();
    text.erase(text.find_last_not_of(L". ") + 1);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; });
    return text;
}
#else
fs::path::string_type comparable(const fs::path &path)
{
    return path.lexically_normal().native();
}
#endif

} // namespace

bool sameFile(const fs::path &a, const fs::path &b, const IdentityOf &identity)
{
    const std::optional<FileIdentity> first = identity(a);
    const std::optional<FileIdentity> second = identity(b);
    if (first && second)
        return *first == *second;
    return comparable(a) == comparable(b);
}

} // namespace kdx::files
