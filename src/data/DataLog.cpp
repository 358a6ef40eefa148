#include "data/DataLog.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcData, "velmoran.data")

void DataLog::write(const QString& line) const
{
    if (m_on)
        qCInfo(lcData).noquote() << QStringLiteral("[Data] ") + line;
}
