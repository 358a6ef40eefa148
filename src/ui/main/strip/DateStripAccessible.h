#pragma once

#include <QAccessibleWidget>
#include <QCoreApplication>

class DateDayView;
class DateStripView;

// What a screen reader finds in the week or month strip: a list of days, each a selectable
// item named by its full date, "today", "has tasks" and "has events" in its description, and
// the selected day as the list's focused child while the strip has the keyboard (the strip
// moves the selection with the arrow keys, the cells never take the keyboard themselves).
class DateStripAccessible : public QAccessibleWidget
{
public:
    explicit DateStripAccessible(DateStripView* strip);

    // Makes Qt build these interfaces for the strips and their cells.
    static void installFactory();

    QAccessibleInterface* focusChild() const override;
};

class DateDayAccessible : public QAccessibleWidget
{
    Q_DECLARE_TR_FUNCTIONS(DateDayAccessible)

public:
    explicit DateDayAccessible(DateDayView* day);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& name) override;

private:
    DateDayView* day() const;
};
