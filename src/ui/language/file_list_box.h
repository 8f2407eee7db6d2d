#pragma once

#include <QListWidget>

namespace kdx {

// A list of file names on which the arrow keys, Home, End, Page Up and Page Down
// select the entry they land on, even where the focus frame cannot move (Down
// in a list of one file), as on the classic file list box.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace kdx
