#pragma once

#include <QWidget>

class ElidedLabel;

// A read-only row of up to three lines of text: an event's time, place and calendar, or the
// location alarm of a task and its place. A line longer than the row ends in an ellipsis.
class InfoRow : public QWidget
{
    Q_OBJECT

public:
    explicit InfoRow(QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    QStringList lines() const;
    ElidedLabel* line(int index) const { return m_lines[index]; }

private:
    ElidedLabel* m_lines[3] = {};
};
