#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

// The onboarding's choice of visible lists: every list of the store with the visible ones
// first in the user's order, which of them are checked, and the rules for changing that (the
// default list stays visible, and so does the last visible list).
class IntroListChoice
{
public:
    struct List
    {
        QString identifier;
        QString title;
        QColor color;
    };

    // `stored` is the stored "visibleLists"; on a first launch, with nothing or only the
    // default list there, every list starts checked with the default list first.
    void setup(const QStringList& stored, const List& defaultList, const QList<List>& all);

    const QList<List>& lists() const { return m_lists; }
    const QStringList& visibleLists() const { return m_visible; }
    bool isVisible(const QString& identifier) const { return m_visible.contains(identifier); }
    bool isDefault(const List& list) const { return list.title == m_defaultTitle; }

    enum class Change { Done, Refused, NeedsCheck };
    // Hiding is refused for the default list and for the last visible list. Showing a list
    // needs a check against the store first (show() then adds it).
    Change hide(const QString& identifier);
    Change requestShow(const QString& identifier) const;
    void show(const QString& identifier);

    // The preferences "visibleLists" and "invisibleLists", both in the order of lists().
    QStringList visibleInOrder() const;
    QStringList invisibleInOrder() const;

private:
    const List* find(const QString& identifier) const;

    QList<List> m_lists;
    QStringList m_visible;
    QString m_defaultTitle;
};
