#include "text/LinkDetector.h"

#include <QRegularExpression>

namespace LinkDetector {

namespace {

// Schemes written without "//" that are still links; any scheme followed by "//" is one too.
// "javascript:" and "data:" are deliberately absent: they are programs, not places.
const QString kOpaqueSchemes = QStringLiteral("mailto|message|velmoran|file|tel|sms|news");

// Top-level domains a bare host name is recognised under; with any other ending a word such as
// "notes.txt" or "e.g." stays text.
const QString kCommonDomains =
    QStringLiteral("com|org|net|edu|gov|mil|int|info|biz|io|dev|app|eu|de|at|ch|uk|fr|it|es|nl|"
                   "be|se|no|dk|fi|pl|cz|ru|us|ca|au|nz|jp|cn|in|br|me|tv|co");

const QRegularExpression& pattern()
{
    static const QRegularExpression expression(
        QStringLiteral(
            // 1: a scheme with "//", or one of the opaque schemes with anything after it
            R"((\b[a-zA-Z][a-zA-Z0-9+.\-]*://[^\s<>"]+|\b(?:%1):[^\s"]+))"
            // 2: www. host
            R"(|(\bwww\.[a-zA-Z0-9\-]+(?:\.[a-zA-Z0-9\-]+)+(?:[/?#][^\s<>"]*)?))"
            // 3: e-mail address
            R"(|(\b[a-zA-Z0-9._%+\-]+@[a-zA-Z0-9\-]+(?:\.[a-zA-Z0-9\-]+)*\.[a-zA-Z]{2,}\b))"
            // 4: bare host under a common domain
            R"(|(\b[a-zA-Z0-9\-]+(?:\.[a-zA-Z0-9\-]+)*\.(?:%2)\b(?:[/?#][^\s<>"]*)?))")
            .arg(kOpaqueSchemes, kCommonDomains),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return expression;
}

// A sentence's full stop, comma or closing bracket after a link belongs to the sentence; a
// closing bracket that closes one opened inside the link stays.
qsizetype trimmedLength(const QString& text, qsizetype start, qsizetype length)
{
    while (length > 0) {
        const QChar last = text.at(start + length - 1);
        if (QStringLiteral(".,;:!?'\"").contains(last)) {
            --length;
            continue;
        }
        const QString closers = QStringLiteral(")]}>");
        const QString openers = QStringLiteral("([{<");
        const qsizetype kind = closers.indexOf(last);
        if (kind < 0)
            break;
        const QStringView link(text.constData() + start, length);
        if (link.count(openers.at(kind)) >= link.count(last))
            break;
        --length;
    }
    return length;
}

} // namespace

QList<Link> links(const QString& text)
{
    QList<Link> found;
    QRegularExpressionMatchIterator it = pattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const qsizetype start = match.capturedStart(0);
        const qsizetype length = trimmedLength(text, start, match.capturedLength(0));
        if (length <= 0)
            continue;
        const QString linkText = text.mid(start, length);
        QString address = linkText;
        if (match.capturedLength(3) > 0)
            address = QStringLiteral("mailto:") + linkText;
        else if (match.capturedLength(2) > 0 || match.capturedLength(4) > 0)
            address = QStringLiteral("http://") + linkText;
        QUrl url(address, QUrl::TolerantMode);
        // "message://<id@host>" is what mail programs write, but a URL cannot carry brackets
        // where a host belongs; the link then opens in the form without the slashes.
        if (!url.isValid() && address.startsWith(QLatin1String("message://"), Qt::CaseInsensitive))
            url = QUrl(QStringLiteral("message:") + address.mid(10), QUrl::TolerantMode);
        if (!url.isValid() || url.scheme().isEmpty())
            continue;
        found.append(Link{start, length, url, address});
    }
    return found;
}

std::optional<Link> firstLink(const QString& text)
{
    const QList<Link> all = links(text);
    if (all.isEmpty())
        return std::nullopt;
    return all.first();
}

} // namespace LinkDetector
