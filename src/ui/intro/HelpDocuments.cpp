#include "ui/intro/HelpDocuments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace HelpDocuments {

QString normalisedName(const QString& name)
{
    if (name == kUpdate || name == kFaq || name == kAcknowledgements)
        return name;
    return kHelp;
}

QString heading(const QString& name)
{
    const QString shown = normalisedName(name);
    if (shown == kUpdate)
        return QCoreApplication::translate("HelpWindowController", "Update Note");
    if (shown == kFaq)
        return QCoreApplication::translate("HelpWindowController", "FAQ");
    if (shown == kAcknowledgements)
        return QCoreApplication::translate("HelpWindowController", "Acknowledgements");
    return QCoreApplication::translate("HelpWindowController", "Help");
}

QStringList linkNames(const QString& shownName)
{
    QStringList names{kHelp, kFaq, kUpdate, kAcknowledgements};
    names.removeOne(normalisedName(shownName));
    return names;
}

QString folder(const QString& language)
{
    const QString english = QStringLiteral(":/velmoran/help");
    const QString translated = english + QLatin1Char('/') + language;
    return QFileInfo(translated + QLatin1Char('/') + kHelp + QStringLiteral(".html")).exists()
               ? translated
               : english;
}

QUrl url(const QString& name)
{
    return QUrl(QStringLiteral("qrc") + folder() + QLatin1Char('/') + normalisedName(name) +
                QStringLiteral(".html"));
}

QStringList allFiles(const QString& language)
{
    return QDir(folder(language)).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

} // namespace HelpDocuments
