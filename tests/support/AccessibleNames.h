#pragma once

// What a screen reader would call each control of a window: the name its accessibility
// interface gives, as the AT-SPI bridge passes it on.

#include <QAccessible>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

namespace quintrel::testing {

/// The accessible name of `widget` ("" when it has no interface).
inline QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

/// The object names of the focusable controls under `window` whose accessible name does not
/// say what they are: empty, or a lone sign such as "-" or "|<". Hidden controls count too:
/// they show up when the window is larger, or the toolbar's overflow shows them.
inline QStringList ControlsWithoutName(QWidget* window) {
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2}"));
    QStringList missing;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isEnabledTo(window)) {
            continue;
        }
        // The line edit of an editable list is named with its list; popups are lists of
        // entries named by their own text.
        if (widget->inherits("QAbstractItemView") && widget->window() != window) {
            continue;
        }
        // A spin box's text field passes its focus on to the spin box, which is announced.
        if (widget->parentWidget() != nullptr &&
            widget->parentWidget()->inherits("QAbstractSpinBox")) {
            continue;
        }
        if (!word.match(AccessibleName(widget)).hasMatch()) {
            missing << (widget->objectName().isEmpty()
                            ? QString::fromLatin1(widget->metaObject()->className())
                            : widget->objectName());
        }
    }
    return missing;
}

}  // namespace quintrel::testing
