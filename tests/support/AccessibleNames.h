#pragma once

#include "WindowFit.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QSet>
#include <QWidget>

// What a screen reader finds in a window, read through the same accessibility interfaces the
// AT-SPI bridge reads: every object a user can act on that is shown must have a name, an object
// that takes the focus must not pass itself off as a plain container, and the window itself is
// a named window or dialog. The faults come one a line, naming the object's class, its role and
// where it sits; a window without them returns none.
namespace AccessibleNames {

inline QString roleName(QAccessible::Role role)
{
    return QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(role));
}

inline bool isInteractive(QAccessible::Role role)
{
    using A = QAccessible;
    static const QSet<A::Role> roles{
        A::PushButton,   A::CheckBox,       A::RadioButton,    A::ComboBox,
        A::EditableText, A::SpinBox,        A::Slider,         A::List,
        A::Table,        A::Tree,           A::PageTab,        A::MenuItem,
        A::ButtonMenu,   A::ButtonDropDown, A::ButtonDropGrid, A::HotkeyField};
    return roles.contains(role);
}

// The roles the bridge tells as "filler" or "panel": nothing a user can operate.
inline bool isGeneric(QAccessible::Role role)
{
    return role == QAccessible::Client || role == QAccessible::NoRole ||
           role == QAccessible::Pane || role == QAccessible::Grouping;
}

inline QString describe(QAccessibleInterface* iface)
{
    const QString role = roleName(iface->role());
    QObject* object = iface->object();
    if (auto* widget = qobject_cast<QWidget*>(object))
        return QStringLiteral("%1 (%2)").arg(WindowFit::describe(widget), role);
    // An item of a view: the view it belongs to tells where it is.
    QAccessibleInterface* up = iface->parent();
    while (up && !qobject_cast<QWidget*>(up->object()))
        up = up->parent();
    const QString owner =
        up ? WindowFit::describe(static_cast<QWidget*>(up->object())) : QStringLiteral("?");
    return QStringLiteral("item of %1 (%2)").arg(owner, role);
}

inline void walk(QAccessibleInterface* iface, QStringList& faults,
                 QSet<QAccessibleInterface*>& seen, int depth)
{
    if (!iface || !iface->isValid() || seen.contains(iface) || depth > 64)
        return;
    seen.insert(iface);
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;
    const QAccessible::Role role = iface->role();
    const QString name = iface->text(QAccessible::Name).trimmed();
    if (isInteractive(role) && name.isEmpty())
        faults << QStringLiteral("%1 has no name").arg(describe(iface));
    // "+" or "−" is read out as a sign, not as what the button does.
    else if (isInteractive(role) &&
             !name.contains(QRegularExpression(QStringLiteral("\\w"),
                                               QRegularExpression::UseUnicodePropertiesOption)))
        faults << QStringLiteral("%1 is named only \"%2\"").arg(describe(iface), name);
    // A pop-up button without a name of its own is read out by the value it shows, which
    // says nothing of what it chooses.
    if (role == QAccessible::ComboBox && !name.isEmpty() &&
        name == iface->text(QAccessible::Value).trimmed())
        faults << QStringLiteral("%1 is named by its value \"%2\"").arg(describe(iface), name);
    if (auto* widget = qobject_cast<QWidget*>(iface->object());
        widget && !widget->isWindow() && isGeneric(role) && widget->isEnabled() &&
        (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy())
        faults << QStringLiteral("%1 takes the focus but says only that it is a container")
                      .arg(describe(iface));
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), faults, seen, depth + 1);
}

inline QStringList faults(QWidget* window)
{
    QStringList found;
    QAccessibleInterface* top = QAccessible::queryAccessibleInterface(window);
    if (!top)
        return {
            QStringLiteral("%1 has no accessibility interface").arg(WindowFit::describe(window))};
    if (top->role() != QAccessible::Window && top->role() != QAccessible::Dialog)
        found << QStringLiteral("%1 is a window but says it is a %2")
                     .arg(WindowFit::describe(window), roleName(top->role()));
    if (top->text(QAccessible::Name).trimmed().isEmpty())
        found << QStringLiteral("%1 is a window without a name").arg(WindowFit::describe(window));
    QSet<QAccessibleInterface*> seen;
    walk(top, found, seen, 0);
    found.removeDuplicates();
    return found;
}

} // namespace AccessibleNames
