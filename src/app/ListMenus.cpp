#include "app/ListMenus.h"

#include "data/ListTitles.h"
#include "ui/common/MenuMnemonics.h"

#include <QAction>
#include <QMenu>

namespace {

void fill(QMenu* menu, const QList<ListEntry>& entries, QKeyCombination modifiers,
          const ListMenus::Choose& choose)
{
    menu->clear();
    const int count = qMin<int>(entries.size(), ListMenus::kMaximumItems);
    for (int position = 1; position <= count; ++position) {
        QAction* action = menu->addAction(ListTitles::titleForEntry(entries.at(position - 1)));
        action->setData(position);
        action->setShortcut(QKeySequence(
            QKeyCombination(modifiers.keyboardModifiers(), Qt::Key(Qt::Key_0 + position))));
        action->setShortcutContext(Qt::ApplicationShortcut);
        QObject::connect(action, &QAction::triggered, menu, [choose, position] {
            if (choose)
                choose(position);
        });
    }
    MenuMnemonics::give(menu);
}

} // namespace

namespace ListMenus {

void setupPresetListsMenu(QMenu* menu, const QList<ListEntry>& entries, const Choose& choose)
{
    fill(menu, entries, QKeyCombination(Qt::ControlModifier), choose);
}

void setupSmartListsMenu(QMenu* menu, const QList<ListEntry>& entries, const Choose& choose)
{
    fill(menu, entries, QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier), choose);
}

void setupListsMenu(QMenu* menu, const QList<ListEntry>& entries, const Choose& choose)
{
    fill(menu, entries, QKeyCombination(Qt::ControlModifier | Qt::AltModifier), choose);
}

} // namespace ListMenus
