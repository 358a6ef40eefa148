#include "ui/main/lists/AddTagListWindowController.h"

#include "data/DataManager.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "ui/main/lists/ListWindowDelegates.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddTagListWindowController::AddTagListWindowController(DataManager& manager,
                                                       ModeManager& modeManager,
                                                       SmartListWindowDelegate* delegate,
                                                       QWidget* parent)
    : SmartListWindow(manager, delegate, parent)
    , m_textField(new QLineEdit(this))
{
    setPalette(modeManager.vibrantAppearance());
    setAccessibleName(tr("Smart List"));
    m_textField->setAccessibleName(tr("Tag or search text"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_doneButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_textField);
    layout->addLayout(buttons);
    setMinimumWidth(320);

    connect(m_doneButton, &QPushButton::clicked, this,
            &AddTagListWindowController::doneButtonAction);
    makeNewList();
}

void AddTagListWindowController::makeNewList()
{
    m_editingSmartList.reset();
    m_doneButton->setText(tr("Add Smart List"));
    m_textField->setText(m_isTag ? QStringLiteral("#") : QString());
    m_textField->setCursorPosition(int(m_textField->text().size()));
    m_textField->setFocus();
}

void AddTagListWindowController::addTag()
{
    m_isTag = true;
    makeNewList();
}

void AddTagListWindowController::editList(const ListEntry& smartList)
{
    m_editingSmartList = smartList;
    m_doneButton->setText(tr("Edit List"));
    const QString tag = smartList.tag();
    m_textField->setText(smartList.is(ListKind::TagList) ? QStringLiteral("#%1").arg(tag) : tag);
    m_textField->setFocus();
}

void AddTagListWindowController::doneButtonAction()
{
    const QString text = m_textField->text().trimmed();
    if (text.isEmpty() || text == QLatin1String("#"))
        return;
    const bool tagList = text.startsWith(QLatin1Char('#'));
    const ListKind type = tagList ? ListKind::TagList : ListKind::SavedSearch;
    const QString title = tagList ? text.mid(1) : text;
    storeSmartList(type, title, {}, {});
    if (m_delegate)
        m_delegate->addTagListDone();
}
