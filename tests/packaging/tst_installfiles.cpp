#include "TestEnvironment.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace {

QString resource(const QString& name)
{
    return TestEnvironment::sourceDir() + "/resources/" + name;
}

// Desktop-entry keys of the main group.
QMap<QString, QString> desktopEntry(const QString& path)
{
    QFile file(path);
    QMap<QString, QString> keys;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    bool inMainGroup = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'['))
            inMainGroup = line == "[Desktop Entry]";
        else if (inMainGroup && line.contains(u'='))
            keys.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }
    return keys;
}

} // namespace

// The files `cmake --install` puts beside the binaries, checked with the desktop's own
// validators so that software centres and menus accept them.
class TestInstallFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theFilesPassTheirValidators_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << "desktop-file-validate" << QStringList{resource("velmoran.desktop")};
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{"validate", "--no-net",
                                                 resource("org.velmoran.Velmoran.metainfo.xml")};
    }

    void theFilesPassTheirValidators()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty())
            QFAIL(qPrintable(tool + " is missing; scripts/install-deps.sh installs it"));
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        QVERIFY(process.waitForFinished(60000));
        const QByteArray output = process.readAll();
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 output.constData());
        // Warnings pass the validators but are still faults of ours.
        QVERIFY2(!output.contains("W:") && !output.contains("warning"), output.constData());
    }

    void theDesktopEntryHandlesTheUrlScheme()
    {
        const QMap<QString, QString> entry = desktopEntry(resource("velmoran.desktop"));
        QVERIFY(entry.value("MimeType").split(u';').contains("x-scheme-handler/velmoran"));
        // %u hands the clicked URL to the program, which passes it on to a running instance.
        QCOMPARE(entry.value("Exec"), QString("velmoran %u"));
        QCOMPARE(entry.value("Icon"), QString("velmoran"));
    }

    void theMetainfoDescribesThisRelease()
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
        // The newest release comes first; it has to be this version.
        QCOMPARE(firstRelease, QString(VELMORAN_VERSION));
    }

    void theIconIsAScalableSquare()
    {
        QSvgRenderer renderer(resource("icons/velmoran.svg"));
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.viewBoxF().width(), renderer.viewBoxF().height());
    }
};

VELMORAN_TEST_MAIN(TestInstallFiles)
#include "tst_installfiles.moc"
