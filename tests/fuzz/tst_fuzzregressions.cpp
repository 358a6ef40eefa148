#include "TestEnvironment.h"

#include "FuzzTarget.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <ctime>
#include <map>

namespace {

// A run longer than this is a hang, as the fuzzers count it (-timeout=1). Measured on the
// thread's own clock, so a busy machine does not make a test fail.
constexpr qint64 kHangMilliseconds = 1000;

qint64 threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

QString regressionsDir()
{
    return TestEnvironment::sourceDir() + QStringLiteral("/tests/data/regressions");
}

} // namespace

// Every input that ever made a fuzzer crash, hang or find a broken rule is kept in
// tests/data/regressions/<target>/ and runs here through the same entry point the fuzzer
// used, built with the normal compiler.
class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachTargetHasItsFolderAndNoFolderIsOrphaned()
    {
        QStringList folders =
            QDir(regressionsDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        QStringList names = FuzzTarget::names();
        names.sort();
        QCOMPARE(folders, names);
        for (const QString& name : std::as_const(names))
            QVERIFY2(FuzzTarget::create(name, m_work.path()), qPrintable(name));
    }

    void replay_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("file");
        int rows = 0;
        for (const QString& target : FuzzTarget::names()) {
            for (const QString& file :
                 QDir(regressionsDir() + u'/' + target).entryList(QDir::Files, QDir::Name)) {
                QTest::newRow(qPrintable(target + QLatin1Char('/') + file)) << target << file;
                ++rows;
            }
        }
        if (rows == 0)
            QSKIP("No regression inputs yet");
    }

    void replay()
    {
        QFETCH(QString, target);
        QFETCH(QString, file);
        QFile input(regressionsDir() + QLatin1Char('/') + target + QLatin1Char('/') + file);
        QVERIFY(input.open(QIODevice::ReadOnly));
        const QByteArray bytes = input.readAll();

        std::unique_ptr<FuzzTarget>& runner = m_targets[target];
        if (!runner)
            runner = FuzzTarget::create(target, m_work.path());
        QVERIFY(runner);
        const qint64 started = threadMilliseconds();
        const QStringList findings = runner->run(bytes);
        const qint64 spent = threadMilliseconds() - started;
        QVERIFY2(findings.isEmpty(), qPrintable(findings.join(QLatin1Char('\n'))));
        QVERIFY2(spent <= kHangMilliseconds, qPrintable(QString::number(spent) + " ms"));
    }

private:
    QTemporaryDir m_work;
    std::map<QString, std::unique_ptr<FuzzTarget>> m_targets;
};

VELMORAN_TEST_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
