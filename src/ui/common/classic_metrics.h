#pragma once

#include <QFont>
#include <QRect>

class QFontMetricsF;
class QWidget;

// "Classic", here and wherever the windows use the word, means the desktop the
// windows were first drawn for: Windows controls at 120 dots per inch,
// measured in twips, captioned in MS Sans Serif, with captions that wrap when
// their area has room for two lines. These helpers reproduce its measures in Qt.

namespace kdx {

// The windows were designed in twips at 120 dots per inch: 12 twips make one
// device-independent pixel. Qt scales further on high-density screens.
inline constexpr int TwipsPerPixel = 12;

constexpr int pixelsFromTwips(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

// A rectangle given in twips, with both edges rounded so that neighbouring
// controls keep touching.
QRect rectFromTwips(int left, int top, int width, int height);

// MS Sans Serif 7.8 points at 120 dpi, about 13 pixels; where the desktop has no
// such font, the nearest sans-serif one of the same size.
QFont classicFont();

// How a caption is drawn in an area: word-wrapped where the area has room for
// two lines of the font, as the classic window system does, and on one line
// otherwise, so that a single line too wide is clipped rather than pushed out
// of sight.
int captionTextFlags(const QFontMetricsF &metrics, int areaHeight);

// Whether the caption, drawn with those flags, stays inside an area of that size.
bool captionFits(const QFontMetricsF &metrics, const QString &caption, QSize area);

// Shrinks the widget's font, a pixel at a time down to a readable minimum,
// until its caption fits the area that the layout gives it.
void fitCaption(QWidget *widget, const QString &caption, QSize area);

} // namespace kdx
