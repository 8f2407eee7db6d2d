#pragma once

#include <QPushButton>

namespace kdx {

// A command button as the window was designed with: a caption that is too wide
// for one line wraps onto the next, and Enter presses the button that has the
// focus (there is no default button).
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    explicit CaptionButton(const QString &caption, QWidget *parent = nullptr);

    // The part of the button inside its bevel that the caption may fill.
    QRect captionArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace kdx
