#include "platform/ui/MenuAccessible.h"

#include "platform/logic/AccessKeys.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWindow>

namespace folio::menuAccess {

namespace {

// The menu or menu bar that shows the entry.
QWidget* holderOf(QAction* action)
{
    for (QObject* o : action->associatedObjects())
        if (qobject_cast<QMenu*>(o) || qobject_cast<QMenuBar*>(o))
            return static_cast<QWidget*>(o);
    return nullptr;
}

class MenuEntry final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    MenuEntry(QAction* action, QWidget* holder) : m_action(action), m_holder(holder) {}

    bool isValid() const override { return m_action && m_holder; }
    QObject* object() const override { return m_action; }
    QWindow* window() const override
    {
        for (QWidget* w = m_holder; w; w = w->parentWidget())
            if (w->windowHandle())
                return w->windowHandle();
        return nullptr;
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_holder); }
    // An entry that opens a submenu has that menu as its one child.
    int childCount() const override { return m_action->menu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && m_action->menu() ? QAccessible::queryAccessibleInterface(m_action->menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* c) const override
    {
        return c && m_action->menu() && c->object() == m_action->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        QAccessibleInterface* c = child(0);
        return c && c->rect().contains(x, y) ? c : nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        const QString caption = m_action->text();
        if (t == QAccessible::Name)
            return accessKeys::plainCaption(caption);
        if (t != QAccessible::Accelerator)
            return QString();
        if (!m_action->shortcut().isEmpty())
            return m_action->shortcut().toString();
        // Alt and the first marked character.
        for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
            if (caption[i] != QLatin1Char('&'))
                continue;
            if (caption[i + 1] != QLatin1Char('&'))
                return QKeySequence(Qt::ALT).toString(QKeySequence::NativeText) + caption[i + 1];
            ++i;
        }
        return QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        QRect r;
        if (auto* bar = qobject_cast<QMenuBar*>(m_holder.data()))
            r = bar->actionGeometry(m_action);
        else if (auto* menu = qobject_cast<QMenu*>(m_holder.data()))
            r = menu->actionGeometry(m_action);
        return m_holder ? r.translated(m_holder->mapToGlobal(QPoint(0, 0))) : r;
    }
    QAccessible::Role role() const override
    {
        return m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.invisible = !m_holder->isVisible() || !m_action->isVisible();
        if (auto* bar = qobject_cast<QMenuBar*>(m_holder.data()))
            s.focused = bar->activeAction() == m_action;
        else if (auto* menu = qobject_cast<QMenu*>(m_holder.data()))
            s.focused = menu->activeAction() == m_action;
        s.disabled = m_action->isSeparator() || !m_action->isEnabled();
        s.checkable = m_action->isCheckable();
        s.checked = m_action->isChecked();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override
    {
        if (m_action->isSeparator())
            return {};
        return {m_action->menu() ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (!m_action->isEnabled())
            return;
        if (name == pressAction()) {
            m_action->trigger();
        } else if (name == showMenuAction()) {
            if (m_action->menu() && m_action->menu()->isVisible())
                m_action->menu()->hide();
            else if (auto* bar = qobject_cast<QMenuBar*>(m_holder.data()))
                bar->setActiveAction(m_action);
            else if (auto* menu = qobject_cast<QMenu*>(m_holder.data()))
                menu->setActiveAction(m_action);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QAction> m_action;
    QPointer<QWidget> m_holder;
};

QAccessibleInterface* entryFactory(const QString& key, QObject* object)
{
    if (key != QLatin1String("QAction"))
        return nullptr;
    auto* action = qobject_cast<QAction*>(object);
    if (!action || accessKeys::markerCount(action->text()) < 2)
        return nullptr;
    QWidget* holder = holderOf(action);
    return holder ? new MenuEntry(action, holder) : nullptr;
}

}  // namespace

void install()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(entryFactory);
        installed = true;
    }
}

}  // namespace folio::menuAccess
