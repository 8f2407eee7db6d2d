#include "text_codec.h"

namespace kdx {

QString textFromBytes(std::string_view bytes, TextEncoding encoding)
{
    return QString::fromStdString(utf8FromBytes(bytes, encoding));
}

} // namespace kdx
