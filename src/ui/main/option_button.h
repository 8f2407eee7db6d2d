#pragma once

#include <QRadioButton>

namespace kdx {

// An option button of the window's one group. Tab and Shift+Tab into the group
// give the focus to the selected option, as on the classic controls, so that
// Space there changes nothing; Qt gives it to the first or last in tab order.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    void focusInEvent(QFocusEvent *event) override;
};

} // namespace kdx
