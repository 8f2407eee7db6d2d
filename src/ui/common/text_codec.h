#pragma once

#include "config/code_page.h"

#include <QString>

#include <string_view>

namespace kdx {

// The bytes of a file as text for a control.
QString textFromBytes(std::string_view bytes, const CodePage &codePage);

} // namespace kdx
