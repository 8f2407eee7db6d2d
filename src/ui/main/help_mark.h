#pragma once

#include <QLabel>

namespace kdx {

// The "?" beside a setting: a label that reacts to a click like a link.
class HelpMark : public QLabel {
    Q_OBJECT
public:
    explicit HelpMark(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace kdx
