#pragma once

#include <QCoreApplication>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// "Rate Velmoran" (the Help menu and the help window): the desktop's software centre
// ("appstream:") where a program handles such links, else the project's web page. A link
// nothing opens is said, not dropped.
class ReviewLink
{
    Q_DECLARE_TR_FUNCTIONS(ReviewLink)

public:
    using OpenUrl = std::function<bool(const QUrl&)>;

    ReviewLink();

    static QUrl url();
    // The message shows over `parent` (may be null).
    void open(QWidget* parent);
    // Tests answer in place of the desktop; null opens nothing.
    void setOpenUrl(OpenUrl openUrl) { m_openUrl = std::move(openUrl); }
    // The last message shown (tests read it).
    QString lastMessage() const { return m_lastMessage; }

private:
    OpenUrl m_openUrl;
    QString m_lastMessage;
};
