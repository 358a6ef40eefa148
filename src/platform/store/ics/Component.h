#pragma once

#include "platform/store/ics/Property.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace store::ics {

// A component of the content-line tree (VCALENDAR, VTODO, VALARM, VLOCATION, any X-
// component) holding its lines and sub-components in file order. The document itself is a
// component without a name whose opening line is whatever precedes the first line (a
// byte-order mark) and which has no closing line.
class Component
{
public:
    // One entry of a component, in file order: a line, or a sub-component.
    struct Node
    {
        Property property;
        std::unique_ptr<Component> component;

        Node() = default;
        explicit Node(Property line)
            : property(std::move(line))
        {}
        explicit Node(Component child);
        Node(const Node& other);
        Node& operator=(const Node& other);
        Node(Node&&) noexcept = default;
        Node& operator=(Node&&) noexcept = default;
        bool isComponent() const { return component != nullptr; }
    };

    Component() = default;
    // A new component with BEGIN and END lines ended by `newline`.
    Component(QByteArrayView name, QByteArrayView newline);
    Component(const Component& other) = default;
    Component& operator=(const Component& other) = default;
    Component(Component&&) noexcept = default;
    Component& operator=(Component&&) noexcept = default;

    // Parses a whole file. nullopt with a reason when the text is not one or more complete
    // components (missing or mismatched END, text before the first component, none at all).
    // The lines read refer to the file's bytes, which the document shares: a sub-component
    // copied out of it is valid only as long as the document (or a copy of it) lives.
    static std::optional<Component> parseDocument(const QByteArray& bytes, QString* error);

    QByteArrayView name() const { return m_begin.trimmedValue(); }
    bool is(QByteArrayView componentName) const { return sameName(name(), componentName); }

    std::vector<Node>& nodes() { return m_nodes; }
    const std::vector<Node>& nodes() const { return m_nodes; }

    const Property* property(QByteArrayView propertyName) const;
    Property* property(QByteArrayView propertyName);
    QList<const Property*> properties(QByteArrayView propertyName) const;
    const Component* child(QByteArrayView componentName) const;
    Component* child(QByteArrayView componentName);
    QList<const Component*> children(QByteArrayView componentName) const;
    QList<Component*> children(QByteArrayView componentName);

    // Replaces the first line of that name in place, or appends the line at the end.
    void setProperty(const Property& line);
    // Removes every line of that name; returns the index the first one had, or -1.
    qsizetype removeProperties(QByteArrayView propertyName);
    void insert(qsizetype index, Node node);
    void append(Node node) { m_nodes.push_back(std::move(node)); }
    // Ends the last line with `newline` when the file ended without one, so that lines
    // appended after it start a line of their own.
    void terminateLastLine(QByteArrayView newline);
    void removeAt(qsizetype index) { m_nodes.erase(m_nodes.begin() + index); }
    qsizetype indexOf(const Component* childComponent) const;
    qsizetype indexOf(const Property* line) const;

    QByteArray serialize() const;
    void serializeInto(QByteArray& out) const;
    // The size serialize() yields, to reserve it at once.
    qsizetype serializedSize() const;

private:
    QByteArray m_source; // the document's bytes, which its lines point into
    Property m_begin;
    Property m_end;
    std::vector<Node> m_nodes;
};

} // namespace store::ics
