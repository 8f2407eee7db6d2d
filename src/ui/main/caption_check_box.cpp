#include "caption_check_box.h"

#include "ui/common/classic_metrics.h"

#include <QStyleOptionButton>
#include <QFontMetricsF>
#include <QStylePainter>

namespace kdx {

CaptionCheckBox::CaptionCheckBox(const QString &caption, QWidget *parent) : QCheckBox(caption, parent) {}

QRect CaptionCheckBox::captionArea() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
}

void CaptionCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    // The style would draw the caption on one line and frame only that line.
    const QRect area = captionArea();
    const int flags = int(Qt::AlignLeft | Qt::AlignVCenter) | captionTextFlags(QFontMetricsF(font()), area.height());
    painter.drawItemText(area, flags, palette(), isEnabled(), text(), QPalette::WindowText);

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = fontMetrics().boundingRect(area, flags, text()).adjusted(-1, 0, 1, 0).intersected(rect());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool CaptionCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

} // namespace kdx
