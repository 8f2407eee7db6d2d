#pragma once

#include <QScrollBar>

namespace kdx {

// A horizontal scroll bar that frames itself while it has the keyboard focus:
// styles such as Fusion draw no focus on scroll bars, and the arrow keys move it.
// Right and Up raise the value, Left and Down lower it.
class SkillScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit SkillScrollBar(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kdx
