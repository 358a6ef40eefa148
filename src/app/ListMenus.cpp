#include "app/ListMenus.h"

#include "data/ListTitles.h"

#include <QAction>
#include <QMenu>

namespace {

void fill(QMenu* menu, const QVariantList& entries, QKeyCombination modifiers,
          const std::function<QString(const QVariantMap&)>& title, const ListMenus::Choose& choose)
{
    menu->clear();
    const int count = qMin<int>(entries.size(), ListMenus::kMaximumItems);
    for (int position = 1; position <= count; ++position) {
        QAction* action = menu->addAction(title(entries.at(position - 1).toMap()));
        action->setData(position);
        action->setShortcut(QKeySequence(
            QKeyCombination(modifiers.keyboardModifiers(), Qt::Key(Qt::Key_0 + position))));
        action->setShortcutContext(Qt::ApplicationShortcut);
        QObject::connect(action, &QAction::triggered, menu, [choose, position] {
            if (choose)
                choose(position);
        });
    }
}

} // namespace

namespace ListMenus {

void setupPresetListsMenu(QMenu* menu, const QVariantList& entries, const Choose& choose)
{
    fill(
        menu, entries, QKeyCombination(Qt::ControlModifier),
        [](const QVariantMap& entry) {
            return ListTitles::presetListTitle(entry.value(QStringLiteral("type")).toInt());
        },
        choose);
}

void setupSmartListsMenu(QMenu* menu, const QVariantList& entries, const Choose& choose)
{
    fill(menu, entries, QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier),
         ListTitles::smartListTitle, choose);
}

void setupListsMenu(QMenu* menu, const QVariantList& entries, const Choose& choose)
{
    fill(
        menu, entries, QKeyCombination(Qt::ControlModifier | Qt::AltModifier),
        [](const QVariantMap& entry) { return entry.value(QStringLiteral("title")).toString(); },
        choose);
}

} // namespace ListMenus
