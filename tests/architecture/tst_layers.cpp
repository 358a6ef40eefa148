#include "TestEnvironment.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

// Each layer and the layers its files may include, bottom to top, as docs/architecture.md
// draws them. A layer always includes its own folder.
const QMap<QString, QSet<QString>>& allowedIncludes()
{
    static const QMap<QString, QSet<QString>> table{
        {QStringLiteral("platform"), {}},
        {QStringLiteral("hotkeys"), {QStringLiteral("platform")}},
        {QStringLiteral("prefs"), {QStringLiteral("platform")}},
        {QStringLiteral("text"), {QStringLiteral("platform"), QStringLiteral("prefs")}},
        {QStringLiteral("entry"),
         {QStringLiteral("platform"), QStringLiteral("prefs"), QStringLiteral("text")}},
        {QStringLiteral("data"),
         {QStringLiteral("platform"), QStringLiteral("prefs"), QStringLiteral("text"),
          QStringLiteral("entry")}},
        {QStringLiteral("commands"),
         {QStringLiteral("platform"), QStringLiteral("prefs"), QStringLiteral("text"),
          QStringLiteral("entry"), QStringLiteral("data")}},
        {QStringLiteral("presentation"),
         {QStringLiteral("platform"), QStringLiteral("prefs"), QStringLiteral("text"),
          QStringLiteral("entry"), QStringLiteral("data"), QStringLiteral("commands")}},
        {QStringLiteral("ui"),
         {QStringLiteral("platform"), QStringLiteral("hotkeys"), QStringLiteral("prefs"),
          QStringLiteral("text"), QStringLiteral("entry"), QStringLiteral("data"),
          QStringLiteral("commands"), QStringLiteral("presentation")}},
        {QStringLiteral("cli"),
         {QStringLiteral("platform"), QStringLiteral("prefs"), QStringLiteral("text"),
          QStringLiteral("entry"), QStringLiteral("data"), QStringLiteral("commands")}},
        {QStringLiteral("app"),
         {QStringLiteral("platform"), QStringLiteral("hotkeys"), QStringLiteral("prefs"),
          QStringLiteral("text"), QStringLiteral("entry"), QStringLiteral("data"),
          QStringLiteral("commands"), QStringLiteral("presentation"), QStringLiteral("ui")}},
    };
    return table;
}

// The layers below the widget library, which must build without Qt Widgets.
const QSet<QString> kCoreLayers{QStringLiteral("platform"), QStringLiteral("hotkeys"),
                                QStringLiteral("prefs"),    QStringLiteral("text"),
                                QStringLiteral("entry"),    QStringLiteral("data"),
                                QStringLiteral("commands"), QStringLiteral("presentation")};

struct Include
{
    QString file; // relative to src/
    int line;
    QString target; // the included path as written
};

QString sourceRoot()
{
    return TestEnvironment::sourceDir() + QStringLiteral("/src");
}

QList<Include> projectIncludes()
{
    static const QRegularExpression directive(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\""));
    QList<Include> found;
    const QDir root(sourceRoot());
    QDirIterator it(root.path(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        int number = 0;
        while (!file.atEnd()) {
            ++number;
            const QString text = QString::fromUtf8(file.readLine());
            const QRegularExpressionMatch match = directive.match(text);
            if (match.hasMatch())
                found.append({root.relativeFilePath(path), number, match.captured(1)});
        }
    }
    return found;
}

QString layerOf(const QString& path)
{
    return path.section(QLatin1Char('/'), 0, 0);
}

// The sources of the command line's library as the build lists them, relative to src/.
QSet<QString> commandLineSources()
{
    QFile list(QStringLiteral(VELMORAN_CORE_SOURCES_LIST));
    if (!list.open(QIODevice::ReadOnly))
        return {};
    const QDir root(sourceRoot());
    QSet<QString> sources;
    for (const QByteArray& line : list.readAll().split('\n')) {
        if (!line.trimmed().isEmpty())
            sources.insert(root.relativeFilePath(QString::fromUtf8(line.trimmed())));
    }
    return sources;
}

// Whether `#include <name>` reaches a library the command line must not load: the graphics
// part of Qt (any header Qt installs for it), X11, sound or GIO.
bool isDesktopLibraryHeader(const QString& name)
{
    static const QSet<QString> guiHeaders = [] {
        const QDir folder(QLibraryInfo::path(QLibraryInfo::HeadersPath) + QStringLiteral("/QtGui"));
        const QStringList names = folder.entryList(QDir::Files);
        return QSet<QString>(names.cbegin(), names.cend());
    }();
    static const QRegularExpression desktopLibraries(
        QStringLiteral("^(QtGui|QtWidgets|QtNetwork|xcb|X11|canberra|gio|glib)\\b"));
    return guiHeaders.contains(name) || desktopLibraries.match(name).hasMatch();
}

} // namespace

// The include graph of src/ runs one way, bottom to top: no file includes a header of a layer
// above its own, so the layers cannot form a circle.
class TestLayers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyFolderIsALayer()
    {
        const QDir root(sourceRoot());
        QVERIFY2(root.exists(), qPrintable(root.path()));
        for (const QString& folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QVERIFY2(
                allowedIncludes().contains(folder),
                qPrintable(QStringLiteral("src/%1 has no place in the layer table").arg(folder)));
    }

    void includesPointDownward()
    {
        const QList<Include> includes = projectIncludes();
        QVERIFY(includes.size() > 500);
        QStringList wrongWay;
        for (const Include& include : includes) {
            const QString from = layerOf(include.file);
            const QString to = layerOf(include.target);
            if (!include.target.contains(QLatin1Char('/'))) {
                wrongWay << QStringLiteral("%1:%2 includes \"%3\" without its layer's folder")
                                .arg(include.file)
                                .arg(include.line)
                                .arg(include.target);
                continue;
            }
            if (from == to || allowedIncludes().value(from).contains(to))
                continue;
            wrongWay << QStringLiteral("%1:%2 (%3) includes %4 (%5)")
                            .arg(include.file)
                            .arg(include.line)
                            .arg(from, include.target, to);
        }
        QVERIFY2(wrongWay.isEmpty(), qPrintable(wrongWay.join(QLatin1Char('\n'))));
    }

    void coreLayersUseNoWidgets()
    {
        static const QRegularExpression widgets(
            QStringLiteral("^\\s*#\\s*include\\s*<(QtWidgets/"
                           "|Q(Widget|Application|Dialog|Label|MessageBox|Menu|PushButton)\\b)"),
            QRegularExpression::MultilineOption);
        QStringList offenders;
        QDirIterator it(sourceRoot(), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        const QDir root(sourceRoot());
        while (it.hasNext()) {
            const QString path = it.next();
            if (!kCoreLayers.contains(layerOf(root.relativeFilePath(path))))
                continue;
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            if (widgets.match(QString::fromUtf8(file.readAll())).hasMatch())
                offenders << root.relativeFilePath(path);
        }
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QLatin1Char('\n'))));
    }

    // velmoran-cli links only the command line's library, which starts without graphics,
    // sound or desktop libraries: none of its files includes their headers or a header of the
    // desktop part built beside it.
    void commandLineLibraryStaysOffTheDesktop()
    {
        const QSet<QString> sources = commandLineSources();
        QVERIFY2(sources.size() > 300, VELMORAN_CORE_SOURCES_LIST);
        QVERIFY(sources.contains(QStringLiteral("platform/store/EventStore.cpp")));
        QVERIFY(!sources.contains(QStringLiteral("prefs/ModeManager.cpp")));
        static const QRegularExpression system(QStringLiteral("^\\s*#\\s*include\\s*<([^>]+)>"));
        QStringList offenders;
        for (const QString& source : sources) {
            QFile file(sourceRoot() + QLatin1Char('/') + source);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(source));
            int number = 0;
            while (!file.atEnd()) {
                ++number;
                const QString line = QString::fromUtf8(file.readLine());
                const QRegularExpressionMatch match = system.match(line);
                if (match.hasMatch() && isDesktopLibraryHeader(match.captured(1)))
                    offenders << QStringLiteral("%1:%2 includes <%3>")
                                     .arg(source)
                                     .arg(number)
                                     .arg(match.captured(1));
            }
        }
        for (const Include& include : projectIncludes()) {
            if (sources.contains(include.file) && !sources.contains(include.target) &&
                QFileInfo::exists(sourceRoot() + QLatin1Char('/') + include.target))
                offenders << QStringLiteral("%1:%2 includes the desktop part's %3")
                                 .arg(include.file)
                                 .arg(include.line)
                                 .arg(include.target);
        }
        offenders.sort();
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QLatin1Char('\n'))));
    }
};

VELMORAN_TEST_MAIN(TestLayers)
#include "tst_layers.moc"
