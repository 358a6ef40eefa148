#pragma once

#include <QLabel>

// A line that warns or says what was refused, in red. Windows without the appearance at hand
// (the preference pages) keep it readable by taking the red darker by day and lighter at night
// until it reads at 4.5:1 on their window and fields, again whenever their colours change.
class AlertLabel : public QLabel
{
    Q_OBJECT

public:
    explicit AlertLabel(QWidget* parent = nullptr);
    explicit AlertLabel(const QString& text, QWidget* parent = nullptr);

    static QColor colorOn(const QPalette& palette);

protected:
    void changeEvent(QEvent* event) override;

private:
    void takeColor();
};
