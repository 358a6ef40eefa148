#include "TestEnvironment.h"
#include "TestFiles.h"

using namespace TestFiles;

namespace {

QString sourceFile(const QString& relative)
{
    return readFile(TestEnvironment::sourceDir() + '/' + relative);
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

// What the package says of itself agrees with the build: the version of the build (which the
// metainfo's newest release carries too, tst_installfiles), and every
// package the programs need at run time is one the package depends on or recommends.
class TestPackageRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theChangelogNamesTheBuildsVersion()
    {
        const QString version = QStringLiteral(VELMORAN_VERSION);
        const QString changelog = sourceFile("debian/changelog");
        QVERIFY2(changelog.startsWith("velmoran (" + version + ") "),
                 qPrintable(changelog.section('\n', 0, 0)));
    }

    void theRunPackagesAreDependedOn()
    {
        QProcess list;
        list.start("bash",
                   {TestEnvironment::sourceDir() + "/scripts/install-deps.sh", "--list-run"});
        QVERIFY(list.waitForFinished(20000));
        QCOMPARE(list.exitCode(), 0);
        const QStringList run =
            QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QVERIFY(run.size() >= 3);
        const QString control = sourceFile("debian/control");
        const QStringList promised =
            controlField(control, "Depends") + controlField(control, "Recommends");
        QVERIFY2(promised.contains("${shlibs:Depends}"), qPrintable(promised.join(", ")));
        for (const QString& package : run)
            QVERIFY2(promised.contains(package), qPrintable(package + " is not in debian/control"));
    }
};

VELMORAN_TEST_MAIN(TestPackageRecords)
#include "tst_packagerecords.moc"
