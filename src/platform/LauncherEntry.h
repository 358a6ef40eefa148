#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

// The count on the application's launcher icon (docks and task bars that follow the
// freedesktop/Unity launcher entry convention: KDE Plasma, Dash to Dock, Plank...). The label is
// the badge text the data manager computes: a number, or empty for no badge.
class LauncherEntry : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* kInterface = "com.canonical.Unity.LauncherEntry";

    explicit LauncherEntry(QDBusConnection connection = QDBusConnection::sessionBus(),
                           const QString& desktopFileName = QStringLiteral("velmoran.desktop"),
                           QObject* parent = nullptr);

    QString applicationUri() const { return m_applicationUri; }
    QString objectPath() const { return m_objectPath; }
    QString label() const { return m_label; }

    // Sends the label to the launcher; a label that is not a whole number hides the count.
    // Returns false when no session bus is there to carry it.
    bool setLabel(const QString& label);

private:
    QDBusConnection m_connection;
    QString m_applicationUri;
    QString m_objectPath;
    QString m_label;
};
