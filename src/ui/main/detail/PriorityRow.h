#pragma once

#include <QWidget>

class QPushButton;

// The four priority buttons "None", "!", "!!" and "!!!"; the one that matches the task's
// priority is drawn in red and is the checked one of four radio buttons to a screen reader.
class PriorityRow : public QWidget
{
    Q_OBJECT

public:
    explicit PriorityRow(QWidget* parent = nullptr);

    QPushButton* button(int index) const { return m_buttons[index]; }
    // `lit`: the button that matches the priority (0 … 3).
    void setLit(int lit, const QColor& secondary, const QColor& tertiary, const QColor& alert);
    int lit() const { return m_lit; }
    void setButtonFont(const QFont& font);

Q_SIGNALS:
    void pressed(int index);

private:
    // Four across the narrowest pane.
    static constexpr int kLeastButtonWidth = 36;

    void keepTitlesWhole();

    QPushButton* m_buttons[4] = {};
    int m_lit = 0;
    // The button a screen reader was last told is checked.
    int m_announcedLit = -1;
};
