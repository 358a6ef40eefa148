#include "platform/store/CompactText.h"

#include <cstring>

namespace store {

void CompactText::assign(QStringView text)
{
    const qsizetype size = text.size();
    if (size == 0) {
        m_bytes.clear();
        return;
    }
    const char16_t* units = text.utf16();
    // No early exit: the loop is then one the compiler turns into vector instructions.
    char16_t any = 0;
    for (qsizetype i = 0; i < size; ++i)
        any |= units[i];
    if (any <= 0xff) {
        char* bytes = room(size + 1);
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = char(units[i]);
        bytes[size] = kLatin1;
    } else {
        char* bytes = room(size * 2 + 1);
        std::memcpy(bytes, units, size_t(size) * 2);
        bytes[size * 2] = kWide;
    }
}

char* CompactText::room(qsizetype size)
{
    // A resize that allocates leaves room to grow, which a text read once and kept for as long
    // as its task would carry along: a new array takes no more than it is asked for.
    if (m_bytes.isDetached() && m_bytes.capacity() >= size)
        m_bytes.resize(size);
    else
        m_bytes = QByteArray(size, Qt::Uninitialized);
    return m_bytes.data();
}

} // namespace store
