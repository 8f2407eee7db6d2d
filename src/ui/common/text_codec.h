#pragma once

#include "config/text_encoding.h"

#include <QString>

#include <string_view>

namespace kdx {

// The bytes of a file as text for a control.
QString textFromBytes(std::string_view bytes, TextEncoding encoding);

} // namespace kdx
