#pragma once

#include "entry/SmartAddEntry.h"

// Drives an entry the way a line edit does: one user edit per typed character, the cursor at
// the end, the entry's answer written back without another match.
class TypingField
{
public:
    explicit TypingField(SmartAddEntry& entry)
        : m_entry(entry)
    {}

    void type(const QString& characters)
    {
        for (const QChar c : characters) {
            m_text.insert(m_cursor, c);
            ++m_cursor;
            if (const auto change = m_entry.userEditedText(m_text, m_cursor)) {
                m_text = change->text;
                m_cursor = change->cursorPosition;
            }
        }
    }

    void clear()
    {
        m_text.clear();
        m_cursor = 0;
    }

    const QString& text() const { return m_text; }

private:
    SmartAddEntry& m_entry;
    QString m_text;
    qsizetype m_cursor = 0;
};
