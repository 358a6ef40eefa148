#include "platform/sync/AccountsRun.h"

#include "platform/sync/SyncSetup.h"
#include "platform/sync/VdirsyncerConfig.h"

#include <QFile>

AccountsRun::AccountsRun(SyncSetup& setup, QHash<QString, EmptiedChoice> choices)
    : m_setup(setup)
    , m_choices(std::move(choices))
{}

bool AccountsRun::isChosen(const QString& list) const
{
    for (const SyncAccount& account : m_setup.accounts()) {
        for (const QString& collection : account.collections) {
            if (VdirsyncerConfig::pairName(account) + QLatin1Char('/') + collection == list)
                return true;
        }
    }
    return false;
}

QList<SyncRunner::Step> AccountsRun::begin()
{
    const QString file = m_setup.paths().emptiedFile();
    for (EmptiedList list : EmptiedLists::load(file)) {
        // A list no longer chosen is not synced anyway; chosen again, it starts afresh.
        if (!isChosen(list.name()))
            continue;
        m_handled.append(list.name());
        // Tasks here are only ever deleted with a copy kept.
        if (list.side == EmptiedList::Side::Server && list.copyFolder.isEmpty())
            list.copyFolder = m_setup.keepCopy(list);
        const auto choice = m_choices.constFind(list.name());
        if (choice == m_choices.cend() ||
            (*choice == EmptiedChoice::PassOn && list.side == EmptiedList::Side::Server &&
             list.copyFolder.isEmpty()))
            m_waiting.append(list);
        else if (*choice == EmptiedChoice::PassOn)
            m_passOn.append(list);
        else
            m_setup.forgetSyncState(list);
    }
    EmptiedLists::save(file, m_waiting);
    if (!writeConfig())
        return {};
    return steps();
}

std::optional<QList<SyncRunner::Step>> AccountsRun::recover(const QStringList& failedStep,
                                                            const SyncReport& soFar)
{
    bool changed = false;
    for (const QString& list : soFar.missingOnServer) {
        if (!m_missing.contains(list) && isChosen(list)) {
            m_missing.append(list);
            changed = true;
        }
    }
    if (failedStep.value(0) == QLatin1String("sync")) {
        for (const EmptiedList& list : soFar.emptied)
            changed = handleEmptied(list) || changed;
    }
    // Nothing this run can leave out: the failure is the run's.
    if (!changed || !writeConfig())
        return std::nullopt;
    return steps();
}

bool AccountsRun::handleEmptied(EmptiedList list)
{
    if (m_handled.contains(list.name()) || !isChosen(list.name()))
        return false;
    m_handled.append(list.name());
    // Taken now, whatever is chosen: a later sync may follow the server without asking once
    // the server's list holds anything again.
    if (list.side == EmptiedList::Side::Server)
        list.copyFolder = m_setup.keepCopy(list);
    const auto choice = m_choices.constFind(list.name());
    const bool uncopied = list.side == EmptiedList::Side::Server && list.copyFolder.isEmpty();
    if (choice == m_choices.cend() || (*choice == EmptiedChoice::PassOn && uncopied)) {
        m_waiting.append(list);
        EmptiedLists::save(m_setup.paths().emptiedFile(), m_waiting);
    } else if (*choice == EmptiedChoice::PassOn) {
        m_passOn.append(list);
    } else {
        m_setup.forgetSyncState(list);
    }
    return true;
}

QStringList AccountsRun::leftOut() const
{
    QStringList lists = m_missing;
    for (const EmptiedList& list : m_waiting)
        lists.append(list.name());
    return lists;
}

bool AccountsRun::writeConfig()
{
    return m_setup.writeConfig(leftOut());
}

QList<SyncRunner::Step> AccountsRun::steps() const
{
    QStringList forced;
    for (const EmptiedList& list : m_passOn)
        forced.append(list.name());
    return SyncRunner::syncSteps(forced);
}

SyncReport AccountsRun::finish(SyncReport report)
{
    report.missingOnServer = m_missing;
    report.waiting = m_waiting;
    if (report.ok()) {
        report.passedOn = m_passOn;
    } else if (!m_passOn.isEmpty()) {
        // The emptying may not have been passed on: the lists wait again, and are asked about
        // again.
        EmptiedLists::save(m_setup.paths().emptiedFile(), m_waiting + m_passOn);
        report.waiting += m_passOn;
    }
    for (const QString& list : leftOut() + report.refusedIn)
        report.titles.insert(list, m_setup.listTitle(list));
    for (const EmptiedList& list : report.passedOn + report.emptied)
        report.titles.insert(list.name(), m_setup.listTitle(list.name()));
    return report;
}
