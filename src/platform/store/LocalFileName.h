#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace store {

// File names as the file system has them: bytes, which other programs (a Latin-1 locale, a
// server's href) need not have written as UTF-8. Qt decodes names as UTF-8 and cannot give the
// bytes of an invalid one back, so the store carries names and paths in this reversible form
// instead: valid UTF-8 is decoded as usual, and each byte of an invalid sequence becomes the
// lone surrogate U+DC80..U+DCFF (the "surrogateescape" scheme), which encode() turns back into
// that very byte. Such a string is for the file system only; what a person reads goes through
// forDisplay().
namespace LocalFileName {

QString decode(QByteArrayView bytes);
// The bytes decode() was given. Lone surrogates it never makes are written as U+FFFD.
QByteArray encode(QStringView name);
// Whether the name holds bytes that are not UTF-8.
bool hasEscapedBytes(QStringView name);
// The name as a person reads it: each escaped byte becomes U+FFFD.
QString forDisplay(QStringView name);

} // namespace LocalFileName

} // namespace store
