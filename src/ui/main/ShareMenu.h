#pragma once

#include "text/ListExport.h"

#include <QObject>
#include <QPoint>
#include <QUrl>

#include <functional>

class QMenu;
class QWidget;

// Where a shared list can go on a Linux desktop: the clipboard (rich and plain text together),
// a new e-mail in the user's mail program, or a file. The blocking parts (opening the mail
// program, asking for a file name) are seams that tests answer.
class ShareMenu : public QObject
{
    Q_OBJECT

public:
    using OpenUrl = std::function<bool(const QUrl& url)>;
    // The chosen file, or "" when the user cancelled.
    using AskFileName = std::function<QString(QWidget* parent, const QString& suggestedName)>;

    explicit ShareMenu(QObject* parent = nullptr);

    void setOpenUrl(OpenUrl openUrl) { m_openUrl = std::move(openUrl); }
    void setAskFileName(AskFileName ask) { m_askFileName = std::move(ask); }

    // The menu for one list; `parent` owns it. The text is taken now, so the menu shares the
    // list as it was when the menu opened.
    QMenu* menuForList(const QString& title, const StyledText& text, QWidget* parent);
    // Pops the menu up at `globalPosition`.
    void share(const QString& title, const StyledText& text, QWidget* parent,
               const QPoint& globalPosition);

    void copyToClipboard(const StyledText& text) const;
    QUrl mailUrl(const QString& title, const StyledText& text) const;
    bool sendByMail(const QString& title, const StyledText& text) const;
    // Plain text unless the name ends in .html or .htm; false (with `error`) when it could not
    // be written.
    bool saveToFile(const QString& fileName, const StyledText& text, QString* error) const;

Q_SIGNALS:
    // A save that failed, with the reason, for the window to show.
    void failed(const QString& message);

private:
    OpenUrl m_openUrl;
    AskFileName m_askFileName;
};
