#include "platform/AutostartEntry.h"

#include "platform/ReplaceFileContents.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

struct AutostartEntryText
{
    Q_DECLARE_TR_FUNCTIONS(AutostartEntry)
};

// An Exec value: the program in double quotes with its quotes, backquotes, backslashes and dollar
// signs escaped, as desktop entries want them, so that a path with spaces or quotes survives.
QString quotedProgram(const QString& executable)
{
    QString escaped;
    for (const QChar c : executable) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    return u'"' + escaped + u'"';
}

} // namespace

QString AutostartEntry::path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/velmoran.desktop");
}

bool AutostartEntry::exists()
{
    return QFileInfo::exists(path());
}

QByteArray AutostartEntry::contents(const QString& executable)
{
    QByteArray text = "[Desktop Entry]\n"
                      "Type=Application\n"
                      "Name=Velmoran\n"
                      "Comment=Delivers task alarms after login\n";
    text += "Exec=" + quotedProgram(executable).toUtf8() + ' ' + backgroundOption().toUtf8() + '\n';
    text += "Icon=velmoran\n"
            "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n";
    return text;
}

bool AutostartEntry::apply(bool startAtLogin, const QString& executable, QString* error)
{
    const QString file = path();
    if (!startAtLogin) {
        if (!QFileInfo::exists(file) || QFile::remove(file))
            return true;
        if (error)
            *error = AutostartEntryText::tr("The autostart entry %1 cannot be removed.").arg(file);
        return false;
    }
    const QByteArray text = contents(executable);
    QFile current(file);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == text)
        return true;
    current.close();
    if (!QDir().mkpath(QFileInfo(file).path())) {
        if (error)
            *error = AutostartEntryText::tr("The autostart folder %1 cannot be created.")
                         .arg(QFileInfo(file).path());
        return false;
    }
    QString reason;
    if (!replaceFileContents(file, text, &reason)) {
        if (error)
            *error = AutostartEntryText::tr("The autostart entry %1 cannot be written: %2")
                         .arg(file, reason);
        return false;
    }
    return true;
}
