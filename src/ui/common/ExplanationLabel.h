#pragma once

#include <QLabel>

// A greyed line that explains the control above it ("How long a snoozed reminder waits…"). It
// asks for the width of its text on one line, and where the page is narrower, as it is in a
// language with longer words, it wraps and asks for the height of its lines at the width it
// gets, rather than widening the page past the window.
class ExplanationLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ExplanationLabel(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
};
