#pragma once

#include <QCheckBox>

namespace kdx {

// A check box as the window was designed with: where the box is tall enough for
// two lines, a caption too wide for one wraps onto the next, and a click
// anywhere on the control toggles it. text() keeps the whole caption.
class CaptionCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CaptionCheckBox(const QString &caption, QWidget *parent = nullptr);

    // The part of the control beside the indicator that the caption may fill.
    QRect captionArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

} // namespace kdx
