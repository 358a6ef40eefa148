#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class QCoreApplication;

// Which language the program speaks and the catalogues that make it do so: the first of the
// user's languages (LANGUAGE, then LC_ALL, LC_MESSAGES and LANG) that Velmoran has a catalogue
// for, else English. Qt's own texts (the standard dialogs' buttons, the command line's
// --help) follow in the same language where Qt ships them.
class InterfaceLanguage
{
public:
    // Every text accented and longer, to see which windows have no room for a language longer
    // than English; chosen only when named (LANGUAGE=en_XA), never for a user's "en-…".
    static inline const QString kPseudoLanguage = QStringLiteral("en_XA");

    // The language for these preferred languages ("de-DE", "fr", …): "de", "fr" or "en".
    static QString chooseFor(const QStringList& preferredLanguages);
    // The languages Velmoran has a catalogue for, English first; not the pseudo-language.
    static QStringList available();

    // Installs the catalogues of the chosen language on the application; English when
    // useEnglish. Answers the language installed. Call once, before any window is made.
    static QString install(QCoreApplication& application, bool useEnglish);
    // Installs the catalogues of `language` ("de"; one of available()) in place of those
    // installed before.
    static void install(QCoreApplication& application, const QString& language);
    // The language installed last: what defaults in words of the user's language (the Smart
    // Add rules written at the first launch) are written in. English before any install.
    static QString current();
    // The user's languages as the desktop sets them.
    static QStringList preferredLanguages() { return QLocale::system().uiLanguages(); }
};
