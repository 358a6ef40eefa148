#include "ui/main/detail/LinkHighlighter.h"

#include "text/LinkDetector.h"

LinkHighlighter::LinkHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document)
{}

void LinkHighlighter::setLinkColor(const QColor& color)
{
    if (m_linkColor == color)
        return;
    m_linkColor = color;
    rehighlight();
}

void LinkHighlighter::highlightBlock(const QString& text)
{
    QTextCharFormat format;
    format.setFontUnderline(true);
    format.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    if (m_linkColor.isValid())
        format.setForeground(m_linkColor);
    for (const LinkDetector::Link& link : LinkDetector::links(text))
        setFormat(int(link.start), int(link.length), format);
}
