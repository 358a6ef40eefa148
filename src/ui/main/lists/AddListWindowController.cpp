#include "ui/main/lists/AddListWindowController.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "prefs/ModeManager.h"
#include "ui/common/CollectionColors.h"
#include "ui/main/lists/ListWindowDelegates.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The store needs a moment to settle after a list appears; the visible-list check must not
// mistake the new list for a foreign one meanwhile.
constexpr int kValidationPauseMs = 1000;

QIcon swatch(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(color);
    painter.setPen(color.darker(130));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    return QIcon(pixmap);
}

} // namespace

AddListWindowController::AddListWindowController(DataManager& manager, ModeManager& modeManager,
                                                 AddListWindowDelegate* delegate, QWidget* parent)
    : QDialog(parent)
    , m_manager(manager)
    , m_delegate(delegate)
    , m_titleField(new QLineEdit(this))
    , m_colorWell(new QPushButton(this))
    , m_doneButton(new QPushButton(this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowModality(Qt::WindowModal);
    setPalette(modeManager.vibrantAppearance());
    setAccessibleName(tr("List"));
    m_titleField->setAccessibleName(tr("Title"));
    m_colorWell->setAccessibleName(tr("Colour"));
    m_doneButton->setDefault(true);
    m_doneButton->setAutoDefault(true);
    m_cancelButton->setAutoDefault(false);

    m_titleField->setPlaceholderText(tr("List name"));
    auto* label = new QLabel(tr("&Name:"), this);
    label->setBuddy(m_titleField);
    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(label);
    fieldRow->addWidget(m_titleField, 1);
    fieldRow->addWidget(m_colorWell);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fieldRow);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(m_doneButton, &QPushButton::clicked, this, &AddListWindowController::doneButtonAction);
    connect(m_cancelButton, &QPushButton::clicked, this,
            &AddListWindowController::cancelButtonAction);
    connect(m_colorWell, &QPushButton::clicked, this, &AddListWindowController::showColorPanel);
    makeNewList();
}

AddListWindowController::~AddListWindowController()
{
    delete m_colorPanel.data();
}

void AddListWindowController::setColor(const QColor& color)
{
    m_color = color;
    m_colorWell->setIcon(swatch(color));
}

void AddListWindowController::makeNewList()
{
    m_editingList.reset();
    m_doneButton->setText(tr("Add New List"));
    m_titleField->clear();
    m_colorWell->setVisible(false);
    setColor(newListColor());
    m_titleField->setFocus();
}

void AddListWindowController::editList(const store::CalendarPtr& list)
{
    if (!list || !list->allowsContentModifications())
        return;
    m_editingList = list;
    m_doneButton->setText(tr("Edit List"));
    m_titleField->setText(list->title);
    setColor(list->color.isValid() ? qColor(list->color) : newListColor());
    m_colorWell->setVisible(true);
    m_titleField->setFocus();
}

void AddListWindowController::showColorPanel()
{
    if (!m_colorPanel) {
        m_colorPanel = new QColorDialog(m_color, this);
        m_colorPanel->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_colorPanel, &QColorDialog::currentColorChanged, this,
                &AddListWindowController::setColor);
    }
    m_colorPanel->show();
    m_colorPanel->raise();
}

void AddListWindowController::doneButtonAction()
{
    const QString title = m_titleField->text().trimmed();
    const store::CalendarPtr editing = m_editingList;
    const QColor color = m_color;
    closeSheet(QDialog::Accepted);
    if (title.isEmpty())
        return;
    QString error;
    if (editing) {
        if (!m_manager.tasks().modifyList(editing, title, collectionColor(color), &error))
            reportRefusal(tr("The list could not be changed"), error);
        if (m_delegate)
            m_delegate->addListDoneEditing(true, QString());
        return;
    }
    m_manager.lists().setDoNotValidate(true);
    const QString identifier =
        m_manager.tasks().addListWithTitle(title, collectionColor(color), &error);
    if (identifier.isEmpty())
        reportRefusal(tr("The list could not be created"), error);
    DataManager* manager = &m_manager;
    QTimer::singleShot(kValidationPauseMs, manager,
                       [manager] { manager->lists().changeBackToValidate(); });
    if (m_delegate)
        m_delegate->addListDoneEditing(false, identifier);
}

void AddListWindowController::reportRefusal(const QString& title, const QString& reason)
{
    auto* box =
        new QMessageBox(QMessageBox::Warning, title, title, QMessageBox::Ok, parentWidget());
    box->setInformativeText(reason.isEmpty() ? tr("The task store refused the change.") : reason);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

void AddListWindowController::cancelButtonAction()
{
    m_editingList.reset();
    closeSheet(QDialog::Rejected);
}

void AddListWindowController::reject()
{
    cancelButtonAction();
}

void AddListWindowController::closeSheet(DialogCode result)
{
    if (m_colorPanel)
        m_colorPanel->close();
    QDialog::done(result);
    m_doneButton->setText(tr("Add New List"));
}
