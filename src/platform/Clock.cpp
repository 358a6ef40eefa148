#include "platform/Clock.h"

#include <QMutexLocker>

Clock& Clock::system()
{
    static Clock clock;
    return clock;
}

QDateTime Clock::now() const
{
    QMutexLocker lock(&m_mutex);
    if (m_fixed.isValid())
        return m_fixed.toLocalTime();
    return QDateTime::currentDateTime();
}

void Clock::setNow(const QDateTime& instant)
{
    QMutexLocker lock(&m_mutex);
    m_fixed = instant;
}

void Clock::advanceSeconds(qint64 seconds)
{
    QMutexLocker lock(&m_mutex);
    if (m_fixed.isValid())
        m_fixed = m_fixed.addSecs(seconds);
}

void Clock::reset()
{
    QMutexLocker lock(&m_mutex);
    m_fixed = QDateTime();
}

bool Clock::isFrozen() const
{
    QMutexLocker lock(&m_mutex);
    return m_fixed.isValid();
}
