#include "TestEnvironment.h"

namespace {

// Each layer and the layers its files may include, bottom to top, as docs/architecture.md
// draws them. A layer always includes its own folder; the first eight build without Qt Widgets.
const QMap<QString, QSet<QString>>& allowedIncludes()
{
    static const QMap<QString, QSet<QString>> table = [] {
        const QString core = "platform prefs text entry data commands";
        const QList<std::pair<QString, QString>> layers{
            {"platform", ""},
            {"hotkeys", "platform"},
            {"prefs", "platform"},
            {"text", "platform prefs"},
            {"entry", "platform prefs text"},
            {"data", "platform prefs text entry"},
            {"commands", "platform prefs text entry data"},
            {"presentation", core},
            {"ui", core + " hotkeys presentation"},
            {"cli", core},
            {"app", core + " hotkeys presentation ui"},
        };
        QMap<QString, QSet<QString>> allowed;
        for (const auto& [layer, below] : layers) {
            const QStringList names = below.split(' ', Qt::SkipEmptyParts);
            allowed.insert(layer, QSet<QString>(names.cbegin(), names.cend()));
        }
        return allowed;
    }();
    return table;
}

const QSet<QString> kCoreLayers{"platform", "hotkeys", "prefs",    "text",
                                "entry",    "data",    "commands", "presentation"};

struct Include
{
    QString file; // relative to src/
    int line;
    QString target; // the included path as written
    bool quoted;    // "…", else <…>
};

QString sourceRoot()
{
    return TestEnvironment::sourceDir() + "/src";
}

QList<Include> includesOfSrc()
{
    static const QRegularExpression directive(R"(^\s*#\s*include\s*(["<])([^">]+)[">])");
    QList<Include> found;
    const QDir root(sourceRoot());
    QDirIterator it(root.path(), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (int number = 1; !file.atEnd(); ++number) {
            const QRegularExpressionMatch match = directive.match(file.readLine());
            if (match.hasMatch())
                found.append({root.relativeFilePath(file.fileName()), number, match.captured(2),
                              match.captured(1) == "\""});
        }
    }
    return found;
}

QString layerOf(const QString& path)
{
    return path.section('/', 0, 0);
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
    // The core layers build without Qt Widgets: they include none of its headers either.
    // velmoran-cli links only the command line's library, which starts without graphics,
    // sound or desktop libraries: none of its files includes their headers or a header of the
    // desktop part built beside it.
    void includesPointDownward()
    {
        static const QRegularExpression widgets(
            "^(QtWidgets/|Q(Widget|Application|Dialog|Label|MessageBox|Menu|PushButton)$)");
        const QList<Include> includes = includesOfSrc();
        QVERIFY(includes.size() > 500);
        const QSet<QString> cli = commandLineSources();
        QVERIFY2(cli.size() > 300, VELMORAN_CORE_SOURCES_LIST);
        QVERIFY(cli.contains(QStringLiteral("platform/store/EventStore.cpp")));
        QVERIFY(!cli.contains(QStringLiteral("prefs/ModeManager.cpp")));
        QStringList wrongWay;
        for (const Include& include : includes) {
            const QString from = layerOf(include.file);
            const QString to = layerOf(include.target);
            const QString where = QStringLiteral("%1:%2").arg(include.file).arg(include.line);
            if (cli.contains(include.file) && !include.quoted &&
                isDesktopLibraryHeader(include.target))
                wrongWay << where + " of the command line includes <" + include.target + ">";
            else if (cli.contains(include.file) && include.quoted &&
                     !cli.contains(include.target) &&
                     QFileInfo::exists(sourceRoot() + QLatin1Char('/') + include.target))
                wrongWay << where + " of the command line includes the desktop part's " +
                                include.target;
            if (!allowedIncludes().contains(from))
                wrongWay << "src/" + from + " has no place in the layer table";
            else if (!include.quoted && kCoreLayers.contains(from) &&
                     widgets.match(include.target).hasMatch())
                wrongWay << where + " (" + from + ") includes <" + include.target + ">";
            else if (!include.quoted)
                continue;
            else if (!include.target.contains('/'))
                wrongWay << where + " includes \"" + include.target + "\" without its folder";
            else if (from != to && !allowedIncludes().value(from).contains(to))
                wrongWay << QStringLiteral("%1 (%2) includes %3 (%4)")
                                .arg(where, from, include.target, to);
        }
        wrongWay.removeDuplicates();
        QVERIFY2(wrongWay.isEmpty(), qPrintable(wrongWay.join('\n')));
    }
};

VELMORAN_TEST_MAIN(TestLayers)
#include "tst_layers.moc"
