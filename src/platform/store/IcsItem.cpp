#include "platform/store/IcsItem.h"

#include "platform/Clock.h"
#include "platform/store/ics/Component.h"
#include "platform/store/ics/EventExpander.h"
#include "platform/store/ics/TodoReader.h"
#include "platform/store/ics/TodoWriter.h"
#include "platform/store/ics/ValueFormat.h"

#include <QSet>
#include <QUuid>

namespace store {

using ics::Component;
using ics::Property;

namespace {

QByteArray newlineOf(const QByteArray& bytes)
{
    const qsizetype lineFeed = bytes.indexOf('\n');
    if (lineFeed > 0 && bytes.at(lineFeed - 1) != '\r')
        return "\n";
    return "\r\n";
}

bool isItem(const Component& component)
{
    return component.is("VTODO") || component.is("VEVENT");
}

// The first component named `name`, searched in file order through the document and the
// calendars in it; `parent` receives the component holding it.
Component* findFirst(Component& within, QByteArrayView name, Component** parent, int depth = 0)
{
    for (Component::Node& node : within.nodes()) {
        if (!node.component)
            continue;
        Component& child = *node.component;
        if (child.is(name)) {
            if (parent)
                *parent = &within;
            return &child;
        }
        if (depth < 2 && !isItem(child)) {
            if (Component* found = findFirst(child, name, parent, depth + 1))
                return found;
        }
    }
    return nullptr;
}

void collectItems(Component& within, QList<Component*>& items, int depth = 0)
{
    for (Component::Node& node : within.nodes()) {
        if (!node.component)
            continue;
        if (isItem(*node.component))
            items.append(node.component.get());
        else if (depth < 2)
            collectItems(*node.component, items, depth + 1);
    }
}

QString uidOf(const Component& item)
{
    const Property* uid = item.property("UID");
    return uid ? uid->text().trimmed() : QString();
}

struct LocatedTodo
{
    Component* todo;
    Component* parent;
};

void collectTodos(Component& within, QList<LocatedTodo>& todos, int depth = 0)
{
    for (Component::Node& node : within.nodes()) {
        if (!node.component)
            continue;
        Component& child = *node.component;
        if (child.is("VTODO"))
            todos.append(LocatedTodo{&child, &within});
        else if (depth < 2 && !isItem(child))
            collectTodos(child, todos, depth + 1);
    }
}

// The file's tasks when it holds several, each its own; empty for a file read as one task.
QList<LocatedTodo> separateTasks(Component& root)
{
    QList<LocatedTodo> todos;
    collectTodos(root, todos);
    if (todos.size() < 2)
        return {};
    QSet<QString> seen;
    for (const LocatedTodo& located : std::as_const(todos)) {
        const QString uid = uidOf(*located.todo);
        if (uid.isEmpty() || seen.contains(uid) || located.todo->property("RECURRENCE-ID"))
            return {};
        seen.insert(uid);
    }
    return todos;
}

Component* todoWithUid(Component& root, const QString& uid, Component** parent)
{
    if (!uid.isEmpty()) {
        for (const LocatedTodo& located : separateTasks(root)) {
            if (uidOf(*located.todo) == uid) {
                if (parent)
                    *parent = located.parent;
                return located.todo;
            }
        }
    }
    return findFirst(root, "VTODO", parent);
}

// The chosen VTODO and the overrides of occurrences that share its UID, in file order.
QList<LocatedTodo> partsOfTask(Component& root, const Component* chosen)
{
    const QString uid = uidOf(*chosen);
    QList<LocatedTodo> todos;
    collectTodos(root, todos);
    QList<LocatedTodo> parts;
    for (const LocatedTodo& located : std::as_const(todos)) {
        if (located.todo == chosen || (!uid.isEmpty() && uidOf(*located.todo) == uid))
            parts.append(located);
    }
    return parts;
}

void collectTzids(const Component& component, QSet<QByteArray>& tzids)
{
    for (const Component::Node& node : component.nodes()) {
        if (node.component) {
            collectTzids(*node.component, tzids);
        } else if (const std::optional<QByteArray> tzid = node.property.parameter("TZID")) {
            tzids.insert(*tzid);
        }
    }
}

void collectTimeZones(const Component& within, const QSet<QByteArray>& tzids,
                      QList<const Component*>& zones, int depth = 0)
{
    for (const Component::Node& node : within.nodes()) {
        if (!node.component)
            continue;
        const Component& child = *node.component;
        if (child.is("VTIMEZONE")) {
            const Property* tzid = child.property("TZID");
            if (tzid && tzids.contains(tzid->trimmedValue().toByteArray()))
                zones.append(&child);
        } else if (depth < 2 && !isItem(child)) {
            collectTimeZones(child, tzids, zones, depth + 1);
        }
    }
}

// libical's notes on values it could not read describe a reading, not the task: a file we
// make never carries them.
void dropParserNotes(Component& component)
{
    component.removeProperties("X-LIC-ERROR");
    for (Component::Node& node : component.nodes()) {
        if (node.component)
            dropParserNotes(*node.component);
    }
}

// A copy whose last line ends, so that the next one starts a line of its own.
Component endedCopy(const Component& component, QByteArrayView newline)
{
    Component copy(component);
    copy.terminateLastLine(newline);
    return copy;
}

QString newUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

} // namespace

IcsItem::IcsItem() = default;
IcsItem::~IcsItem() = default;
IcsItem::IcsItem(IcsItem&&) noexcept = default;
IcsItem& IcsItem::operator=(IcsItem&&) noexcept = default;

IcsItem::IcsItem(const IcsItem& other)
    : m_root(other.m_root ? std::make_unique<Component>(*other.m_root) : nullptr)
    , m_newline(other.m_newline)
{}

IcsItem& IcsItem::operator=(const IcsItem& other)
{
    if (this != &other) {
        m_root = other.m_root ? std::make_unique<Component>(*other.m_root) : nullptr;
        m_newline = other.m_newline;
    }
    return *this;
}

std::optional<IcsItem> IcsItem::parse(const QByteArray& bytes, QString* error)
{
    std::optional<Component> document = Component::parseDocument(bytes, error);
    if (!document)
        return std::nullopt;
    IcsItem item;
    item.m_root = std::make_unique<Component>(std::move(*document));
    item.m_newline = newlineOf(bytes);
    return item;
}

IcsItem IcsItem::fromReminder(const Reminder& reminder)
{
    QDateTime now = reminder.lastModifiedDate;
    if (!now.isValid())
        now = reminder.creationDate.isValid() ? reminder.creationDate : Clock::system().now();
    return fromReminder(reminder, now);
}

IcsItem IcsItem::fromReminder(const Reminder& reminder, const QDateTime& now)
{
    IcsItem item;
    item.m_root = std::make_unique<Component>();
    item.m_newline = "\r\n";
    const QByteArrayView newline = item.m_newline;

    Component calendar("VCALENDAR", newline);
    calendar.append(Component::Node(Property::build("VERSION", {}, "2.0", newline)));
    calendar.append(Component::Node(Property::build("PRODID", {}, kProductId, newline)));
    Component todo("VTODO", newline);
    const QString uid = reminder.uid.isEmpty() ? newUid() : reminder.uid;
    todo.append(Component::Node(Property::text("UID", uid, newline)));
    todo.append(Component::Node(Property::build("DTSTAMP", {}, ics::formatUtc(now), newline)));
    const QDateTime created = reminder.creationDate.isValid() ? reminder.creationDate : now;
    todo.append(Component::Node(Property::build("CREATED", {}, ics::formatUtc(created), newline)));
    calendar.append(Component::Node(std::move(todo)));
    item.m_root->append(Component::Node(std::move(calendar)));

    item.writeReminder(reminder, now, false);
    return item;
}

QByteArray IcsItem::serialize() const
{
    return m_root ? m_root->serialize() : QByteArray();
}

QString IcsItem::uid() const
{
    QList<Component*> items;
    collectItems(*m_root, items);
    for (const Component* component : std::as_const(items)) {
        const QString uid = uidOf(*component);
        if (!uid.isEmpty())
            return uid;
    }
    return {};
}

void IcsItem::setUid(const QString& uid)
{
    QList<Component*> items;
    collectItems(*m_root, items);
    if (items.isEmpty())
        return;
    // Overrides of a recurring event share their master's UID and move with it.
    const QString old = uidOf(*items.first());
    const Property line = Property::text("UID", uid, m_newline);
    for (Component* component : std::as_const(items)) {
        if (component == items.first() || (!old.isEmpty() && uidOf(*component) == old))
            component->setProperty(line);
    }
}

bool IcsItem::hasTodo() const
{
    return findFirst(*m_root, "VTODO", nullptr) != nullptr;
}

bool IcsItem::hasEvent() const
{
    return findFirst(*m_root, "VEVENT", nullptr) != nullptr;
}

QStringList IcsItem::todoUids() const
{
    QStringList uids;
    for (const LocatedTodo& located : separateTasks(*m_root))
        uids << uidOf(*located.todo);
    if (uids.isEmpty()) {
        if (const Component* todo = findFirst(*m_root, "VTODO", nullptr))
            uids << uidOf(*todo);
    }
    return uids;
}

Reminder IcsItem::toReminder(const QString& uid) const
{
    const Component* todo = todoWithUid(*m_root, uid, nullptr);
    if (!todo)
        return {};
    const ics::ZoneResolver zones(*m_root);
    return ics::readTodo(*todo, zones);
}

QList<Reminder> IcsItem::toReminders() const
{
    QList<Reminder> reminders;
    const QList<LocatedTodo> tasks = separateTasks(*m_root);
    if (tasks.isEmpty()) {
        if (hasTodo())
            reminders << toReminder();
        return reminders;
    }
    const ics::ZoneResolver zones(*m_root);
    reminders.reserve(tasks.size());
    for (const LocatedTodo& located : tasks)
        reminders << ics::readTodo(*located.todo, zones);
    return reminders;
}

void IcsItem::applyReminder(const Reminder& edited, const QDateTime& now)
{
    writeReminder(edited, now, true);
}

void IcsItem::writeReminder(const Reminder& edited, const QDateTime& now, bool bumpSequence)
{
    Component* parent = nullptr;
    Component* todo = todoWithUid(*m_root, edited.uid, &parent);
    if (!todo) {
        // A file without a task gets one, in its calendar when it has one.
        parent = findFirst(*m_root, "VCALENDAR", nullptr);
        if (!parent) {
            parent = m_root.get();
            parent->terminateLastLine(m_newline);
        }
        Component created("VTODO", m_newline);
        created.append(Component::Node(
            Property::text("UID", edited.uid.isEmpty() ? newUid() : edited.uid, m_newline)));
        parent->append(Component::Node(std::move(created)));
        todo = parent->nodes().back().component.get();
    }
    const ics::ZoneResolver zones(*m_root);
    const Reminder current = ics::readTodo(*todo, zones);
    ics::TodoWriter writer(parent && parent->is("VCALENDAR") ? parent : nullptr, *todo, zones,
                           m_newline);
    if (writer.apply(current, edited, now) || !bumpSequence)
        writer.stamp(now, bumpSequence);
}

void IcsItem::moveTaskAlarms(const QString& uid,
                             const std::function<QDateTime(const QDateTime&)>& move)
{
    Component* todo = todoWithUid(*m_root, uid, nullptr);
    if (!todo)
        return;
    const ics::ZoneResolver zones(*m_root);
    ics::TodoWriter writer(nullptr, *todo, zones, m_newline);
    writer.moveAbsoluteAlarms(move);
}

std::optional<IcsItem> IcsItem::todoAlone(const QString& uid) const
{
    Component* parent = nullptr;
    const Component* chosen = todoWithUid(*m_root, uid, &parent);
    if (!chosen)
        return std::nullopt;
    const QList<LocatedTodo> parts = partsOfTask(*m_root, chosen);
    const Component* source = parent->is("VCALENDAR") ? parent : nullptr;

    Component calendar("VCALENDAR", m_newline);
    const std::pair<QByteArrayView, QByteArrayView> header[] = {{"VERSION", "2.0"},
                                                                {"PRODID", kProductId}};
    for (const auto& [name, fallback] : header) {
        const Property* line = source ? source->property(name) : nullptr;
        calendar.append(
            Component::Node(line ? *line : Property::build(name, {}, fallback, m_newline)));
    }
    QSet<QByteArray> tzids;
    for (const LocatedTodo& part : parts)
        collectTzids(*part.todo, tzids);
    QList<const Component*> zones;
    if (!tzids.isEmpty())
        collectTimeZones(*m_root, tzids, zones);
    for (const Component* zone : std::as_const(zones))
        calendar.append(Component::Node(endedCopy(*zone, m_newline)));
    for (const LocatedTodo& part : parts) {
        Component todo = endedCopy(*part.todo, m_newline);
        dropParserNotes(todo);
        calendar.append(Component::Node(std::move(todo)));
    }
    Component document;
    document.append(Component::Node(std::move(calendar)));
    // Parsed from its own bytes: the copied lines point into this file's, which the new item
    // must not depend on.
    return parse(document.serialize());
}

std::optional<IcsItem> IcsItem::takeTodo(const QString& uid)
{
    std::optional<IcsItem> alone = todoAlone(uid);
    if (!alone)
        return std::nullopt;
    const QList<LocatedTodo> parts = partsOfTask(*m_root, todoWithUid(*m_root, uid, nullptr));
    for (const LocatedTodo& part : parts)
        part.parent->removeAt(part.parent->indexOf(part.todo));
    return alone;
}

QList<Event> IcsItem::events(const QDateTime& from, const QDateTime& to) const
{
    return ics::expandEvents(*m_root, from, to);
}

EventSpan IcsItem::eventSpan() const
{
    return ics::eventSpan(*m_root);
}

} // namespace store
