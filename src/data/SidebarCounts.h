#pragma once

#include "data/CountDictionary.h"

#include <QMutex>
#include <QObject>

class DataLog;
class QThreadPool;
class SharedDates;
class StoreSession;
class TaskLists;
class UserDefaults;

// The numbers beside the sidebar's entries and the application icon badge. The counts are
// worked out from the snapshot on a background thread after every refresh and published on
// the main thread; the badge label follows the "appIconBadge" choice at once.
class SidebarCounts : public QObject
{
    Q_OBJECT

public:
    SidebarCounts(StoreSession& session, TaskLists& lists, SharedDates& dates,
                  UserDefaults& defaults, QThreadPool& background, const DataLog& log,
                  QObject* parent = nullptr);

    CountDictionary countDictionary() const;
    // Starts the count job and sets the badge label.
    void refreshCounts();

    // The badge: empty, or a number.
    QString badgeLabel() const { return m_badgeLabel; }
    void setBadgeLabel(const QString& label);
    // The tasks the badge counts by "appIconBadgeType", "appIconBadgeOverdue" and
    // "appIconBadgeUndated"; 0 without a snapshot.
    quint64 calculateAppIconBadgeNumber() const;

Q_SIGNALS:
    void countsRefreshed();
    void badgeLabelChanged(const QString& label);

private:
    StoreSession& m_session;
    TaskLists& m_lists;
    SharedDates& m_dates;
    UserDefaults& m_defaults;
    QThreadPool& m_background;
    const DataLog& m_log;
    mutable QMutex m_mutex;
    CountDictionary m_countDictionary;
    QString m_badgeLabel;
};
