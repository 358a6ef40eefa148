#include "LoadedStore.h"
#include "TestEnvironment.h"

#include "platform/Clock.h"
#include "platform/desktop/HighContrastSetting.h"
#include "prefs/ColorContrast.h"
#include "prefs/ModeManager.h"
#include "presentation/sidebar/SidebarLayout.h"
#include "text/DateFormatters.h"
#include "ui/common/AlertLabel.h"
#include "ui/common/CollectionColors.h"
#include "ui/common/ContrastStyle.h"
#include "ui/common/FocusRing.h"
#include "ui/intro/IntroStyle.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/main/sidebar/SidebarDelegate.h"
#include "ui/main/tasklist/TaskRowContent.h"
#include "ui/prefs/SmartAddRuleSheet.h"

#include <gio/gio.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QVBoxLayout>

using TestEnvironment::local;

// The contrast of what the program draws, measured as WCAG 2.1 measures it: text at 4.5:1 and
// the marks a user must make out (a check circle, an icon, a field's outline, the focus ring)
// at 3:1 against every surface they are drawn on, by day and by night; text at 7:1 and marks
// at 4.5:1 in the colours for a desktop that asks for high contrast.
namespace {

struct Shade
{
    QString name;
    QColor color;
};

// What a half-transparent colour looks like on `background`, as the painter blends it.
QColor over(const QColor& color, const QColor& background)
{
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.fillRect(image.rect(), color);
    painter.end();
    return image.pixelColor(0, 0);
}

// Every surface of a mode as the test sees them, not as the mode lists them: the rows, a
// selected task row, the panes' windows, fields and buttons; for the mode's own text also the
// sidebar's selected row, which a list's colour is never drawn on.
QList<Shade> surfacesOf(const ModeManager& mode, bool withSidebar = true)
{
    const QPalette palette = mode.vibrantAppearance();
    QList<Shade> surfaces{{"rows", mode.listBackgroundColor()},
                          {"pane", mode.backgroundColor()},
                          {"selected row", mode.selectedBackgroundColor()},
                          {"window", palette.color(QPalette::Window)},
                          {"field", palette.color(QPalette::Base)},
                          {"alternate row", palette.color(QPalette::AlternateBase)},
                          {"button", palette.color(QPalette::Button)}};
    if (withSidebar) {
        QColor sidebarSelection = SidebarDelegate::accentColor();
        sidebarSelection.setAlphaF(0.2f);
        surfaces.append({"selected list", over(sidebarSelection, mode.listBackgroundColor())});
    }
    return surfaces;
}

// The least contrast of `color` over the surfaces, with the surface that gave it.
QPair<double, QString> leastOn(const QColor& color, const QList<Shade>& surfaces)
{
    QPair<double, QString> least{21.0, QString()};
    for (const Shade& surface : surfaces) {
        const double ratio = ColorContrast::ratio(over(color, surface.color), surface.color);
        if (ratio < least.first)
            least = {ratio, surface.name};
    }
    return least;
}

QString failure(const QString& what, const QColor& color, const QPair<double, QString>& least)
{
    return QStringLiteral("%1 %2: %3 on %4")
        .arg(what, color.name(QColor::HexArgb), QString::number(least.first, 'f', 2), least.second);
}

// Every shade at `minimum` or more over every surface; the faults found.
QStringList below(double minimum, const QList<Shade>& shades, const QList<Shade>& surfaces)
{
    QStringList faults;
    for (const Shade& shade : shades) {
        const auto least = leastOn(shade.color, surfaces);
        if (least.first < minimum)
            faults << failure(shade.name, shade.color, least);
    }
    return faults;
}

// The colours a list can have without the user mixing one: the colour panel's swatches, a new
// list's colour and the two lists a new store starts with.
QList<QColor> offeredListColours()
{
    QList<QColor> colours{AddListWindowController::newListColor(), QColor(0x1b, 0xad, 0xf8),
                          QColor(0x63, 0xda, 0x38)};
    for (int i = 0; i < 48; ++i)
        colours << QColorDialog::standardColor(i);
    return colours;
}

int hueDistance(const QColor& a, const QColor& b)
{
    const int distance = std::abs(a.hsvHue() - b.hsvHue());
    return std::min(distance, 360 - distance);
}

} // namespace

class TestContrast : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_store.emplace(); }
    void cleanup() { m_store.reset(); }

    void theModesTextReads_data() { addModes(); }

    // The mode's own text colours and its palette's, on each of its surfaces; a hint is a
    // disabled label, a placeholder the grey in an empty field.
    void theModesTextReads()
    {
        const std::unique_ptr<ModeManager> mode = modeFromRow();
        const QPalette palette = mode->vibrantAppearance();
        const QList<Shade> texts{{"menu text", mode->menuTextColor()},
                                 {"secondary text", mode->subTextColor()},
                                 {"dark text", mode->darkTextColor()},
                                 {"accent text", mode->calendarTodayColor()},
                                 {"alert text", mode->alertTextColor()},
                                 {"date picker label", mode->datePickerLabelColor()},
                                 {"text", palette.color(QPalette::Text)},
                                 {"window text", palette.color(QPalette::WindowText)},
                                 {"button text", palette.color(QPalette::ButtonText)},
                                 {"link", palette.color(QPalette::Link)},
                                 {"placeholder", palette.color(QPalette::PlaceholderText)},
                                 {"hint", palette.color(QPalette::Disabled, QPalette::WindowText)},
                                 {"greyed row", palette.color(QPalette::Disabled, QPalette::Text)},
                                 {"tooltip", palette.color(QPalette::ToolTipText)}};
        const double minimum = mode->contrast().minimumTextContrast();
        QStringList faults = below(minimum, texts, surfacesOf(*mode));
        // Text on colours of its own: selected text, a selected day's number on its disc.
        const QList<QPair<Shade, QColor>> pairs{
            {{"selected text", palette.color(QPalette::HighlightedText)},
             palette.color(QPalette::Highlight)},
            {{"selected day", mode->calendarSelectedColor()}, mode->calendarDotColor()},
            {{"selected today", mode->calendarSelectedTodayColor()}, mode->calendarTodayColor()},
            {{"unselected today", mode->calendarTodayColor()}, mode->listBackgroundColor()}};
        for (const auto& [text, background] : pairs)
            faults += below(minimum, {text}, {{background.name(), background}});
        // The icons' blue and the focus ring are marks.
        faults +=
            below(mode->contrast().minimumMarkContrast(),
                  {{"icon", mode->iconColor()},
                   {"focus ring", FocusRing::color(palette, {mode->selectedBackgroundColor()})}},
                  surfacesOf(*mode));
        // The sidebar's today marker is one colour for every mode, held to WCAG's 3:1.
        faults +=
            below(3.0, {{"today marker", SidebarLayout::todayMarkerColor()}}, surfacesOf(*mode));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    void listColoursInTheirRows_data() { addModes(); }

    // A list's colour is the user's and may be as pale as yellow or as dark as navy: the text
    // and the check circle drawn in it keep its hue and are taken only as far as they must be.
    void listColoursInTheirRows()
    {
        const std::unique_ptr<ModeManager> mode = modeFromRow();
        Clock clock;
        clock.setNow(local(2026, 3, 11, 10, 30));
        const DateFormatters formatters{QLocale(QLocale::English, QLocale::UnitedStates)};
        const RowContext context{local(2026, 3, 11), clock.now(), *mode, formatters, 0};
        const QList<Shade> surfaces = surfacesOf(*mode, false);

        for (const QColor& colour : offeredListColours()) {
            auto list = std::make_shared<store::Calendar>();
            list->color = collectionColor(colour);
            store::Reminder overdue;
            overdue.calendar = list;
            overdue.dueDateComponents = store::DateComponents::fromDate(QDate(2026, 3, 10));
            const TaskRowParts task = TaskRowContent::forReminder(overdue, context);
            store::Event running; // under way
            running.calendar = list;
            running.startDate = local(2026, 3, 11, 10, 0);
            running.endDate = local(2026, 3, 11, 11, 0);
            const TaskRowParts event = TaskRowContent::forEvent(running, context);

            const QString of = QStringLiteral(" of list ") + colour.name();
            const QStringList faults =
                below(mode->contrast().minimumTextContrast(),
                      {{"list name" + of, task.subtitleColor},
                       {"overdue date" + of, task.dateColor},
                       {"event time" + of, event.dateColor},
                       {"event place" + of, event.subtitleColor}},
                      surfaces) +
                below(mode->contrast().minimumMarkContrast(),
                      {{"check circle" + of, task.leadingTint},
                       {"task icons" + of, task.iconColor},
                       {"event mark" + of, event.leadingTint},
                       {"calendar dot" + of, mode->contrast().visibleMark(colour)}},
                      surfaces);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
            // A colour that already reads stays as the user chose it; one that is changed keeps
            // its hue.
            if (leastOn(colour, surfaces).first >= mode->contrast().minimumTextContrast())
                QCOMPARE(task.subtitleColor, colour);
            if (colour.hsvSaturation() > 60 && task.subtitleColor.hsvSaturation() > 60)
                QVERIFY2(hueDistance(task.subtitleColor, colour) <= 8,
                         qPrintable(failure("hue" + of, task.subtitleColor, {0, ""})));
        }
    }

    void outlinesStandOut_data()
    {
        QTest::addColumn<bool>("night");
        QTest::addColumn<bool>("highContrast");
        QTest::addColumn<QString>("control");
        for (const auto& [name, night, highContrast] : modes()) {
            for (const QString& control : controls().keys())
                QTest::addRow("%s, %s", qPrintable(name), qPrintable(control))
                    << night << highContrast << control;
        }
    }

    // The outline is read off the drawn pixels: along the control's middle row, from its left
    // edge inwards, the pixel that stands out most from the window around it; for a check box
    // or a radio button across its unchecked indicator.
    void outlinesStandOut()
    {
        QFETCH(QString, control);
        const std::unique_ptr<ModeManager> mode = modeFromRow();
        ContrastStyle style(QStringLiteral("Fusion"));
        QWidget window;
        window.setPalette(mode->vibrantAppearance());
        window.setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(&window);
        QWidget* widget = controls().value(control)();
        widget->setStyle(&style);
        layout->addWidget(widget);
        // The keyboard is elsewhere: the outline is measured, not the focus ring.
        auto* elsewhere = new QLineEdit;
        layout->addWidget(elsewhere);
        window.resize(240, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        elsewhere->setFocus();
        QTRY_VERIFY(elsewhere->hasFocus());
        QVERIFY(!widget->hasFocus() && !widget->isAncestorOf(QApplication::focusWidget()));

        const QImage image = widget->grab().toImage();
        const QColor background = window.palette().color(QPalette::Window);
        QRect across(0, image.height() / 2, 2, 1);
        if (control == "check box" || control == "radio button") {
            QStyleOptionButton option;
            option.initFrom(widget);
            const QRect indicator =
                style.subElementRect(control == "radio button" ? QStyle::SE_RadioButtonIndicator
                                                               : QStyle::SE_CheckBoxIndicator,
                                     &option, widget);
            across = QRect(indicator.left(), indicator.center().y(), indicator.width(), 1);
        }
        double best = 1.0;
        for (int x = across.left(); x <= across.right(); ++x)
            best =
                std::max(best, ColorContrast::ratio(image.pixelColor(x, across.top()), background));
        QVERIFY2(best >= FocusRing::kMinimumContrast, qPrintable(QString::number(best)));
    }

    void alertTextReadsInEveryWindow_data() { addModes(); }

    // A warning in a window that has no appearance at hand takes its window's colours, also
    // when the window changes to them while it is shown; so does a sheet over the window.
    void alertTextReadsInEveryWindow()
    {
        const std::unique_ptr<ModeManager> mode = modeFromRow();
        const QPalette palette = mode->vibrantAppearance();
        const ModeManager day(*m_store->defaults, [] { return false; });
        QWidget window;
        window.setPalette(day.vibrantAppearance());
        auto* layout = new QVBoxLayout(&window);
        auto* alert = new AlertLabel(QStringLiteral("These keys are taken."));
        layout->addWidget(alert);
        SmartAddRuleSheet sheet(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        window.setPalette(palette);
        QCOMPARE(sheet.palette().color(QPalette::Window), palette.color(QPalette::Window));
        const QColor text = alert->palette().color(QPalette::WindowText);
        const QStringList faults = below(4.5, {{"alert", text}},
                                         {{"window", palette.color(QPalette::Window)},
                                          {"field", palette.color(QPalette::Base)}});
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        // Still red.
        QVERIFY(text.red() > text.green() + 40);
    }

    // The desktop's own setting, read as the program reads it: GNOME's through GSettings (in
    // memory, as every suite has it), KDE's from kdeglobals in the suite's own configuration
    // folder. The colours follow it while the program runs.
    void highContrastFollowsTheDesktop()
    {
        GSettingsSchema* schema = g_settings_schema_source_lookup(
            g_settings_schema_source_get_default(), HighContrastSetting::kGnomeA11ySchema, TRUE);
        if (!schema)
            QSKIP("GNOME's accessibility schema is not installed");
        g_settings_schema_unref(schema);
        ModeManager mode(*m_store->defaults, [] { return false; });
        mode.setHighContrastSource(&HighContrastSetting::desktopAsks);
        QSignalSpy redraw(&mode, &ModeManager::redrawWindowsRequested);
        mode.followHighContrast();
        QVERIFY(!mode.isHighContrast());
        QCOMPARE(redraw.count(), 0);
        const QColor ordinary = mode.subTextColor();

        GSettings* a11y = g_settings_new(HighContrastSetting::kGnomeA11ySchema);
        GSettings* desktop = g_settings_new(HighContrastSetting::kGnomeInterfaceSchema);
        g_settings_set_boolean(a11y, "high-contrast", TRUE);
        mode.followHighContrast();
        QVERIFY(mode.isHighContrast());
        QCOMPARE(redraw.count(), 1);
        QVERIFY(ColorContrast::ratio(mode.subTextColor(), mode.listBackgroundColor()) >
                ColorContrast::ratio(ordinary, mode.listBackgroundColor()));
        mode.followHighContrast();
        QCOMPARE(redraw.count(), 1);

        g_settings_set_boolean(a11y, "high-contrast", FALSE);
        g_settings_set_string(desktop, "gtk-theme", "HighContrastInverse");
        QVERIFY(HighContrastSetting::gnomeAsks());
        g_settings_set_string(desktop, "gtk-theme", "Adwaita");
        QVERIFY(!HighContrastSetting::gnomeAsks());
        mode.followHighContrast();
        QVERIFY(!mode.isHighContrast());
        QCOMPARE(mode.subTextColor(), ordinary);
        g_object_unref(a11y);
        g_object_unref(desktop);

        QVERIFY(QDir().mkpath(qEnvironmentVariable("XDG_CONFIG_HOME")));
        QFile globals(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/kdeglobals"));
        for (const auto& [scheme, asks] :
             {std::pair{"BreezeHighContrast", true}, std::pair{"BreezeLight", false}}) {
            QVERIFY(globals.open(QIODevice::WriteOnly | QIODevice::Truncate));
            globals.write(QByteArray("[General]\nColorScheme=") + scheme +
                          "\n\n[KDE]\nwidgetStyle=Breeze\n");
            globals.close();
            QCOMPARE(HighContrastSetting::kdeAsks(), asks);
            mode.followHighContrast();
            QCOMPARE(mode.isHighContrast(), asks);
        }
        QCOMPARE(redraw.count(), 4);
    }

private:
    static QMap<QString, std::function<QWidget*()>> controls()
    {
        return {{"field", [] { return new QLineEdit; }},
                {"button", [] { return new QPushButton(QStringLiteral("Add")); }},
                {"first-run button",
                 [] {
                     auto* button = new QPushButton(QStringLiteral("Continue"));
                     IntroStyle::styleButton(button, 12);
                     return button;
                 }},
                {"pop-up",
                 [] {
                     auto* combo = new QComboBox;
                     combo->addItem(QStringLiteral("Work"));
                     return combo;
                 }},
                {"check box", [] { return new QCheckBox(QStringLiteral("Sound")); }},
                {"radio button", [] { return new QRadioButton(QStringLiteral("Sound")); }},
                {"spin box", [] { return new QSpinBox; }}};
    }

    struct Mode
    {
        QString name;
        bool night;
        bool highContrast;
    };

    static QList<Mode> modes()
    {
        return {{"day", false, false},
                {"night", true, false},
                {"high contrast by day", false, true},
                {"high contrast by night", true, true}};
    }

    static void addModes()
    {
        QTest::addColumn<bool>("night");
        QTest::addColumn<bool>("highContrast");
        for (const auto& [name, night, highContrast] : modes())
            QTest::newRow(qPrintable(name)) << night << highContrast;
    }

    std::unique_ptr<ModeManager> modeFromRow() const
    {
        QFETCH(bool, night);
        QFETCH(bool, highContrast);
        auto mode = std::make_unique<ModeManager>(*m_store->defaults, [night] { return night; });
        mode->turnHighContrastOn(highContrast);
        mode->setupValues();
        return mode;
    }

    std::optional<LoadedStore> m_store;
};

VELMORAN_WIDGET_TEST_MAIN(TestContrast)
#include "tst_contrast.moc"
