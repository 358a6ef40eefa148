#include "ui/common/AccessibleRoles.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QHash>
#include <QKeySequenceEdit>
#include <QLabel>

namespace {

struct GivenRole
{
    QAccessible::Role role = QAccessible::NoRole;
    std::function<bool()> chosen;
};

QHash<const QObject*, GivenRole>& givenRoles()
{
    static QHash<const QObject*, GivenRole> roles;
    return roles;
}

QString withoutMnemonic(QString text)
{
    return text.replace(QLatin1String("&&"), QLatin1String("\x01"))
        .remove(QLatin1Char('&'))
        .replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// The text of the label that names `widget` as its buddy, or names the widget that hands its
// focus on to `widget`.
QString buddyText(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (!parent)
        return {};
    for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == widget)
            return withoutMnemonic(label->text());
    }
    if (parent->focusProxy() == widget && !parent->isWindow())
        return buddyText(parent);
    return {};
}

class GivenRoleAccessible : public QAccessibleWidget
{
public:
    GivenRoleAccessible(QWidget* widget, const GivenRole& given)
        : QAccessibleWidget(widget, given.role)
        , m_chosen(given.chosen)
    {}

    QString text(QAccessible::Text t) const override
    {
        // A switch is named by the label beside it, not by the state its title shows.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty() &&
            !widget()->isWindow()) {
            if (const QString buddy = buddyText(widget()); !buddy.isEmpty())
                return buddy;
            if (const auto* button = qobject_cast<const QAbstractButton*>(widget()))
                return withoutMnemonic(button->text());
        }
        if (t == QAccessible::Value) {
            if (const auto* keys = qobject_cast<const QKeySequenceEdit*>(widget()))
                return keys->keySequence().toString(QKeySequence::NativeText);
        }
        return QAccessibleWidget::text(t);
    }

    // A single control: the widgets it is built of are its own business.
    int childCount() const override { return isContainer() ? QAccessibleWidget::childCount() : 0; }

    QAccessibleInterface* child(int index) const override
    {
        return isContainer() ? QAccessibleWidget::child(index) : nullptr;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const auto* button = qobject_cast<const QAbstractButton*>(widget());
        const bool checked = button && button->isChecked();
        if (role() == QAccessible::PageTab) {
            // The shown page's tab is selected, not checked, whatever button draws it.
            state.selectable = true;
            state.selected = m_chosen ? m_chosen() : checked;
        } else if (role() == QAccessible::RadioButton) {
            state.checkable = true;
            state.checked = m_chosen ? m_chosen() : checked;
        } else if (button && button->isCheckable()) {
            state.checkable = true;
            state.checked = checked;
        }
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (qobject_cast<const QAbstractButton*>(widget()))
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override
    {
        if (name == pressAction()) {
            if (auto* button = qobject_cast<QAbstractButton*>(widget()))
                button->click();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

private:
    bool isContainer() const
    {
        return role() == QAccessible::Window || role() == QAccessible::Dialog ||
               role() == QAccessible::Grouping;
    }

    std::function<bool()> m_chosen;
};

// A pop-up button named by its label, whose value is the choice it shows; its list of choices
// is its child, as a screen reader expects when the list opens.
class LabelledComboAccessible : public QAccessibleWidget
{
public:
    explicit LabelledComboAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
        addControllingSignal(QStringLiteral("activated(int)"));
    }

    QComboBox* comboBox() const { return static_cast<QComboBox*>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return comboBox()->currentText();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return buddyText(widget());
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return comboBox()->view() ? 1 : 0; }

    QAccessibleInterface* child(int index) const override
    {
        if (index == 0 && comboBox()->view())
            return QAccessible::queryAccessibleInterface(comboBox()->view());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == comboBox()->view() ? 0 : -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = comboBox()->view() && comboBox()->view()->isVisible();
        state.editable = comboBox()->isEditable();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override
    {
        if (name == showMenuAction() || name == pressAction()) {
            if (comboBox()->view() && comboBox()->view()->isVisible())
                comboBox()->hidePopup();
            else
                comboBox()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* roleFactory(const QString& key, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    // Asked once for each class the object's class derives from, most derived first.
    const auto given = givenRoles().constFind(object);
    if (given != givenRoles().cend() && key == QLatin1String(object->metaObject()->className()))
        return new GivenRoleAccessible(widget, *given);
    if (key == QLatin1String("QComboBox"))
        return new LabelledComboAccessible(static_cast<QComboBox*>(widget));
    return nullptr;
}

} // namespace

namespace AccessibleRoles {

void give(QWidget* widget, QAccessible::Role role, std::function<bool()> chosen)
{
    install();
    givenRoles().insert(widget, GivenRole{role, std::move(chosen)});
    QObject::connect(widget, &QObject::destroyed, [widget] { givenRoles().remove(widget); });
    // Qt makes a widget's interface as soon as its title or name is set, screen reader or
    // not; one made before now is dropped for the one that tells the role.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
    if (made && made->role() != role)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void announceChoice(QWidget* widget, QWidget* before)
{
    if (!widget || widget == before)
        return;
    QAccessible::State changed;
    if (givenRoles().value(widget).role == QAccessible::PageTab)
        changed.selected = true;
    else
        changed.checked = true;
    for (QWidget* which : {before, widget}) {
        if (!which)
            continue;
        QAccessibleStateChangeEvent event(which, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&roleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace AccessibleRoles
