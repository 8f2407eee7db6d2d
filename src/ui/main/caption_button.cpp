#include "caption_button.h"

#include "ui/common/classic_metrics.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QStyleOptionButton>
#include <QFontMetricsF>
#include <QStylePainter>

namespace kdx {

CaptionButton::CaptionButton(const QString &caption, QWidget *parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setCaption(caption);
}

void CaptionButton::setCaption(const QString &caption)
{
    setText(caption);
    setShortcut(QKeySequence()); // setText made the letter after an ampersand one
    setAccessibleName(caption);
}

void CaptionButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear(); // the style would draw it on one line
    // Draws the bevel and, while the button has the focus, the style's focus frame.
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect area = captionArea();
    const int flags = Qt::AlignCenter | captionTextFlags(QFontMetricsF(font()), area.height());
    painter.drawItemText(area, flags, palette(), isEnabled(), text(), QPalette::ButtonText);
}

QRect CaptionButton::captionArea() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

void CaptionButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace kdx
