#include "text_codec.h"

namespace kdx {

QString textFromBytes(std::string_view bytes, const CodePage &codePage)
{
    return QString::fromStdString(codePage.decode(bytes));
}

} // namespace kdx
