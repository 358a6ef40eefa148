#include "ui/main/detail/LocationPopover.h"

#include "prefs/ModeManager.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCompleter>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStringListModel>
#include <QVBoxLayout>

LocationPopover::LocationPopover(geo::Geocoder& geocoder, ModeManager& modeManager, QWidget* parent)
    : QFrame(parent, Qt::Popup)
    , m_search(geocoder)
    , m_modeManager(modeManager)
{
    setFrameShape(QFrame::StyledPanel);
    setAccessibleName(tr("Location"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 10);
    layout->setSpacing(6);

    m_field = new QLineEdit(this);
    m_field->setPlaceholderText(tr("Search an address or a place"));
    m_field->setAccessibleName(tr("Location"));
    m_field->setClearButtonEnabled(true);
    m_field->setMinimumWidth(320);
    m_model = new QStringListModel(this);
    // The drop-down lists every result for the text, not only those starting with it: the
    // address book matches words anywhere and the map search whole names.
    m_completer = new QCompleter(m_model, this);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setWidget(m_field);
    layout->addWidget(m_field);

    m_validity = new QLabel(this);
    m_validity->setAccessibleName(tr("Validity"));
    layout->addWidget(m_validity);

    m_arrive = new QRadioButton(tr("When I arrive..."), this);
    m_leave = new QRadioButton(tr("When I leave..."), this);
    auto* group = new QButtonGroup(this);
    group->addButton(m_arrive);
    group->addButton(m_leave);
    layout->addWidget(m_arrive, 0, Qt::AlignLeft);
    layout->addWidget(m_leave, 0, Qt::AlignLeft);
    m_save = new QPushButton(tr("Save"), this);
    m_save->setDefault(false);
    m_save->setAutoDefault(false);
    m_save->setMinimumWidth(90);
    layout->addWidget(m_save, 0, Qt::AlignHCenter);
    // Map places come from OpenStreetMap data, which asks to be credited where it is shown.
    m_credit = new QLabel(tr("Places: © OpenStreetMap contributors"), this);
    QFont small = m_credit->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    m_credit->setFont(small);
    m_credit->setEnabled(false);
    m_credit->hide();
    layout->addWidget(m_credit, 0, Qt::AlignRight);

    connect(m_field, &QLineEdit::textEdited, this, &LocationPopover::typed);
    // A chosen result is set by the program and searches nothing; the clear button empties
    // the field, which drops the prepared alarm like deleting the text does.
    connect(m_field, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            m_search.textChanged(text);
    });
    connect(m_field, &QLineEdit::returnPressed, this, &LocationPopover::committed);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& text) {
                m_field->setText(text);
                committed();
            });
    connect(&m_search, &LocationSearch::resultsChanged, this, &LocationPopover::resultsChanged);
    connect(&m_search, &LocationSearch::validityChanged, m_validity, &QLabel::setText);
    connect(m_arrive, &QRadioButton::clicked, this,
            [this] { m_search.chooseArrival(m_field->text()); });
    connect(m_leave, &QRadioButton::clicked, this,
            [this] { m_search.chooseDeparture(m_field->text()); });
    connect(m_save, &QPushButton::clicked, this, &LocationPopover::saveLocation);
    resetAppearance();
}

QAbstractItemView* LocationPopover::dropDown() const
{
    return m_completer->popup();
}

void LocationPopover::resetAppearance()
{
    // A pop-over is a window of its own and takes no palette from the pane by itself.
    if (parentWidget()) {
        setPalette(parentWidget()->palette());
        m_completer->popup()->setPalette(parentWidget()->palette());
    }
    const QFont font = m_modeManager.fontWithSize(13);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, m_modeManager.menuTextColor());
    palette.setColor(QPalette::ButtonText, m_modeManager.menuTextColor());
    for (QWidget* widget : {static_cast<QWidget*>(m_arrive), static_cast<QWidget*>(m_leave),
                            static_cast<QWidget*>(m_save)}) {
        widget->setFont(font);
        widget->setPalette(palette);
    }
}

void LocationPopover::prepare(QList<ContactPlace> names)
{
    resetAppearance();
    m_field->clear();
    m_field->setModified(false);
    m_previousText.clear();
    m_search.prepare(std::move(names));
    m_validity->clear();
    m_arrive->setChecked(true);
    m_model->setStringList({});
    m_credit->hide();
    m_field->setFocus();
}

void LocationPopover::showBelow(QWidget* anchor)
{
    adjustSize();
    QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
    if (const QScreen* screen = anchor->screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width())));
        if (at.y() + height() > room.bottom())
            at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - height());
    }
    move(at);
    show();
    activateWindow();
    m_field->setFocus();
}

void LocationPopover::typed(const QString& text)
{
    m_search.textChanged(text);
    // Typing on (not deleting) completes the text with the first result that starts like it,
    // the completed part selected so that the next key replaces it.
    const bool grew = text.size() > m_previousText.size() && text.startsWith(m_previousText);
    m_previousText = text;
    if (!grew || m_field->cursorPosition() != text.size())
        return;
    const QString completed = m_search.completedString(text);
    if (completed.size() > text.size()) {
        const QSignalBlocker block(m_field);
        m_field->setText(completed);
        m_field->setSelection(int(text.size()), int(completed.size() - text.size()));
    }
}

void LocationPopover::resultsChanged(bool open)
{
    m_model->setStringList(m_search.resultTexts());
    const QList<LocationResult>& results = m_search.results();
    m_credit->setVisible(std::any_of(results.cbegin(), results.cend(), [](const auto& result) {
        return result.kind == LocationResult::Kind::MapItem;
    }));
    if (open && m_field->hasFocus() && isVisible())
        m_completer->complete(QRect(0, 0, m_field->width(), m_field->height()));
    else if (!open)
        m_completer->popup()->hide();
}

void LocationPopover::committed()
{
    m_completer->popup()->hide();
    if (m_field->text() != m_search.checkedText() || !m_search.hasPreparedAlarm())
        m_search.checkValidLocation(m_field->text());
}

void LocationPopover::saveLocation()
{
    const QString text = m_field->text();
    if (text.isEmpty())
        return;
    // Save needs the alarm that the check prepares; a text not yet checked is checked first.
    if (!m_search.alarmToSave(text) && text != m_search.checkedText())
        m_search.checkValidLocation(text);
    if (const std::optional<store::Alarm> alarm = m_search.alarmToSave(text))
        Q_EMIT saveRequested(*alarm);
}
