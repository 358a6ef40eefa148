#include "ui/entry/AddViewController.h"

#include "ui/common/AccessibleRoles.h"

#include "ui/entry/QuickAddForm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

AddViewController::AddViewController(DataManager& manager, ModeManager& modeManager,
                                     QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_form(new QuickAddForm(manager, modeManager, QuickAddForm::Arrangement::Compact, this))
{
    setWindowTitle(tr("New Task"));
    setAccessibleName(tr("New Task"));
    AccessibleRoles::give(this, QAccessible::Dialog);
    // The application lives on in the tray when its windows close; this one never ends it.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_form);
    setMinimumWidth(440);

    connect(m_form, &QuickAddForm::returnPressed, this, &AddViewController::returnPressed);
    connect(m_form, &QuickAddForm::escapePressed, this, &QWidget::close);
    connect(m_form, &QuickAddForm::taskAdded, this, &AddViewController::taskAdded);
    m_form->setupForm();
    resetAppearance();
}

AddViewController::~AddViewController() = default;

void AddViewController::changeToSelectedDate()
{
    m_form->changeToSelectedDate();
}

void AddViewController::changeToList(const QString& listIdentifier)
{
    m_form->changeToList(listIdentifier);
}

void AddViewController::resetAppearance()
{
    m_form->resetAppearance();
    setPalette(m_form->palette());
}

void AddViewController::returnPressed(Qt::KeyboardModifiers modifiers)
{
    const QuickAddForm::AddResult result = m_form->addTask();
    if (!QuickAddForm::wasAdded(result))
        return;
    if (modifiers & Qt::ControlModifier) {
        if (result == QuickAddForm::AddResult::Added)
            m_form->showNotice(tr("New Task Added"));
        return;
    }
    // A task that went to another list than the chosen one (the list was removed meanwhile)
    // keeps the window open so that the notice saying where it went is read.
    if (result == QuickAddForm::AddResult::Added)
        close();
}

void AddViewController::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AddViewController::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closing();
}
