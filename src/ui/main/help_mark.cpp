#include "help_mark.h"

#include <QMouseEvent>

namespace kdx {

HelpMark::HelpMark(QWidget *parent) : QLabel(QStringLiteral("?"), parent)
{
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 255, 192));
    colours.setColor(QPalette::WindowText, QColor(0, 0, 192));
    setPalette(colours);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void HelpMark::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace kdx
