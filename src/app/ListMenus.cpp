#include "app/ListMenus.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ListMenus", text);
}

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

QString presetListTitle(int type)
{
    switch (type) {
    case 0:
        return tr("All Tasks");
    case 1:
        return tr("Undated Tasks");
    case 2:
        return tr("Recurring Tasks");
    case 3:
        return tr("Location-based Tasks");
    case 4:
        return tr("Overdue Tasks");
    case 5:
        return tr("High Priority Tasks");
    case 6:
        return tr("Mid Priority Tasks");
    case 7:
        return tr("Low Priority Tasks");
    default:
        return {};
    }
}

QString smartListTitle(const QVariantMap& entry)
{
    const int type = entry.value(QStringLiteral("type")).toInt();
    const QString tag = entry.value(QStringLiteral("tag")).toString();
    if (type == 8)
        return QStringLiteral("#") + tag;
    if (type == 9 || type == 15)
        return tag;
    return {};
}

void setupPresetListsMenu(QMenu* menu, const QVariantList& entries, const Choose& choose)
{
    fill(
        menu, entries, QKeyCombination(Qt::ControlModifier),
        [](const QVariantMap& entry) {
            return presetListTitle(entry.value(QStringLiteral("type")).toInt());
        },
        choose);
}

void setupSmartListsMenu(QMenu* menu, const QVariantList& entries, const Choose& choose)
{
    fill(menu, entries, QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier), smartListTitle,
         choose);
}

void setupListsMenu(QMenu* menu, const QVariantList& entries, const Choose& choose)
{
    fill(
        menu, entries, QKeyCombination(Qt::ControlModifier | Qt::AltModifier),
        [](const QVariantMap& entry) { return entry.value(QStringLiteral("title")).toString(); },
        choose);
}

} // namespace ListMenus
