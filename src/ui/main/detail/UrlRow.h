#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// The URL row: the address field and the button that opens it, hidden while the field is
// empty.
class UrlRow : public QWidget
{
    Q_OBJECT

public:
    explicit UrlRow(QWidget* parent = nullptr);

    QLineEdit* field() const { return m_field; }
    QToolButton* openButton() const { return m_open; }
    void setText(const QString& text, bool editable);
    void updateOpenButton();

private:
    QLineEdit* m_field = nullptr;
    QToolButton* m_open = nullptr;
};
