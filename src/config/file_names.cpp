#include "file_names.h"

namespace kdx {

bool isPlainFileName(std::string_view name)
{
    return !name.empty() && name.find_first_of("/\\:") == std::string_view::npos && name != "." && name != "..";
}

} // namespace kdx
