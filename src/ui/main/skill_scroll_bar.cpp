#include "skill_scroll_bar.h"

#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace kdx {

SkillScrollBar::SkillScrollBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setInvertedControls(false); // QScrollBar turns the arrow keys round by default
}

void SkillScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(1, 1, -1, -1);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

} // namespace kdx
