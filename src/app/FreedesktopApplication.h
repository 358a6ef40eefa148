#pragma once

#include <QDBusAbstractAdaptor>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class ApplicationInterface;

// org.freedesktop.Application on the application's object: the interface desktops and launchers
// use to hand a running program a request together with "platform data", whose
// "activation-token" lets the window the request raises take the focus. The commands of
// ApplicationInterface are its actions ("toggle-window", "show-panel", "new-task").
class FreedesktopApplication : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    static constexpr const char* kInterface = "org.freedesktop.Application";

    explicit FreedesktopApplication(ApplicationInterface* application);

public Q_SLOTS:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& actionName, const QVariantList& parameter,
                        const QVariantMap& platformData);

private:
    ApplicationInterface* m_application;
};
