#include "ui/main/ShareMenu.h"

#include "platform/ReplaceFileContents.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QUrlQuery>

ShareMenu::ShareMenu(QObject* parent)
    : QObject(parent)
    , m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); })
    , m_askFileName([](QWidget* window, const QString& suggestedName) {
        return QFileDialog::getSaveFileName(window, tr("Save List"),
                                            QDir::home().filePath(suggestedName),
                                            tr("Text (*.txt);;Web Page (*.html)"));
    })
{}

QMenu* ShareMenu::menuForList(const QString& title, const StyledText& text, QWidget* parent)
{
    auto* menu = new QMenu(tr("Share"), parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(tr("&Copy"), this, [this, text] { copyToClipboard(text); });
    menu->addAction(tr("&Email…"), this, [this, title, text] { sendByMail(title, text); });
    menu->addAction(tr("&Save to File…"), this, [this, title, text, parent] {
        QString name = title;
        name.replace(QLatin1Char('/'), QLatin1Char('-'));
        const QString fileName =
            m_askFileName(parent, (name.trimmed().isEmpty() ? tr("Tasks") : name) + ".txt");
        if (fileName.isEmpty())
            return;
        QString error;
        if (!saveToFile(fileName, text, &error))
            Q_EMIT failed(error);
    });
    return menu;
}

void ShareMenu::share(const QString& title, const StyledText& text, QWidget* parent,
                      const QPoint& globalPosition)
{
    menuForList(title, text, parent)->popup(globalPosition);
}

void ShareMenu::copyToClipboard(const StyledText& text) const
{
    QApplication::clipboard()->setMimeData(text.toMimeData().release());
}

QUrl ShareMenu::mailUrl(const QString& title, const StyledText& text) const
{
    QUrl url(QStringLiteral("mailto:"));
    QUrlQuery query;
    // Every reserved character must be encoded, or a "&" in a task title would cut the body.
    query.addQueryItem(QStringLiteral("subject"),
                       QString::fromLatin1(QUrl::toPercentEncoding(title)));
    query.addQueryItem(QStringLiteral("body"),
                       QString::fromLatin1(QUrl::toPercentEncoding(text.toPlainText())));
    url.setQuery(query.query(QUrl::FullyEncoded), QUrl::StrictMode);
    return url;
}

bool ShareMenu::sendByMail(const QString& title, const StyledText& text) const
{
    return m_openUrl && m_openUrl(mailUrl(title, text));
}

bool ShareMenu::saveToFile(const QString& fileName, const StyledText& text, QString* error) const
{
    const bool html = fileName.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
                      fileName.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
    QString reason;
    if (!replaceFileContents(fileName, (html ? text.toHtml() : text.toPlainText()).toUtf8(),
                             &reason)) {
        if (error)
            *error = tr("The list could not be saved to %1: %2").arg(fileName, reason);
        return false;
    }
    return true;
}
