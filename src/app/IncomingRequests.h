#pragma once

#include "commands/ServicesEntry.h"
#include "commands/UrlCommand.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class DataManager;
class ShowTaskTarget;

// URLs and texts that reach the application from outside: its own command line, a later
// launch, or another program over the bus. They wait until the data manager's first refresh,
// because before it the lists a URL names are not known yet.
class IncomingRequests : public QObject
{
    Q_OBJECT

public:
    // `target` shows opened tasks; it must outlive this object.
    IncomingRequests(DataManager& manager, ShowTaskTarget* target, QObject* parent = nullptr);

public Q_SLOTS:
    void openUrl(const QString& url);
    void newTaskFromText(const QString& text);
    // Runs what waited; later requests run at once. Calling it again does nothing.
    void setReady();

private:
    void run(std::function<void()> request);

    UrlCommand m_urlCommand;
    VelmoranServices m_services;
    bool m_ready = false;
    QList<std::function<void()>> m_waiting;
};
