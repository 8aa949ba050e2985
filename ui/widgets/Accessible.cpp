#include "Accessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace {

// A drop-down list as screen readers should hear it: its own name, and the
// current item as its value. The item list is its one child, as in Qt's own
// interface, and it opens with the press or show-menu action.
class TNamedComboAccessible final : public QAccessibleWidget {
public:
    explicit TNamedComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        const QComboBox* cb = combo();
        switch (t) {
        case QAccessible::Name: {
            const QString name = cb->accessibleName();
            return name.isEmpty() ? cb->currentText() : name;
        }
        case QAccessible::Value: return cb->currentText();
        default: return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        st.expandable = true;
        st.expanded = combo()->view() && combo()->view()->isVisible();
        st.collapsed = !st.expanded;
        return st;
    }

    int childCount() const override { return combo()->view() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && combo()->view() ? QAccessible::queryAccessibleInterface(combo()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && combo()->view() && child->object() == combo()->view() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override
    {
        if (name == showMenuAction() || name == pressAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

// The interface is made the first time anyone asks, which can be before the
// list has its name, so every closed list gets it; without a name it reads as
// Qt's does.
QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QComboBox")) return nullptr;
    auto* cb = qobject_cast<QComboBox*>(object);
    if (!cb || cb->isEditable()) return nullptr;
    return new TNamedComboAccessible(cb);
}

}  // namespace

void InstallAccessibility()
{
    static bool done = false;
    if (done) return;
    done = true;
    QAccessible::installFactory(Factory);
}
