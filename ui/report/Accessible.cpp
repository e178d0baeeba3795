#include "ui/report/Accessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace quintrel {

namespace {

/// A list box under the name the program gave it; the entry chosen is its value.
class NamedComboBoxAccessible : public QAccessibleWidget {
  public:
    explicit NamedComboBoxAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }

    int childCount() const override { return Box()->lineEdit() != nullptr ? 2 : 1; }

    QAccessibleInterface* child(int index) const override {
        if (index == 0) {
            return QAccessible::queryAccessibleInterface(Box()->view());
        }
        if (index == 1 && Box()->lineEdit() != nullptr) {
            return QAccessible::queryAccessibleInterface(Box()->lineEdit());
        }
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int index = 0; index < childCount(); ++index) {
            if (this->child(index) == child) {
                return index;
            }
        }
        return -1;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) {
            // Without a name of its own a list box is called by its entry, as Qt does.
            return Box()->accessibleName().isEmpty() ? Box()->currentText()
                                                     : Box()->accessibleName();
        }
        if (kind == QAccessible::Value) {
            return Box()->currentText();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = Box()->view()->isVisible();
        state.editable = Box()->isEditable();
        state.collapsed = !state.expanded;
        return state;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction()) {
            if (Box()->view()->isVisible()) {
                Box()->hidePopup();
            } else {
                Box()->showPopup();
            }
            return;
        }
        QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* ProgramFactory(const QString& className, QObject* object) {
    // Every list box: its interface is made once, often before the window names it.
    if (className == QLatin1String("QComboBox")) {
        if (auto* box = qobject_cast<QComboBox*>(object)) {
            return new NamedComboBoxAccessible(box);
        }
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
    static const bool installed = [] {
        QAccessible::installFactory(ProgramFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace quintrel
