#include "shared/ui/accessiblewidgets.h"

#include "shared/ui/announcer.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>

#include <vector>

namespace {

// Qt's own list box says its current item as its name on Linux, and leaves
// the caption to a label relation; a list box without a visible caption
// (the teams of the graph, one after the other) would then be read as
// "Aucune". This one says its given name, its item as its value.
class ListBoxAccessible final : public QAccessibleWidget
{
public:
    explicit ListBoxAccessible(QComboBox *box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {}

    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        const QString current = box()->isEditable() ? box()->lineEdit()->text() : box()->currentText();
        if (t == QAccessible::Value)
            return current;
        if (t == QAccessible::Name && box()->accessibleName().isEmpty())
            return current.isEmpty() ? QAccessibleWidget::text(t) : current;
        return QAccessibleWidget::text(t);
    }

    // The popup's list, then the typing line of an editable box.
    int childCount() const override { return box()->isEditable() ? 2 : 1; }
    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable())
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        if (child->object() == box()->view())
            return 0;
        if (box()->isEditable() && child->object() == box()->lineEdit())
            return 1;
        return -1;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return box()->isEditable() ? child(1) : nullptr; }

    QStringList actionNames() const override { return {showMenuAction(), pressAction(), setFocusAction()}; }
    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction()) {
            if (box()->view()->isVisible())
                box()->hidePopup();
            else
                box()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(action);
    }
};

// One tab of a tab bar. Qt's own says it has the focus whenever it is the
// current tab, even in a view closed long ago; this one only while its bar
// holds the focus.
class TabAccessible final : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    TabAccessible(QTabBar *bar, int index)
        : m_bar(bar)
        , m_index(index)
    {}

    bool isValid() const override { return m_bar && m_index < m_bar->count(); }
    QObject *object() const override { return nullptr; }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_bar.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Name) {
            QString name = m_bar->accessibleTabName(m_index);
            return name.isEmpty() ? m_bar->tabText(m_index).remove(QLatin1Char('&')) : name;
        }
        return t == QAccessible::Description ? m_bar->tabToolTip(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect tab = m_bar->tabRect(m_index);
        return QRect(m_bar->mapToGlobal(tab.topLeft()), tab.size());
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.invisible = !m_bar->isVisible() || !m_bar->isTabVisible(m_index);
        state.disabled = !m_bar->isTabEnabled(m_index);
        state.focusable = true;
        state.selectable = true;
        state.selected = m_index == m_bar->currentIndex();
        state.focused = state.selected && m_bar->hasFocus();
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction() && isValid())
            m_bar->setCurrentIndex(m_index);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<QTabBar> m_bar;
    int m_index;
};

class TabBarAccessible final : public QAccessibleWidget
{
public:
    explicit TabBarAccessible(QTabBar *bar)
        : QAccessibleWidget(bar, QAccessible::PageTabList)
    {}
    ~TabBarAccessible() override
    {
        for (QAccessible::Id id : m_tabs)
            QAccessible::deleteAccessibleInterface(id);
    }

    QTabBar *bar() const { return static_cast<QTabBar *>(widget()); }

    // The bar of a tab widget is named after it; its value is the page shown.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return bar()->tabText(bar()->currentIndex()).remove(QLatin1Char('&'));
        if (t == QAccessible::Name && bar()->accessibleName().isEmpty() && bar()->parentWidget())
            return bar()->parentWidget()->accessibleName();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return bar()->count(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= bar()->count())
            return nullptr;
        while (int(m_tabs.size()) <= index)
            m_tabs.push_back(QAccessible::registerAccessibleInterface(new TabAccessible(bar(), int(m_tabs.size()))));
        return QAccessible::accessibleInterface(m_tabs[std::size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (std::size_t i = 0; i < m_tabs.size(); ++i) {
            if (QAccessible::accessibleInterface(m_tabs[i]) == child)
                return int(i);
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const int index = bar()->tabAt(bar()->mapFromGlobal(QPoint(x, y)));
        return index < 0 ? nullptr : child(index);
    }
    QAccessibleInterface *focusChild() const override
    {
        return bar()->hasFocus() ? child(bar()->currentIndex()) : nullptr;
    }

private:
    mutable std::vector<QAccessible::Id> m_tabs; // registered as first asked for
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("QComboBox"))
        return new ListBoxAccessible(static_cast<QComboBox *>(widget));
    if (className == QLatin1String("QTabBar"))
        return new TabBarAccessible(static_cast<QTabBar *>(widget));
    if (className == QLatin1String("Announcer"))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    // Reached only by widgets that no more precise class answered for: a
    // plain widget that is a window of its own is a frame, not a filler.
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

namespace accessiblewidgets {

void install()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(factory);
        installed = true;
    }
}

} // namespace accessiblewidgets
