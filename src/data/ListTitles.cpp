#include "data/ListTitles.h"

#include "platform/UserDefaults.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ListTitles", text);
}

} // namespace

namespace ListTitles {

QString presetListTitle(qint64 type)
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
        return QString();
    }
}

QString smartListTitle(const QVariantMap& entry)
{
    const qint64 type = UserDefaults::integerValue(entry.value(QStringLiteral("type")));
    const QString tag = entry.value(QStringLiteral("tag")).toString();
    if (type == 8)
        return QStringLiteral("#") + tag;
    if (type == 9 || type == 15)
        return tag;
    return QString();
}

} // namespace ListTitles
