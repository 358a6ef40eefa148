#pragma once

#include "ui/common/ElidedLineEdit.h"

#include <QWidget>

class QToolButton;

// The URL row: the address field (an address longer than the row ends in an ellipsis until the
// field is edited) and the button that opens it, hidden while the field is empty. The button is
// for the pointer; from the keyboard Ctrl+Return in the field opens the address, and Tab goes on
// from the field to the next row.
class UrlRow : public QWidget
{
    Q_OBJECT

public:
    explicit UrlRow(QWidget* parent = nullptr);

    ElidedLineEdit* field() const { return m_field; }
    QToolButton* openButton() const { return m_open; }
    void setText(const QString& text, bool editable);
    void updateOpenButton();

Q_SIGNALS:
    // The button was clicked, or Ctrl+Return pressed in the field.
    void openRequested();

private:
    ElidedLineEdit* m_field = nullptr;
    QToolButton* m_open = nullptr;
};
