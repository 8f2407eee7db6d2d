#include "text_codec.h"

namespace kdx {

QString textFromBytes(const std::string &bytes, TextEncoding encoding)
{
    const auto size = static_cast<qsizetype>(bytes.size());
    return encoding == TextEncoding::Utf8 ? QString::fromUtf8(bytes.data(), size)
                                          : QString::fromLatin1(bytes.data(), size);
}

std::string bytesFromText(const QString &text, TextEncoding encoding)
{
    return (encoding == TextEncoding::Utf8 ? text.toUtf8() : text.toLatin1()).toStdString();
}

} // namespace kdx
