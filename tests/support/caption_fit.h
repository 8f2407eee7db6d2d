#pragma once

#include <QtWidgets>

namespace kdx::test {

// The buttons and labels of `window` whose name `names` matches and whose
// caption does not fit the area that its control gives it, measured in the
// control's own font and style: by objectName, or by caption where a control has
// no name. A caption that its control wraps is measured wrapped.
inline QStringList captionsCut(const QWidget &window, const QRegularExpression &names = QRegularExpression())
{
    QStringList cut;
    for (const QWidget *control : window.findChildren<QWidget *>(names)) {
        const auto *button = qobject_cast<const QAbstractButton *>(control);
        const auto *label = qobject_cast<const QLabel *>(control);
        const QString caption = control->property("text").toString();
        if ((!button && !label) || caption.isEmpty() || !control->isVisibleTo(&window))
            continue;
        QStyleOptionButton option;
        option.initFrom(control);
        const auto element = qobject_cast<const QCheckBox *>(control)      ? QStyle::SE_CheckBoxContents
                             : qobject_cast<const QRadioButton *>(control) ? QStyle::SE_RadioButtonContents
                                                                           : QStyle::SE_PushButtonContents;
        const QRectF area =
            button ? control->style()->subElementRect(element, &option, control) : QRectF(control->contentsRect());
        const QFontMetricsF metrics(control->font());
        const bool wraps = label ? label->wordWrap() : area.height() >= 2 * metrics.height();
        const QSizeF needed = metrics.boundingRect(QRectF({}, area.size()), wraps ? Qt::TextWordWrap : 0, caption).size();
        if (needed.width() > area.width() || needed.height() > area.height())
            cut.append(control->objectName().isEmpty() ? caption : control->objectName());
    }
    return cut;
}

} // namespace kdx::test
