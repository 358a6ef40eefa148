#include "ui/intro/IntroListChoice.h"

void IntroListChoice::setup(const QStringList& stored, const List& defaultList,
                            const QList<List>& all)
{
    m_defaultTitle = defaultList.title;
    m_visible = stored;
    if (!defaultList.identifier.isEmpty() && !m_visible.contains(defaultList.identifier))
        m_visible << defaultList.identifier;
    const bool onlyDefault = m_visible.size() == 1;
    m_lists.clear();
    for (const QString& identifier : std::as_const(m_visible)) {
        for (const List& list : all) {
            if (list.identifier == identifier)
                m_lists << list;
        }
    }
    for (const List& list : all) {
        if (m_visible.contains(list.identifier))
            continue;
        m_lists << list;
        if (onlyDefault)
            m_visible << list.identifier;
    }
    // Identifiers of lists that are gone would keep the last real list from being hidden.
    QStringList existing;
    for (const List& list : std::as_const(m_lists)) {
        if (m_visible.contains(list.identifier))
            existing << list.identifier;
    }
    m_visible = existing;
}

const IntroListChoice::List* IntroListChoice::find(const QString& identifier) const
{
    for (const List& list : m_lists) {
        if (list.identifier == identifier)
            return &list;
    }
    return nullptr;
}

IntroListChoice::Change IntroListChoice::hide(const QString& identifier)
{
    const List* list = find(identifier);
    if (!list || isDefault(*list) || !m_visible.contains(identifier) || m_visible.size() == 1)
        return Change::Refused;
    m_visible.removeAll(identifier);
    return Change::Done;
}

IntroListChoice::Change IntroListChoice::requestShow(const QString& identifier) const
{
    const List* list = find(identifier);
    if (!list || isDefault(*list) || m_visible.contains(identifier))
        return Change::Refused;
    return Change::NeedsCheck;
}

void IntroListChoice::show(const QString& identifier)
{
    if (find(identifier) && !m_visible.contains(identifier))
        m_visible << identifier;
}

QStringList IntroListChoice::visibleInOrder() const
{
    QStringList visible;
    for (const List& list : m_lists) {
        if (m_visible.contains(list.identifier))
            visible << list.identifier;
    }
    return visible;
}

QStringList IntroListChoice::invisibleInOrder() const
{
    QStringList invisible;
    for (const List& list : m_lists) {
        if (!m_visible.contains(list.identifier))
            invisible << list.identifier;
    }
    return invisible;
}
