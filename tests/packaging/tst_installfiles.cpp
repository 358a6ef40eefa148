#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QSvgRenderer>

namespace {

QString sourceFile(const QString& relative)
{
    return TestEnvironment::sourceDir() + '/' + relative;
}

QString resource(const QString& name)
{
    return sourceFile("resources/" + name);
}

// The package names of one field of debian/control ("Depends", …), without versions.
QStringList controlField(const QString& control, const QString& field)
{
    const QRegularExpression pattern(QStringLiteral("^%1:((?:.*\\n)(?:[ \\t].*\\n)*)").arg(field),
                                     QRegularExpression::MultilineOption);
    QStringList names;
    for (QString entry : pattern.match(control).captured(1).split(',')) {
        entry = entry.section('(', 0, 0).trimmed();
        if (!entry.isEmpty())
            names << entry;
    }
    return names;
}

} // namespace

// The files `cmake --install` puts beside the binaries, checked with the desktop's own
// validators so that software centres and menus accept them; and what the package says of
// itself agrees with the build: its version, and every package the programs need at run time
// is one it depends on or recommends.
class TestInstallFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theFilesPassTheirValidatorsAndHandleTheUrlScheme()
    {
        for (const auto& [tool, arguments] :
             {std::pair{QString("desktop-file-validate"),
                        QStringList{resource("velmoran.desktop")}},
              {"appstreamcli",
               {"validate", "--no-net", resource("org.velmoran.Velmoran.metainfo.xml")}}}) {
            const QString program = QStandardPaths::findExecutable(tool);
            if (program.isEmpty())
                QFAIL(qPrintable(tool + " is missing; scripts/install-deps.sh installs it"));
            QProcess process;
            process.setProcessChannelMode(QProcess::MergedChannels);
            process.start(program, arguments);
            QVERIFY(process.waitForFinished(60000));
            const QByteArray output = tool.toUtf8() + ": " + process.readAll();
            QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                     output.constData());
            // Warnings pass the validators but are still faults of ours.
            QVERIFY2(!output.contains("W:") && !output.contains("warning"), output.constData());
        }

        const QString entry = TestFiles::readFile(resource("velmoran.desktop"));
        static const QRegularExpression mimeTypes("\nMimeType=([^\n]*)");
        QVERIFY(
            mimeTypes.match(entry).captured(1).split(u';').contains("x-scheme-handler/velmoran"));
        // %u hands the clicked URL to the program, which passes it on to a running instance.
        QVERIFY(entry.contains("\nExec=velmoran %u\n"));
        // The icon it names is a scalable square.
        QVERIFY(entry.contains("\nIcon=velmoran\n"));
        QSvgRenderer renderer(resource("icons/velmoran.svg"));
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.viewBoxF().width(), renderer.viewBoxF().height());
    }

    void thePackageDescribesThisBuild()
    {
        QFile file(resource("org.velmoran.Velmoran.metainfo.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString launchable;
        QString firstRelease;
        QXmlStreamReader xml(&file);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"launchable")
                launchable = xml.readElementText();
            else if (xml.name() == u"release" && firstRelease.isEmpty())
                firstRelease = xml.attributes().value("version").toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(launchable, QString("velmoran.desktop"));
        // The newest release comes first; it has to be this version, as the changelog's first.
        QCOMPARE(firstRelease, QString(VELMORAN_VERSION));
        const QString changelog = TestFiles::readFile(sourceFile("debian/changelog"));
        QVERIFY2(changelog.startsWith("velmoran (" + firstRelease + ") "),
                 qPrintable(changelog.section('\n', 0, 0)));

        QProcess list;
        list.start("bash", {sourceFile("scripts/install-deps.sh"), "--list-run"});
        QVERIFY(list.waitForFinished(20000));
        QCOMPARE(list.exitCode(), 0);
        const QStringList run =
            QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QVERIFY(run.size() >= 3);
        const QString control = TestFiles::readFile(sourceFile("debian/control"));
        const QStringList promised =
            controlField(control, "Depends") + controlField(control, "Recommends");
        QVERIFY2(promised.contains("${shlibs:Depends}"), qPrintable(promised.join(", ")));
        for (const QString& package : run)
            QVERIFY2(promised.contains(package), qPrintable(package + " is not in debian/control"));
    }
};

VELMORAN_TEST_MAIN(TestInstallFiles)
#include "tst_installfiles.moc"
