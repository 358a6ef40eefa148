#include "ui/prefs/ShortcutRecorder.h"

#include "ui/common/AccessibleRoles.h"

#include "platform/UserDefaults.h"
#include "ui/common/AlertLabel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

ShortcutRecorder::ShortcutRecorder(UserDefaults& defaults, QLatin1StringView key,
                                   std::function<bool()> registerHotKey, QWidget* parent)
    : QWidget(parent)
    , m_defaults(defaults)
    , m_key(key)
    , m_registerHotKey(std::move(registerHotKey))
    , m_editor(new QKeySequenceEdit(this))
    , m_clearButton(new QToolButton(this))
    , m_message(new AlertLabel(this))
{
    m_editor->setMinimumWidth(160);
    m_clearButton->setText(tr("Clear"));
    m_clearButton->setToolTip(tr("Remove this shortcut"));
    m_message->setWordWrap(true);
    m_message->setVisible(false);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_editor);
    row->addWidget(m_clearButton);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(row);
    column->addWidget(m_message);
    setFocusProxy(m_editor);
    // The editor has the keyboard itself: a screen reader reads it as the field it is, named by
    // the recorder's label and with the keys as its value.
    AccessibleRoles::give(m_editor, QAccessible::EditableText);
    m_editor->installEventFilter(this);

    connect(m_editor, &QKeySequenceEdit::editingFinished, this,
            [this] { propose(m_editor->keySequence()); });
    connect(m_clearButton, &QToolButton::clicked, this, &ShortcutRecorder::clear);
    connect(&m_defaults, &UserDefaults::changed, this, [this](const QString& changed) {
        if (!m_storing && changed == m_key)
            load();
    });
    load();
}

bool ShortcutRecorder::eventFilter(QObject* watched, QEvent* event)
{
    // Tab and Shift+Tab leave the recorder as they leave any field; otherwise a keyboard user
    // could never get past it. With Ctrl, Alt or Super they are recorded like any key.
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain =
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            showCombo();
            focusNextPrevChild(key->key() == Qt::Key_Tab);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString ShortcutRecorder::message() const
{
    return m_message->isHidden() ? QString() : m_message->text();
}

void ShortcutRecorder::load()
{
    m_combo = PTKeyCombo::fromShortcutRecord(m_defaults.objectForKey(m_key));
    showCombo();
}

void ShortcutRecorder::propose(const QKeySequence& sequence)
{
    if (sequence.isEmpty()) {
        showCombo();
        return;
    }
    const PTKeyCombo combo = PTKeyCombo::fromKeySequence(sequence);
    // The one this recorder holds already: nothing to record.
    if (combo == m_combo) {
        say(tr("This shortcut is already set."));
        showCombo();
        return;
    }
    if (!combo.isValidHotKeyCombo()) {
        say(tr("A shortcut needs a key with at least one of Ctrl, Alt, Shift or Super."));
        showCombo();
        return;
    }
    const PTKeyCombo previous = m_combo;
    store(combo);
    if (m_registerHotKey && !m_registerHotKey()) {
        const QString taken = sequence.toString(QKeySequence::NativeText);
        store(previous);
        if (m_registerHotKey)
            m_registerHotKey();
        say(tr("%1 is already used by another program. Choose another shortcut.").arg(taken));
        return;
    }
    say({});
}

void ShortcutRecorder::clear()
{
    store(PTKeyCombo::clearKeyCombo());
    if (m_registerHotKey)
        m_registerHotKey();
    say({});
}

void ShortcutRecorder::store(const PTKeyCombo& combo)
{
    m_combo = combo;
    m_storing = true;
    m_defaults.setObject(combo.shortcutRecord(), m_key);
    m_storing = false;
    showCombo();
}

void ShortcutRecorder::showCombo()
{
    const QSignalBlocker blocker(m_editor);
    m_editor->setKeySequence(m_combo.isValidHotKeyCombo() ? m_combo.keySequence() : QKeySequence());
    m_clearButton->setEnabled(m_combo.isValidHotKeyCombo());
}

void ShortcutRecorder::say(const QString& text)
{
    m_message->setText(text);
    m_message->setVisible(!text.isEmpty());
}
