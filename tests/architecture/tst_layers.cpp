#include "TestEnvironment.h"

#include <QDirIterator>
#include <QFile>
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
};

VELMORAN_TEST_MAIN(TestLayers)
#include "tst_layers.moc"
