#pragma once

#include <QColor>
#include <QSyntaxHighlighter>

// Underlines the links in editable notes, block by block, so that a long note is decorated
// again only where it changed and its text is never rewritten.
class LinkHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit LinkHighlighter(QTextDocument* document);
    void setLinkColor(const QColor& color);

protected:
    void highlightBlock(const QString& text) override;

private:
    QColor m_linkColor;
};
