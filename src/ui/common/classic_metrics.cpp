#include "classic_metrics.h"

#include <QFontMetrics>
#include <QStringList>
#include <QWidget>

namespace kdx {

namespace {
constexpr int classicPixelSize = 13;
constexpr int smallestPixelSize = 10;
} // namespace

QRect rectFromTwips(int left, int top, int width, int height)
{
    const int x = pixelsFromTwips(left);
    const int y = pixelsFromTwips(top);
    return {x, y, pixelsFromTwips(left + width) - x, pixelsFromTwips(top + height) - y};
}

QFont classicFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(classicPixelSize);
    return font;
}

void fitCaptionToWidth(QWidget *widget, const QString &caption, int availableWidth)
{
    QFont font = widget->font();
    while (font.pixelSize() > smallestPixelSize
           && QFontMetrics(font).horizontalAdvance(caption) > availableWidth) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    widget->setFont(font);
}

} // namespace kdx
