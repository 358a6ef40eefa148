#include "platform/store/LocalFileName.h"

namespace store::LocalFileName {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kReplacement = 0xFFFD;

bool isEscape(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

bool isContinuation(uchar byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at `at` (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when there is none.
int sequenceLength(const uchar* at, const uchar* end)
{
    const uchar lead = at[0];
    const qsizetype left = end - at;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && isContinuation(at[1]) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !isContinuation(at[1]) || !isContinuation(at[2]))
            return 0;
        if ((lead == 0xE0 && at[1] < 0xA0) || (lead == 0xED && at[1] > 0x9F))
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !isContinuation(at[1]) || !isContinuation(at[2]) || !isContinuation(at[3]))
            return 0;
        if ((lead == 0xF0 && at[1] < 0x90) || (lead == 0xF4 && at[1] > 0x8F))
            return 0;
        return 4;
    }
    return 0;
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

// Calls `escaped(unit)` for every escaped byte and `text(from, length)` for the runs between.
template <typename Escaped, typename Text> void walk(QStringView name, Escaped escaped, Text text)
{
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() &&
            QChar::isLowSurrogate(name[i + 1].unicode())) {
            ++i; // a pair: a character above U+FFFF, never an escape
            continue;
        }
        if (!isEscape(unit))
            continue;
        text(runStart, i - runStart);
        escaped(unit);
        runStart = i + 1;
    }
    text(runStart, name.size() - runStart);
}

} // namespace

QString decode(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QString name;
    name.reserve(bytes.size());
    const auto* const begin = reinterpret_cast<const uchar*>(bytes.data());
    const auto* const end = begin + bytes.size();
    const uchar* runStart = begin;
    auto endRun = [&](const uchar* at) {
        name += QString::fromUtf8(reinterpret_cast<const char*>(runStart), at - runStart);
    };
    for (const uchar* at = begin; at < end;) {
        const int length = sequenceLength(at, end);
        if (length > 0) {
            at += length;
            continue;
        }
        endRun(at);
        name += QChar(char16_t(kEscapeBase + *at));
        runStart = ++at;
    }
    endRun(end);
    return name;
}

QByteArray encode(QStringView name)
{
    // Nearly every name is ASCII, and checking a folder from the cache encodes one per file.
    if (QtPrivate::isAscii(name))
        return name.toLatin1();
    QByteArray bytes;
    bytes.reserve(name.size());
    walk(
        name, [&](char16_t unit) { bytes += char(uchar(unit - kEscapeBase)); },
        [&](qsizetype from, qsizetype length) {
            QString run = name.mid(from, length).toString();
            // A lone surrogate no decoding made is no byte of a name (Qt would write '?').
            for (qsizetype i = 0; i < run.size(); ++i) {
                if (run[i].isHighSurrogate() && i + 1 < run.size() && run[i + 1].isLowSurrogate())
                    ++i;
                else if (run[i].isSurrogate())
                    run[i] = QChar(kReplacement);
            }
            bytes += run.toUtf8();
        });
    return bytes;
}

bool hasEscapedBytes(QStringView name)
{
    bool found = false;
    walk(
        name, [&](char16_t) { found = true; }, [](qsizetype, qsizetype) {});
    return found;
}

QString forDisplay(QStringView name)
{
    QString shown;
    shown.reserve(name.size());
    walk(
        name, [&](char16_t) { shown += QChar(kReplacement); },
        [&](qsizetype from, qsizetype length) { shown += name.mid(from, length); });
    return shown;
}

} // namespace store::LocalFileName
