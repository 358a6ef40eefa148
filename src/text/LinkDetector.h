#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// Finds the links a person writes in running text, as the notes and the URL field need them:
// addresses with a scheme ("https://…", "mailto:…", "message:<…>"), host names starting with
// "www.", bare host names under a common top-level domain ("example.org/path") and e-mail
// addresses. Punctuation that ends a sentence is not part of a link. Stateless and
// thread-safe.
namespace LinkDetector {

struct Link
{
    qsizetype start = 0;
    qsizetype length = 0;
    // The full address: a bare host gains "http://", an e-mail address "mailto:".
    QUrl url;
    // The address as text, the way the URL field shows it.
    QString urlText;
};

// Every link in `text`, in order, none overlapping.
QList<Link> links(const QString& text);
// The first link, if there is one.
std::optional<Link> firstLink(const QString& text);

} // namespace LinkDetector
