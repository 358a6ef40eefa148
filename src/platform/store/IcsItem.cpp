#include "platform/store/IcsItem.h"

#include "platform/Clock.h"
#include "platform/store/ics/Component.h"
#include "platform/store/ics/EventExpander.h"
#include "platform/store/ics/TodoReader.h"
#include "platform/store/ics/TodoWriter.h"
#include "platform/store/ics/ValueFormat.h"

#include <QUuid>

namespace store {

using ics::Component;
using ics::Property;

namespace {

constexpr QByteArrayView productId = "-//Velmoran//Velmoran//EN";

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
    calendar.append(Component::Node(Property::build("PRODID", {}, productId, newline)));
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

Reminder IcsItem::toReminder() const
{
    const Component* todo = findFirst(*m_root, "VTODO", nullptr);
    if (!todo)
        return {};
    const ics::ZoneResolver zones(*m_root);
    return ics::readTodo(*todo, zones);
}

void IcsItem::applyReminder(const Reminder& edited, const QDateTime& now)
{
    writeReminder(edited, now, true);
}

void IcsItem::writeReminder(const Reminder& edited, const QDateTime& now, bool bumpSequence)
{
    Component* parent = nullptr;
    Component* todo = findFirst(*m_root, "VTODO", &parent);
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

void IcsItem::moveTaskAlarms(const std::function<QDateTime(const QDateTime&)>& move)
{
    Component* todo = findFirst(*m_root, "VTODO", nullptr);
    if (!todo)
        return;
    const ics::ZoneResolver zones(*m_root);
    ics::TodoWriter writer(nullptr, *todo, zones, m_newline);
    writer.moveAbsoluteAlarms(move);
}

QList<Event> IcsItem::events(const QDateTime& from, const QDateTime& to) const
{
    return ics::expandEvents(*m_root, from, to);
}

} // namespace store
