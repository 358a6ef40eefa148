#pragma once

#include "platform/i18n/InterfaceLanguage.h"

#include <QString>
#include <QStringList>
#include <QUrl>

// The help documents that ship inside the program: the four the help window switches between
// ("Help", "Update", "FAQ", "Acknowledgements"), the topic pages they link to, and which
// document each of the window's three link buttons shows.
namespace HelpDocuments {

inline const QString kHelp = QStringLiteral("Help");
inline const QString kUpdate = QStringLiteral("Update");
inline const QString kFaq = QStringLiteral("FAQ");
inline const QString kAcknowledgements = QStringLiteral("Acknowledgements");

// Any name that is not one of the other three shows "Help".
QString normalisedName(const QString& name);
QString heading(const QString& name);
// The three other documents, in the order Help, FAQ, Update, Acknowledgements.
QStringList linkNames(const QString& shownName);
// Where the browser finds the documents and the pages they link to, in the program's language;
// English where a language has no pages of its own.
QString folder(const QString& language = InterfaceLanguage::current());
QUrl url(const QString& name);
// Every shipped page, the four documents and the topic pages.
QStringList allFiles(const QString& language = InterfaceLanguage::current());

} // namespace HelpDocuments
