#pragma once

#include "config/kdx_cfg.h"

#include <QString>

#include <string>

namespace kdx {

// Turns the bytes of the file into text for a control and back. Both encodings
// give back every byte unchanged, so a value the user did not edit is written
// back as it was read.
QString textFromBytes(const std::string &bytes, TextEncoding encoding);
std::string bytesFromText(const QString &text, TextEncoding encoding);

} // namespace kdx
