#include "app/FreedesktopApplication.h"

#include "app/ApplicationInterface.h"

FreedesktopApplication::FreedesktopApplication(ApplicationInterface* application)
    : QDBusAbstractAdaptor(application)
    , m_application(application)
{}

void FreedesktopApplication::Activate(const QVariantMap& platformData)
{
    m_application->activate(platformData);
}

void FreedesktopApplication::Open(const QStringList& uris, const QVariantMap& platformData)
{
    // All or none: a caller told of a refusal knows that nothing of its request was done.
    for (const QString& uri : uris) {
        const QString reason = ApplicationInterface::refusalForUrl(uri);
        if (!reason.isEmpty())
            return m_application->refuse(reason);
    }
    m_application->open(uris, platformData);
}

void FreedesktopApplication::ActivateAction(const QString& actionName,
                                            const QVariantList& parameter,
                                            const QVariantMap& platformData)
{
    const std::optional<ApplicationInterface::Command> command =
        ApplicationInterface::commandNamed(actionName);
    if (!command)
        return m_application->refuse(tr("There is no action \"%1\".").arg(actionName.left(100)));
    if (!parameter.isEmpty())
        return m_application->refuse(tr("The action \"%1\" takes no parameter.").arg(actionName));
    m_application->runCommand(*command, platformData);
}
