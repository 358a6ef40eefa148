#include "app/ReviewLink.h"

#include "platform/SchemeHandlers.h"

#include <QDesktopServices>
#include <QMessageBox>

ReviewLink::ReviewLink()
    : m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{}

QUrl ReviewLink::url()
{
    if (SchemeHandlers::hasHandlerForScheme(QStringLiteral("appstream")))
        return QUrl(QStringLiteral("appstream://org.velmoran.Velmoran"));
    return QUrl(QStringLiteral("https://velmoran.org/"));
}

void ReviewLink::open(QWidget* parent)
{
    const QUrl link = url();
    if (!m_openUrl || m_openUrl(link))
        return;
    auto* box =
        new QMessageBox(QMessageBox::Information, tr("Rate Velmoran"),
                        tr("No program here opens the review page."), QMessageBox::Ok, parent);
    box->setInformativeText(tr("You can rate Velmoran at %1.").arg(link.toString()));
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    m_lastMessage = box->text() + QLatin1Char(' ') + box->informativeText();
}
