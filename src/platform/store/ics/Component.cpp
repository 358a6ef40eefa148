#include "platform/store/ics/Component.h"

#include <QCoreApplication>

#include <cstring>

namespace store::ics {

namespace {

// Deeper nesting than this is no calendar; refusing it keeps the recursive copy, write and
// destruction of a hostile file from exhausting the stack.
constexpr int maximumDepth = 256;

struct IcsItem
{
    Q_DECLARE_TR_FUNCTIONS(IcsItem)
};

} // namespace

Component::Node::Node(Component child)
    : component(std::make_unique<Component>(std::move(child)))
{}

Component::Node::Node(const Node& other)
    : property(other.property)
    , component(other.component ? std::make_unique<Component>(*other.component) : nullptr)
{}

Component::Node& Component::Node::operator=(const Node& other)
{
    if (this != &other) {
        property = other.property;
        component = other.component ? std::make_unique<Component>(*other.component) : nullptr;
    }
    return *this;
}

Component::Component(QByteArrayView name, QByteArrayView newline)
    : m_begin(Property::build("BEGIN", {}, name, newline))
    , m_end(Property::build("END", {}, name, newline))
{}

std::optional<Component> Component::parseDocument(const QByteArray& bytes, QString* error)
{
    auto fail = [error](const QString& reason) -> std::optional<Component> {
        if (error)
            *error = reason;
        return std::nullopt;
    };

    // Lines are views into one shared copy of the file rather than a copy each: a task is
    // read in a few microseconds, and allocating every line was a good part of that.
    Component root;
    const bool owned = const_cast<QByteArray&>(bytes).data_ptr().isMutable();
    root.m_source = owned ? bytes : QByteArray(bytes.constData(), bytes.size());
    const char* data = root.m_source.constData();
    const qsizetype size = root.m_source.size();
    qsizetype pos = 0;
    if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0) {
        root.m_begin = Property::fromRaw(QByteArray::fromRawData(data, 3));
        pos = 3;
    }

    std::vector<Component*> open{&root};
    bool sawComponent = false;
    while (pos < size) {
        // A logical line: one physical line and every following line that starts with a
        // blank. Only LF ends a line; a lone CR is an ordinary byte of the value.
        const qsizetype start = pos;
        do {
            const void* lineBreak = std::memchr(data + pos, '\n', size_t(size - pos));
            pos = lineBreak ? static_cast<const char*>(lineBreak) - data + 1 : size;
        } while (pos < size && (data[pos] == ' ' || data[pos] == '\t'));

        Property line = Property::fromRaw(QByteArray::fromRawData(data + start, pos - start));
        Component* current = open.back();
        if (line.is("BEGIN")) {
            if (int(open.size()) > maximumDepth)
                return fail(IcsItem::tr("Components are nested too deeply"));
            current->m_nodes.emplace_back();
            Node& node = current->m_nodes.back();
            node.component = std::make_unique<Component>();
            node.component->m_begin = std::move(line);
            open.push_back(node.component.get());
            sawComponent = true;
        } else if (line.is("END")) {
            if (open.size() == 1)
                return fail(IcsItem::tr("END without BEGIN"));
            if (!sameName(line.trimmedValue(), current->name()))
                return fail(IcsItem::tr("END:%1 closes BEGIN:%2")
                                .arg(QString::fromUtf8(line.trimmedValue()),
                                     QString::fromUtf8(current->name())));
            current->m_end = std::move(line);
            open.pop_back();
        } else {
            // Some servers append a comment after the calendar; a file that does not begin
            // with a component, though, is no calendar.
            if (open.size() == 1 && !sawComponent && !line.isBlank())
                return fail(IcsItem::tr("Text before the first component"));
            current->m_nodes.emplace_back(std::move(line));
        }
    }
    if (open.size() > 1)
        return fail(
            IcsItem::tr("BEGIN:%1 is never closed").arg(QString::fromUtf8(open.back()->name())));
    if (!sawComponent)
        return fail(IcsItem::tr("The file is empty"));
    return root;
}

const Property* Component::property(QByteArrayView propertyName) const
{
    for (const Node& node : m_nodes) {
        if (!node.component && node.property.is(propertyName))
            return &node.property;
    }
    return nullptr;
}

Property* Component::property(QByteArrayView propertyName)
{
    return const_cast<Property*>(std::as_const(*this).property(propertyName));
}

QList<const Property*> Component::properties(QByteArrayView propertyName) const
{
    QList<const Property*> result;
    for (const Node& node : m_nodes) {
        if (!node.component && node.property.is(propertyName))
            result.append(&node.property);
    }
    return result;
}

const Component* Component::child(QByteArrayView componentName) const
{
    for (const Node& node : m_nodes) {
        if (node.component && node.component->is(componentName))
            return node.component.get();
    }
    return nullptr;
}

Component* Component::child(QByteArrayView componentName)
{
    return const_cast<Component*>(std::as_const(*this).child(componentName));
}

QList<const Component*> Component::children(QByteArrayView componentName) const
{
    QList<const Component*> result;
    for (const Node& node : m_nodes) {
        if (node.component && node.component->is(componentName))
            result.append(node.component.get());
    }
    return result;
}

QList<Component*> Component::children(QByteArrayView componentName)
{
    QList<Component*> result;
    for (Node& node : m_nodes) {
        if (node.component && node.component->is(componentName))
            result.append(node.component.get());
    }
    return result;
}

void Component::setProperty(const Property& line)
{
    if (Property* existing = property(line.name())) {
        *existing = line;
        return;
    }
    append(Node(line));
}

qsizetype Component::removeProperties(QByteArrayView propertyName)
{
    qsizetype first = -1;
    for (qsizetype i = qsizetype(m_nodes.size()) - 1; i >= 0; --i) {
        const Node& node = m_nodes[size_t(i)];
        if (!node.component && node.property.is(propertyName)) {
            removeAt(i);
            first = i;
        }
    }
    return first;
}

void Component::insert(qsizetype index, Node node)
{
    index = qBound(qsizetype(0), index, qsizetype(m_nodes.size()));
    m_nodes.insert(m_nodes.begin() + index, std::move(node));
}

void Component::terminateLastLine(QByteArrayView newline)
{
    Property* last = &m_end;
    if (last->raw().isEmpty()) {
        if (m_nodes.empty())
            return;
        Node& node = m_nodes.back();
        if (node.component) {
            node.component->terminateLastLine(newline);
            return;
        }
        last = &node.property;
    }
    if (!last->raw().endsWith('\n'))
        *last = Property::fromRaw(last->raw() + newline.toByteArray());
}

qsizetype Component::indexOf(const Component* childComponent) const
{
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        if (m_nodes[i].component.get() == childComponent)
            return qsizetype(i);
    }
    return -1;
}

qsizetype Component::indexOf(const Property* line) const
{
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        if (!m_nodes[i].component && &m_nodes[i].property == line)
            return qsizetype(i);
    }
    return -1;
}

QByteArray Component::serialize() const
{
    QByteArray out;
    out.reserve(serializedSize());
    serializeInto(out);
    return out;
}

void Component::serializeInto(QByteArray& out) const
{
    out += m_begin.raw();
    for (const Node& node : m_nodes) {
        if (node.component)
            node.component->serializeInto(out);
        else
            out += node.property.raw();
    }
    out += m_end.raw();
}

qsizetype Component::serializedSize() const
{
    qsizetype size = m_begin.raw().size() + m_end.raw().size();
    for (const Node& node : m_nodes)
        size += node.component ? node.component->serializedSize() : node.property.raw().size();
    return size;
}

} // namespace store::ics
