#include "classic_metrics.h"

#include <QFontMetricsF>
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
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(classicPixelSize);
    return font;
}

int captionTextFlags(const QFontMetricsF &metrics, int areaHeight)
{
    // No caption defines an access key: an ampersand is shown as it is.
    return areaHeight >= 2 * metrics.height() ? Qt::TextWordWrap : 0;
}

bool captionFits(const QFontMetricsF &metrics, const QString &caption, QSize area)
{
    const int flags = captionTextFlags(metrics, area.height());
    const QRectF bounds = metrics.boundingRect(QRectF(QPointF(), area), flags, caption);
    return bounds.width() <= area.width() && bounds.height() <= area.height();
}

void fitCaption(QWidget *widget, const QString &caption, QSize area)
{
    QFont font = widget->font();
    if (captionFits(QFontMetricsF(font), caption, area))
        return; // most captions do: their widgets keep inheriting the window's font
    do
        font.setPixelSize(font.pixelSize() - 1);
    while (font.pixelSize() > smallestPixelSize && !captionFits(QFontMetricsF(font), caption, area));
    widget->setFont(font);
}

} // namespace kdx
