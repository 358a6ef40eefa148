#include "app/IncomingRequests.h"

IncomingRequests::IncomingRequests(DataManager& manager, ShowTaskTarget* target, QObject* parent)
    : QObject(parent)
    , m_urlCommand(manager, target)
    , m_services(manager)
{}

void IncomingRequests::openUrl(const QString& url)
{
    run([this, url] { m_urlCommand.getUrl(url); });
}

void IncomingRequests::newTaskFromText(const QString& text)
{
    run([this, text] { m_services.newTaskFromServices(text); });
}

void IncomingRequests::setReady()
{
    if (m_ready)
        return;
    m_ready = true;
    const QList<std::function<void()>> waiting = std::exchange(m_waiting, {});
    for (const auto& request : waiting)
        request();
}

void IncomingRequests::run(std::function<void()> request)
{
    if (m_ready)
        request();
    else
        m_waiting.append(std::move(request));
}
