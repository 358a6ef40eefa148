#include "platform/i18n/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

const QString kCatalogueFolder = QStringLiteral(":/velmoran/i18n");
const QString kEnglish = QStringLiteral("en");
// "de-DE" and "de_DE.UTF-8" name the locale "de_de" of the language "de".
QString localeOf(const QString& name)
{
    return name.section(QLatin1Char('.'), 0, 0)
        .section(QLatin1Char('@'), 0, 0)
        .replace(QLatin1Char('-'), QLatin1Char('_'))
        .toLower();
}

QString languageOf(const QString& name)
{
    return localeOf(name).section(QLatin1Char('_'), 0, 0);
}

// What install() put in place, so that another language replaces it instead of being
// consulted after it.
QString& currentLanguage()
{
    static QString language = kEnglish;
    return language;
}

QList<QPointer<QTranslator>>& installedCatalogues()
{
    static QList<QPointer<QTranslator>> catalogues;
    return catalogues;
}

void installCatalogue(QCoreApplication& application, const QString& path)
{
    auto* translator = new QTranslator(&application);
    if (translator->load(path)) {
        QCoreApplication::installTranslator(translator);
        installedCatalogues().append(translator);
    } else {
        delete translator;
    }
}

} // namespace

QStringList InterfaceLanguage::available()
{
    QStringList languages{kEnglish};
    const QStringList files =
        QDir(kCatalogueFolder).entryList({QStringLiteral("velmoran_*.qm")}, QDir::Files);
    for (const QString& file : files) {
        const QString language = file.mid(9).chopped(3);
        if (language != kEnglish && language != InterfaceLanguage::kPseudoLanguage)
            languages.append(language);
    }
    return languages;
}

QString InterfaceLanguage::chooseFor(const QStringList& preferredLanguages)
{
    const QStringList languages = available();
    for (const QString& preferred : preferredLanguages) {
        if (localeOf(preferred) == kPseudoLanguage.toLower() &&
            QFile::exists(kCatalogueFolder + QStringLiteral("/velmoran_") + kPseudoLanguage +
                          QStringLiteral(".qm")))
            return kPseudoLanguage;
        const QString language = languageOf(preferred);
        // "C" and "POSIX" ask for no translation at all.
        if (language == QLatin1String("c") || language == QLatin1String("posix"))
            return kEnglish;
        if (languages.contains(language))
            return language;
    }
    return kEnglish;
}

QString InterfaceLanguage::install(QCoreApplication& application, bool useEnglish)
{
    const QString language = useEnglish ? kEnglish : chooseFor(preferredLanguages());
    install(application, language);
    return language;
}

void InterfaceLanguage::install(QCoreApplication& application, const QString& language)
{
    for (const QPointer<QTranslator>& earlier : std::as_const(installedCatalogues())) {
        if (earlier) {
            QCoreApplication::removeTranslator(earlier);
            delete earlier.data();
        }
    }
    installedCatalogues().clear();
    installCatalogue(application, kCatalogueFolder + QStringLiteral("/velmoran_") + language);
    if (language != kEnglish && language != kPseudoLanguage)
        installCatalogue(application, QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                                          QStringLiteral("/qtbase_") + language);
    currentLanguage() = language;
}

QString InterfaceLanguage::current()
{
    return currentLanguage();
}
