#include "platform/LibraryVersions.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <dlfcn.h>
#include <libical/ical.h>
#include <unicode/uversion.h>

namespace LibraryVersions {

QString qtRuntime()
{
    return QString::fromLatin1(qVersion());
}

QString qtBuild()
{
    return QStringLiteral(QT_VERSION_STR);
}

QString libicalRuntime()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&icalcomponent_new), &info) && info.dli_fname) {
        const QString loaded =
            QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalFilePath();
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("\\.so\\.(\\d+(?:\\.\\d+)*)$")).match(loaded);
        if (match.hasMatch() && match.captured(1).count(QLatin1Char('.')) >= 1)
            return match.captured(1);
    }
    return libicalBuild();
}

QString libicalBuild()
{
#ifdef VELMORAN_LIBICAL_VERSION
    return QStringLiteral(VELMORAN_LIBICAL_VERSION);
#else
    return QStringLiteral(ICAL_VERSION);
#endif
}

QString icuRuntime()
{
    UVersionInfo version;
    u_getVersion(version);
    char text[U_MAX_VERSION_STRING_LENGTH] = {};
    u_versionToString(version, text);
    return QString::fromLatin1(text);
}

QString icuBuild()
{
    return QStringLiteral(U_ICU_VERSION);
}

} // namespace LibraryVersions
