#pragma once

#include "ui/common/ElidedLineEdit.h"

#include <QWidget>

class QToolButton;

// The URL row: the address field (an address longer than the row ends in an ellipsis until the
// field is edited) and the button that opens it, hidden while the field is empty.
class UrlRow : public QWidget
{
    Q_OBJECT

public:
    explicit UrlRow(QWidget* parent = nullptr);

    ElidedLineEdit* field() const { return m_field; }
    QToolButton* openButton() const { return m_open; }
    void setText(const QString& text, bool editable);
    void updateOpenButton();

private:
    ElidedLineEdit* m_field = nullptr;
    QToolButton* m_open = nullptr;
};
