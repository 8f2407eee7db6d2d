#include "file_list_box.h"

#include <QKeyEvent>

namespace kdx {

void FileListBox::keyPressEvent(QKeyEvent *event)
{
    QListWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (QListWidgetItem *landedOn = currentItem(); landedOn && !landedOn->isSelected())
            setCurrentItem(landedOn, QItemSelectionModel::ClearAndSelect);
        break;
    default:
        break;
    }
}

} // namespace kdx
