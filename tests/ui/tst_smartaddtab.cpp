// runs inside dbus-run-session; runs velmoran-cli beside the window.
#include "PreferenceFixture.h"
#include "SmartAddRecords.h"

#include "prefs/PreferenceKeys.h"
#include "ui/prefs/AdvancedPage.h"
#include "ui/prefs/SmartAddRuleSheet.h"
#include "ui/prefs/SmartAddTab.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>

using SmartAddRecords::record;

namespace {

// Records compare as the JSON they are stored as (numbers may come back as another type).
QJsonValue json(const QVariant& value)
{
    return QJsonValue::fromVariant(value);
}

QStringList words(const QVariantList& stored)
{
    QStringList out;
    for (const QVariant& value : stored)
        out << value.toMap().value("word").toString();
    return out;
}

} // namespace

class TestSmartAddTab : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_fixture = std::make_unique<PreferenceFixture>();
        QVERIFY(PreferenceFixture::makeCollection(m_fixture->root() + "/work", "Work"));
        QVERIFY(m_fixture->setUp());
        setRules({record(1, 0, "M/dd"), record(0, 5, "!!!"), record(0, 4, "!!"), record(0, 3, "!"),
                  record(0, 2, "soon", "+2", "Day"), record(0, 7, "al")});
    }

    void cleanup() { m_fixture.reset(); }

    void switchesRewriteTheRulesInTheFixedOrder()
    {
        QListWidget* switches = tab()->switchTable();
        // "dd/M" turns "M/dd" off.
        switches->item(1)->setCheckState(Qt::Checked);
        QCOMPARE(words(stored()), QStringList({"dd/M", "!!!", "!!", "!", "soon", "al"}));
        QCOMPARE(switches->item(0)->checkState(), Qt::Unchecked);
    }

    void withSmartAddOffSwitchesWriteNothing()
    {
        tab()->masterSwitch()->click();
        QVERIFY(!defaults().boolForKey(PrefKey::smartAdd));
        QVERIFY(!tab()->switchTable()->isVisibleTo(tab()));
        const QVariantList before = stored();
        tab()->checkSmartAdd(1);
        QCOMPARE(stored(), before);
    }

    void sheetAddsEditsAndRefusesWords()
    {
        tab()->addButton()->click();
        SmartAddRuleSheet* sheet = tab()->ruleSheet();
        QVERIFY(sheet && sheet->isVisible());
        // A word already taken is refused with its reason, and the sheet stays.
        sheet->wordField()->setText(QStringLiteral("SOON"));
        sheet->doneButton()->click();
        QVERIFY(sheet->isVisible());
        QCOMPARE(f().alerts.size(), 1);
        // "next", +, "7x", Weeks.
        sheet->wordField()->clear();
        QTest::keyClicks(sheet->wordField(), "next");
        sheet->numberField()->setText("7x");
        sheet->unitButton(1)->click();
        sheet->doneButton()->click();
        QVERIFY(!sheet->isVisible());
        QCOMPARE(json(stored().last()), json(record(0, 2, "next", "+7", "Week")));
        QCOMPARE(tab()->ruleTable()->topLevelItem(2)->text(1), QStringLiteral("Due Date +7 Weeks"));

        // Editing "soon" into a weekday rule keeps its place.
        tab()->doubleClickSmartAdd(0);
        QCOMPARE(sheet->numberField()->text(), QStringLiteral("2"));
        sheet->kindChooser()->setCurrentIndex(5);
        QVERIFY(!sheet->dateInputs()->isVisibleTo(sheet));
        sheet->doneButton()->click();
        QCOMPARE(json(stored().at(4)), json(record(0, 9, "soon", "mon")));
        // And into a time.
        tab()->doubleClickSmartAdd(2);
        sheet->kindChooser()->setCurrentIndex(1);
        sheet->timePicker()->setTime(QTime(18, 30));
        sheet->cancelButton()->click();
        QCOMPARE(json(stored().last()), json(record(0, 2, "next", "+7", "Week")));
        tab()->doubleClickSmartAdd(2);
        sheet->kindChooser()->setCurrentIndex(1);
        sheet->timePicker()->setTime(QTime(18, 30));
        sheet->doneButton()->click();
        QCOMPARE(json(stored().last()), json(record(0, 1, "next", "18:30")));
    }

    void unreadableRecordsAreShownDisabledAndKept()
    {
        QVariantMap wrong = record(0, 2, "x", "+1", "Day");
        wrong.insert("word", QVariantList{1, 2});
        const QVariantMap future = record(0, 14, "beam", "up");
        setRules({record(0, 2, "soon", "+2", "Day"), wrong, future, QVariant(7)});
        QTreeWidget* rules = tab()->ruleTable();
        const QColor grey = tab()->palette().color(QPalette::Disabled, QPalette::Text);
        QVERIFY(rules->topLevelItem(0)->foreground(1).color() != grey);
        for (int row = 1; row < 4; ++row)
            QCOMPARE(rules->topLevelItem(row)->foreground(1).color(), grey);
        QCOMPARE(rules->topLevelItem(2)->text(0), QStringLiteral("beam"));
        tab()->doubleClickSmartAdd(2);
        QVERIFY(!tab()->ruleSheet() || !tab()->ruleSheet()->isVisible());
        // Deleting one of them writes the others back untouched.
        rules->setCurrentItem(rules->topLevelItem(3));
        tab()->deleteButton()->click();
        QCOMPARE(json(stored()),
                 json(QVariantList({record(0, 2, "soon", "+2", "Day"), wrong, future})));
    }

    void previewLineUsesTheStoredRules()
    {
        f().clock.setNow(TestEnvironment::local(2026, 12, 9, 10, 30));
        defaults().setBool(false, PrefKey::alarmOn);
        setRules({record(0, 5, "!!!"), record(2, 6, "/"), record(0, 2, "soon", "+2", "Day"),
                  record(0, 7, "al")});
        tab()->sampleField()->setText("Call Anna soon !!! /work al");
        QTRY_VERIFY(tab()->previewLabel()->text().startsWith("Title: Call Anna"));
        QVERIFY(tab()->previewLabel()->text().contains("Priority: High"));
        // A rule added on the tab is used at once.
        tab()->addButton()->click();
        tab()->ruleSheet()->wordField()->setText("c++");
        tab()->ruleSheet()->kindChooser()->setCurrentIndex(1);
        tab()->ruleSheet()->timePicker()->setTime(QTime(14, 0));
        const QString twoPm = QLocale().toString(QTime(14, 0), QLocale::ShortFormat);
        QCOMPARE(tab()->ruleSheet()->timePicker()->text(), twoPm);
        tab()->ruleSheet()->doneButton()->click();
        tab()->sampleField()->setText("Learn c++ later");
        QTRY_VERIFY(tab()->previewLabel()->text().startsWith("Title: Learn later"));
        QVERIFY2(tab()->previewLabel()->text().contains("at " + twoPm),
                 qPrintable(tab()->previewLabel()->text()));
    }

    void aRuleAddedHereIsUsedByTheCommandLine()
    {
        tab()->addButton()->click();
        SmartAddRuleSheet* sheet = tab()->ruleSheet();
        sheet->wordField()->setText("fortnight");
        sheet->numberField()->setText("14");
        sheet->doneButton()->click();
        QProcess cli;
        cli.start(VELMORAN_CLI_PATH, {"--json", "smartadd", "Water plants fortnight"});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        QJsonDocument document = QJsonDocument::fromJson(cli.readAllStandardOutput());
        QJsonObject task =
            document.isArray() ? document.array().first().toObject() : document.object();
        QCOMPARE(task.value("title").toString(), QStringLiteral("Water plants"));
        // The command line runs on the real clock.
        const QString due = QDate::currentDate().addDays(14).toString(Qt::ISODate);
        QVERIFY2(task.value("due").toString().startsWith(due),
                 qPrintable(task.value("due").toString()));
    }

    void aThousandRulesFillTheTableAndStayEditable()
    {
        QVariantList rules;
        for (int index = 0; index < 1000; ++index)
            rules << record(0, 2, QStringLiteral("w%1").arg(index), "+1", "Day");
        setRules(rules);
        QCOMPARE(tab()->ruleTable()->topLevelItemCount(), 1000);
        tab()->doubleClickSmartAdd(999);
        tab()->ruleSheet()->wordField()->setText("w3");
        tab()->ruleSheet()->doneButton()->click();
        QVERIFY(tab()->ruleSheet()->isVisible());
        tab()->ruleSheet()->wordField()->setText("last");
        tab()->ruleSheet()->doneButton()->click();
        QCOMPARE(stored().size(), 1000);
        QCOMPARE(stored().last().toMap().value("word"), QVariant("last"));
    }

private:
    PreferenceFixture& f() { return *m_fixture; }
    UserDefaults& defaults() { return *f().defaults; }
    SmartAddTab* tab() { return f().object->advancedPage()->smartAddTab(); }
    QVariantList stored() { return defaults().arrayForKey(PrefKey::smartAddRules); }
    void setRules(const QVariantList& rules)
    {
        defaults().setObject(rules, PrefKey::smartAddRules);
        defaults().synchronize();
        tab()->setupSmartAdd();
        f().alerts.clear();
    }

    std::unique_ptr<PreferenceFixture> m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestSmartAddTab)
#include "tst_smartaddtab.moc"
