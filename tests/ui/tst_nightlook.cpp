#include "QuietPreferences.h"
#include "TestEnvironment.h"

#include "prefs/ColorContrast.h"
#include "prefs/ModeManager.h"
#include "ui/common/ContrastStyle.h"
#include "ui/prefs/SmartAddRuleSheet.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QVBoxLayout>

// Controls stay visible in night colours: check box and radio rims stand out from their
// background by 3:1 in day and night, and a sheet takes its window's colours, also when they
// change while it is open.
class TestNightLook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        setUpQuietPreferences(m_dir, m_defaults, m_context);
        m_modes = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
    }

    void cleanup()
    {
        m_modes.reset();
        m_context.reset();
        m_defaults.reset();
        m_dir.reset();
    }

    void uncheckedControlsStandOut_data()
    {
        QTest::addColumn<bool>("night");
        QTest::addColumn<bool>("radio");
        QTest::newRow("day, check box") << false << false;
        QTest::newRow("night, check box") << true << false;
        QTest::newRow("night, radio button") << true << true;
    }

    // The rim is read off the drawn pixels: along the indicator's middle row, the pixel that
    // stands out most from the window colour.
    void uncheckedControlsStandOut()
    {
        QFETCH(bool, night);
        QFETCH(bool, radio);
        m_modes->turnNightModeOn(night);
        ContrastStyle style(QStringLiteral("Fusion"));
        QWidget window;
        window.setPalette(m_modes->vibrantAppearance());
        window.setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(&window);
        QAbstractButton* control = radio ? static_cast<QAbstractButton*>(new QRadioButton("Sound"))
                                         : new QCheckBox("Sound");
        control->setStyle(&style);
        layout->addWidget(control);
        window.resize(200, 60);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QStyleOptionButton option;
        option.initFrom(control);
        const QRect indicator = style.subElementRect(radio ? QStyle::SE_RadioButtonIndicator
                                                           : QStyle::SE_CheckBoxIndicator,
                                                     &option, control);
        const QImage image = control->grab().toImage();
        const QColor background = window.palette().color(QPalette::Window);
        double best = 1.0;
        const int y = indicator.center().y();
        for (int x = indicator.left(); x <= indicator.right(); ++x)
            best = std::max(best, ColorContrast::ratio(image.pixelColor(x, y), background));
        QVERIFY2(best >= 3.0, qPrintable(QString::number(best)));
    }

    // A sheet opened over a night window is a night sheet, and switches with its window.
    void aSheetTakesItsWindowsColours()
    {
        m_modes->turnNightModeOn(true);
        QWidget window;
        window.setPalette(m_modes->vibrantAppearance());
        SmartAddRuleSheet sheet(&window);
        const QColor nightWindow = window.palette().color(QPalette::Window);
        QCOMPARE(sheet.palette().color(QPalette::Window), nightWindow);
        m_modes->turnNightModeOn(false);
        window.setPalette(m_modes->vibrantAppearance());
        QVERIFY(sheet.palette().color(QPalette::Window) != nightWindow);
        QCOMPARE(sheet.palette().color(QPalette::Window), window.palette().color(QPalette::Window));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<UserDefaults> m_defaults;
    std::optional<TestContext> m_context;
    std::unique_ptr<ModeManager> m_modes;
};

VELMORAN_WIDGET_TEST_MAIN(TestNightLook)
#include "tst_nightlook.moc"
