#include "ui/prefs/DesktopShortcutHelp.h"

#include "hotkeys/PTKeyCodeTranslator.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"

#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

using DesktopKeyBindings::Compositor;

namespace {

QLabel* hint(const QString& text = {})
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    // Greyed like the page's other explanations.
    label->setEnabled(false);
    return label;
}

// The combination's keys as the recorders show them ("Ctrl+Alt+R").
QString keysOf(const QString& preference, const UserDefaults& defaults)
{
    const PTKeyCombo combo = PTKeyCombo::fromShortcutRecord(defaults.objectForKey(preference));
    return combo.isValidHotKeyCombo() ? combo.keySequence().toString(QKeySequence::NativeText)
                                      : QString();
}

QString describe(const GnomeCustomKeybindings::Binding& binding)
{
    return QStringLiteral("%1\n    name: %2\n    command: %3\n    binding: %4")
        .arg(GnomeCustomKeybindings::pathForId(binding.id), binding.name, binding.command,
             binding.binding);
}

} // namespace

DesktopShortcutHelp::DesktopShortcutHelp(const PreferenceContext& context,
                                         DesktopShortcutSupport support, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_support(std::move(support))
    , m_program(DesktopKeyBindings::runningProgram())
    , m_trayText(hint())
{
    setObjectName(QStringLiteral("desktopShortcutHelp"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    switch (m_support.shortcutHelp()) {
    case DesktopShortcutSupport::ShortcutHelp::GnomeKeybindings:
        column->addWidget(makeGnomeOffer());
        break;
    case DesktopShortcutSupport::ShortcutHelp::CompositorLines:
        column->addWidget(makeCompositorLines());
        break;
    case DesktopShortcutSupport::ShortcutHelp::None:
        break;
    }
    m_trayText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_trayText);

    connect(&context.defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (key == PrefKey::shortcut || key == PrefKey::shortcut2 || key == PrefKey::showMenuBar)
            refresh();
    });
    refresh();
}

QWidget* DesktopShortcutHelp::makeGnomeOffer()
{
    auto* offer = new QWidget;
    auto* column = new QVBoxLayout(offer);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(hint(tr("Wayland lets no program take keys for itself. GNOME can run "
                              "these shortcuts as its own keyboard shortcuts.")));
    m_addToGnome = new QPushButton;
    m_removeFromGnome = new QPushButton(tr("Remove from GNOME…"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_addToGnome);
    buttons->addWidget(m_removeFromGnome);
    buttons->addStretch();
    column->addLayout(buttons);
    m_gnomeStatus = hint();
    column->addWidget(m_gnomeStatus);
    connect(m_addToGnome, &QPushButton::clicked, this, &DesktopShortcutHelp::addToGnome);
    connect(m_removeFromGnome, &QPushButton::clicked, this, &DesktopShortcutHelp::removeFromGnome);
    return offer;
}

QWidget* DesktopShortcutHelp::makeCompositorLines()
{
    auto* lines = new QWidget;
    auto* column = new QVBoxLayout(lines);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(hint(tr("Wayland lets no program take keys for itself. Add these lines to "
                              "your compositor's configuration:")));
    m_compositor = new QComboBox;
    m_compositor->setAccessibleName(tr("Compositor"));
    // In the order of Compositor, then the commands alone for any other desktop's settings.
    m_compositor->addItems({QStringLiteral("sway"), QStringLiteral("Hyprland"),
                            QStringLiteral("river"), tr("Other Desktops")});
    m_compositor->setCurrentIndex(int(m_support.compositor()));
    auto* copy = new QPushButton(tr("Copy"));
    auto* row = new QHBoxLayout;
    row->addWidget(m_compositor);
    row->addWidget(copy);
    row->addStretch();
    column->addLayout(row);
    m_lines = new QPlainTextEdit;
    m_lines->setAccessibleName(tr("Configuration Lines"));
    m_lines->setReadOnly(true);
    m_lines->setTabChangesFocus(true);
    m_lines->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_lines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_lines->setPlaceholderText(tr("Record a shortcut above to see its line."));
    // Room for the two lines and a scroll bar for a long program path.
    const QFontMetrics metrics(m_lines->font());
    m_lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lines->setFixedHeight(metrics.lineSpacing() * 2 + 2 * m_lines->frameWidth() +
                            2 * int(m_lines->document()->documentMargin()) +
                            m_lines->horizontalScrollBar()->sizeHint().height());
    column->addWidget(m_lines);
    connect(m_compositor, &QComboBox::currentIndexChanged, this,
            &DesktopShortcutHelp::refreshLines);
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(m_lines->toPlainText()); });
    return lines;
}

bool DesktopShortcutHelp::hasHelp() const
{
    return m_support.shortcutHelp() != DesktopShortcutSupport::ShortcutHelp::None ||
           !m_trayText->isHidden();
}

QSize DesktopShortcutHelp::sizeHint() const
{
    QSize hint = QWidget::sizeHint();
    const int average = fontMetrics().averageCharWidth();
    int width = average * 64;
    if (m_lines) {
        const QFontMetrics metrics(m_lines->font());
        int longest = 0;
        for (const QString& line : m_lines->toPlainText().split(QLatin1Char('\n')))
            longest = std::max(longest, metrics.horizontalAdvance(line));
        const int margins =
            2 * (m_lines->frameWidth() + int(m_lines->document()->documentMargin())) + 4;
        width = std::max(width, std::min(longest + margins, average * 96));
    }
    hint.setWidth(std::max(hint.width(), width));
    return hint;
}

void DesktopShortcutHelp::refresh()
{
    refreshGnome();
    refreshLines();
    refreshTray();
}

void DesktopShortcutHelp::refreshGnome()
{
    if (!m_addToGnome)
        return;
    const auto wanted =
        DesktopKeyBindings::gnomeBindings(m_context.defaults, PTKeyCodeTranslator(), m_program);
    const auto installed = m_gnome.installed();
    QStringList keys;
    for (const auto& shortcut : DesktopKeyBindings::shortcuts()) {
        const QString shown = keysOf(shortcut.preference, m_context.defaults);
        if (!shown.isEmpty())
            keys << shown;
    }
    const bool current = !installed.isEmpty() && installed == wanted;
    m_addToGnome->setText(installed.isEmpty() || current ? tr("Add to GNOME Shortcuts…")
                                                         : tr("Update GNOME Shortcuts…"));
    m_addToGnome->setEnabled(!wanted.isEmpty() && !current);
    m_removeFromGnome->setEnabled(!installed.isEmpty());
    if (current)
        m_gnomeStatus->setText(tr("GNOME runs %1.").arg(keys.join(tr(" and "))));
    else if (!installed.isEmpty())
        m_gnomeStatus->setText(tr("GNOME's keyboard shortcuts hold other keys than these: "
                                  "update them."));
    else if (wanted.isEmpty())
        m_gnomeStatus->setText(tr("Record a shortcut above first."));
    else
        m_gnomeStatus->setText(tr("Not in GNOME's keyboard shortcuts yet."));
}

void DesktopShortcutHelp::refreshLines()
{
    if (!m_lines)
        return;
    const PTKeyCodeTranslator translator;
    QStringList lines;
    const int chosen = m_compositor->currentIndex();
    if (chosen >= 0 && chosen <= int(Compositor::River)) {
        lines = DesktopKeyBindings::compositorLines(Compositor(chosen), m_context.defaults,
                                                    translator, m_program);
    } else {
        for (const auto& shortcut : DesktopKeyBindings::shortcuts()) {
            const QString keys = keysOf(shortcut.preference, m_context.defaults);
            const QString command = commandFor(shortcut.option);
            lines << (keys.isEmpty() ? command : keys + QStringLiteral(": ") + command);
        }
    }
    m_lines->setPlainText(lines.join(QLatin1Char('\n')));
    updateGeometry();
}

void DesktopShortcutHelp::refreshTray()
{
    const bool wasShown = hasHelp();
    const auto trayHelp = m_support.trayHelp(m_context.defaults.boolForKey(PrefKey::showMenuBar));
    const QString panel = commandFor(QStringLiteral("--show-panel"));
    switch (trayHelp) {
    case DesktopShortcutSupport::TrayHelp::GnomeExtension:
        m_trayText->setText(tr("No tray is running, so the tray icon cannot show. GNOME shows "
                               "it with the extension “AppIndicator and KStatusNotifierItem "
                               "Support”. Until then the tray panel shortcut and the command "
                               "“%1” open the panel.")
                                .arg(panel));
        break;
    case DesktopShortcutSupport::TrayHelp::AnyTray:
        m_trayText->setText(tr("No tray is running, so the tray icon cannot show: add a tray "
                               "(StatusNotifierItem) to your desktop's panel or bar. Until "
                               "then the tray panel shortcut and the command “%1” open the "
                               "panel.")
                                .arg(panel));
        break;
    case DesktopShortcutSupport::TrayHelp::None:
        break;
    }
    m_trayText->setHidden(trayHelp == DesktopShortcutSupport::TrayHelp::None);
    if (wasShown != hasHelp())
        Q_EMIT helpChanged();
}

QString DesktopShortcutHelp::commandFor(const QString& option) const
{
    return DesktopKeyBindings::command(m_program, option);
}

void DesktopShortcutHelp::addToGnome()
{
    const auto wanted =
        DesktopKeyBindings::gnomeBindings(m_context.defaults, PTKeyCodeTranslator(), m_program);
    if (wanted.isEmpty() || !m_context.relays.confirm)
        return;
    QStringList entries;
    for (const auto& binding : wanted)
        entries << describe(binding);
    QStringList dropped;
    for (const auto& binding : m_gnome.installed()) {
        const bool kept = std::any_of(wanted.cbegin(), wanted.cend(),
                                      [&binding](const auto& w) { return w.id == binding.id; });
        if (!kept)
            dropped << GnomeCustomKeybindings::pathForId(binding.id);
    }
    //: %1 are the settings, one paragraph each; %2 the name of the list, %3 the settings' schema.
    QString text = tr("Velmoran will write these settings of GNOME:\n\n%1\n\nand add their paths "
                      "to the list “%2” of %3. The other shortcuts in that list stay as they are.")
                       .arg(entries.join(QStringLiteral("\n\n")),
                            QLatin1String(GnomeCustomKeybindings::kListKey),
                            QLatin1String(GnomeCustomKeybindings::kSchema));
    if (!dropped.isEmpty())
        //: %1 names the settings' paths; the number of paths chooses the form.
        text += QStringLiteral("\n\n") +
                tr("Its shortcut being off, %1 is taken out of the list and cleared.", nullptr,
                   int(dropped.size()))
                    .arg(dropped.join(QStringLiteral(", ")));
    const bool update = !m_gnome.installed().isEmpty();
    const PreferenceRelays::Alert alert{update ? tr("Update Velmoran's shortcuts in GNOME?")
                                               : tr("Add Velmoran's shortcuts to GNOME?"),
                                        text,
                                        update ? tr("Update Shortcuts") : tr("Add Shortcuts")};
    if (!m_context.relays.confirm(this, alert))
        return;
    if (!m_gnome.apply(wanted) && m_context.relays.inform)
        m_context.relays.inform(
            this, {tr("GNOME's keyboard shortcuts could not be written."), QString(), QString()});
    refreshGnome();
}

void DesktopShortcutHelp::removeFromGnome()
{
    const auto installed = m_gnome.installed();
    if (installed.isEmpty() || !m_context.relays.confirm)
        return;
    QStringList paths;
    for (const auto& binding : installed)
        paths << GnomeCustomKeybindings::pathForId(binding.id);
    const QString text =
        tr("Velmoran will take these paths out of the list “%1” of %2 and clear them:")
            .arg(QLatin1String(GnomeCustomKeybindings::kListKey),
                 QLatin1String(GnomeCustomKeybindings::kSchema)) +
        QStringLiteral("\n\n") + paths.join(QLatin1Char('\n')) + QStringLiteral("\n\n") +
        tr("The other shortcuts in that list stay as they are.");
    if (!m_context.relays.confirm(
            this, {tr("Remove Velmoran's shortcuts from GNOME?"), text, tr("Remove Shortcuts")}))
        return;
    m_gnome.remove();
    refreshGnome();
}
