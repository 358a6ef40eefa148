#pragma once

#include <QString>
#include <QStringList>

// What a list's rows let a screen reader do beyond selecting them, answered by whoever owns
// the list. Names are the untranslated ones assistive technology calls actions by.
class ListRowActions
{
public:
    virtual ~ListRowActions() = default;
    virtual QStringList rowActionNames(int row) const = 0;
    virtual QString localizedRowActionName(const QString& name) const = 0;
    virtual QString rowActionDescription(const QString& name) const = 0;
    virtual void doRowAction(int row, const QString& name) = 0;
};
