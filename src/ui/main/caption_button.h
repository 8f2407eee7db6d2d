#pragma once

#include <QPushButton>

namespace kdx {

// A command button as the window was designed with: a caption that is too wide
// for one line wraps onto the next, and Enter presses the button that has the
// focus (there is no default button). Captions are shown as they are, since a
// custom command may hold an ampersand.
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    explicit CaptionButton(const QString &caption, QWidget *parent = nullptr);

    // Sets the caption as it is: an ampersand in it defines no access key.
    void setCaption(const QString &caption);

    // The part of the button inside its bevel that the caption may fill.
    QRect captionArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace kdx
