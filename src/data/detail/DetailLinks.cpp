#include "data/detail/DetailLinks.h"

#include "text/LinkDetector.h"

#include <QCoreApplication>

namespace DetailLinks {

namespace {

const QString kMessage = QStringLiteral("message:");

} // namespace

QString urlText(const QUrl& url)
{
    return url.isEmpty() ? QString() : url.toString();
}

QString urlFieldText(const QUrl& url)
{
    const QString text = urlText(url);
    if (text.startsWith(kMessage) && text.size() > kMessage.size() &&
        QStringLiteral("/%<").contains(text.at(kMessage.size())))
        return QCoreApplication::translate("RightViewController", "Mail Link");
    return text;
}

QString validatedUrlText(const QString& fieldText)
{
    const std::optional<LinkDetector::Link> link = LinkDetector::firstLink(fieldText);
    return link ? link->urlText : QString();
}

QString withMailSlashes(const QString& text, Qt::CaseSensitivity sensitivity)
{
    if (!text.startsWith(kMessage, sensitivity))
        return text;
    if (QStringView(text).mid(kMessage.size(), 2) == QLatin1String("//"))
        return text;
    QString fixed = text;
    fixed.insert(kMessage.size(), QStringLiteral("//"));
    return fixed;
}

QUrl openableUrl(const QUrl& url)
{
    const QString text = urlText(url);
    const QString fixed = withMailSlashes(text, Qt::CaseInsensitive);
    if (fixed == text)
        return url;
    // With the slashes, a message id in brackets would stand where a host belongs, which no
    // URL can hold; such a link opens as it is.
    const QUrl withSlashes(fixed, QUrl::TolerantMode);
    return withSlashes.isValid() ? withSlashes : url;
}

OpenPolicy openPolicy(const QUrl& url)
{
    if (!url.isValid() || url.scheme().isEmpty())
        return OpenPolicy::Refuse;
    const QString scheme = url.scheme().toLower();
    static const QStringList direct{QStringLiteral("http"), QStringLiteral("https"),
                                    QStringLiteral("mailto"), QStringLiteral("velmoran"),
                                    QStringLiteral("message")};
    static const QStringList never{QStringLiteral("javascript"), QStringLiteral("data"),
                                   QStringLiteral("vbscript"), QStringLiteral("blob"),
                                   QStringLiteral("about")};
    if (direct.contains(scheme))
        return url.host().isEmpty() &&
                       (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
                   ? OpenPolicy::Refuse
                   : OpenPolicy::Open;
    if (never.contains(scheme))
        return OpenPolicy::Refuse;
    return OpenPolicy::Confirm;
}

NotesDecoration decorateNotes(const QString& notes, bool editable)
{
    NotesDecoration decoration;
    decoration.text = notes;
    if (notes.startsWith(kMessage)) {
        decoration.text = withMailSlashes(notes, Qt::CaseSensitive);
        decoration.readOnly = true;
    }
    const bool captions = decoration.readOnly || !editable;
    const QString caption = QCoreApplication::translate("RightViewController", "Show in Mail");
    const QList<LinkDetector::Link> found = LinkDetector::links(decoration.text);
    if (!captions) {
        for (const LinkDetector::Link& link : found)
            decoration.links.append(NotesLink{link.start, link.length, link.url});
        return decoration;
    }
    // A caption is longer or shorter than the link it replaces; every later link moves by the
    // difference, so each one stays decorated at its own place.
    QString text = decoration.text;
    QList<NotesLink> shown;
    qsizetype shift = 0;
    for (const LinkDetector::Link& link : found) {
        const bool mail = link.urlText.startsWith(QStringLiteral("message://"));
        const qsizetype start = link.start + shift;
        if (mail) {
            text.replace(start, link.length, caption);
            shift += caption.size() - link.length;
            shown.append(NotesLink{start, caption.size(), link.url});
        } else {
            shown.append(NotesLink{start, link.length, link.url});
        }
    }
    decoration.text = text;
    decoration.links = shown;
    return decoration;
}

} // namespace DetailLinks
