#include "option_button.h"

#include <QFocusEvent>

namespace kdx {

void OptionButton::focusInEvent(QFocusEvent *event)
{
    const bool byTab = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byTab && !isChecked()) {
        for (QRadioButton *option : parentWidget()->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly)) {
            if (option->isChecked()) {
                option->setFocus(event->reason());
                return;
            }
        }
    }
    QRadioButton::focusInEvent(event);
}

} // namespace kdx
