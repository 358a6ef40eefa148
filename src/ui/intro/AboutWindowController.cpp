#include "ui/intro/AboutWindowController.h"

#include "platform/LibraryVersions.h"
#include "prefs/ModeManager.h"
#include "ui/intro/HelpDocuments.h"
#include "ui/intro/IntroStyle.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutWindowController::AboutWindowController(ModeManager& modeManager, QWidget* parent)
    : QDialog(parent)
    , m_modeManager(modeManager)
    , m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); })
    , m_versionTextField(new QLabel(versionText(), this))
    , m_librariesField(new QLabel(librariesText(), this))
    , m_faqButton(new QPushButton(tr("FAQ"), this))
    , m_acknowledgementsButton(new QPushButton(tr("Acknowledgements"), this))
{
    setWindowTitle(tr("About Velmoran"));
    setPalette(modeManager.vibrantAppearance());

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/velmoran/icons/velmoran.svg")).pixmap(96, 96));
    icon->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel(QStringLiteral("Velmoran"), this);
    QFont nameFont = name->font();
    nameFont.setPointSizeF(20);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignCenter);
    m_versionTextField->setAlignment(Qt::AlignCenter);
    m_versionTextField->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* summary = new QLabel(tr("A task manager for your iCalendar folders."), this);
    summary->setAlignment(Qt::AlignCenter);
    auto* licence = new QLabel(tr("Free software under the GNU General Public License, version 3 "
                                  "or later. It comes with no warranty."),
                               this);
    licence->setWordWrap(true);
    licence->setAlignment(Qt::AlignCenter);
    m_librariesField->setAlignment(Qt::AlignCenter);
    m_librariesField->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette sub = m_librariesField->palette();
    sub.setColor(QPalette::WindowText, modeManager.subTextColor());
    m_librariesField->setPalette(sub);

    auto* homepageButton = new QPushButton(tr("Web Site"), this);
    auto* closeButton = new QPushButton(tr("Close"), this);
    for (QPushButton* button : {m_faqButton, m_acknowledgementsButton, homepageButton, closeButton})
        IntroStyle::styleButton(button, 12);
    connect(m_faqButton, &QPushButton::clicked, this, &AboutWindowController::faq);
    connect(m_acknowledgementsButton, &QPushButton::clicked, this,
            &AboutWindowController::acknowledgements);
    connect(homepageButton, &QPushButton::clicked, this, &AboutWindowController::homepage);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    closeButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_faqButton);
    buttons->addWidget(m_acknowledgementsButton);
    buttons->addWidget(homepageButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addWidget(icon);
    layout->addWidget(name);
    layout->addWidget(m_versionTextField);
    layout->addSpacing(6);
    layout->addWidget(summary);
    layout->addWidget(licence);
    layout->addSpacing(6);
    layout->addWidget(m_librariesField);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(480);
}

AboutWindowController::~AboutWindowController()
{
    delete m_helpWC.data();
}

QUrl AboutWindowController::homepageUrl()
{
    return QUrl(QStringLiteral("https://velmoran.org/"));
}

QString AboutWindowController::versionText()
{
    return tr("Version %1").arg(QStringLiteral(VELMORAN_VERSION));
}

QString AboutWindowController::librariesText()
{
    const auto line = [](const QString& name, const QString& runtime, const QString& build) {
        if (runtime == build)
            return QStringLiteral("%1 %2").arg(name, runtime);
        return tr("%1 %2 (built with %3)").arg(name, runtime, build);
    };
    return QStringList{
        line(QStringLiteral("Qt"), LibraryVersions::qtRuntime(), LibraryVersions::qtBuild()),
        line(QStringLiteral("libical"), LibraryVersions::libicalRuntime(),
             LibraryVersions::libicalBuild()),
        line(QStringLiteral("ICU"), LibraryVersions::icuRuntime(), LibraryVersions::icuBuild())}
        .join(QLatin1Char('\n'));
}

void AboutWindowController::faq()
{
    showHelp(HelpDocuments::kFaq);
}

void AboutWindowController::acknowledgements()
{
    showHelp(HelpDocuments::kAcknowledgements);
}

void AboutWindowController::homepage()
{
    if (m_openUrl)
        m_openUrl(homepageUrl());
}

void AboutWindowController::showHelp(const QString& name)
{
    if (m_helpWC) {
        m_helpWC->loadFileName(name);
        return;
    }
    m_helpWC = new HelpWindowController(m_modeManager, name, this);
    m_helpWC->setDelegate(this);
    m_helpWC->setWindowModality(Qt::WindowModal);
    m_helpWC->show();
}

void AboutWindowController::closeHelpWindow(HelpWindowController* help)
{
    help->hide();
    help->deleteLater();
    if (help == m_helpWC)
        m_helpWC = nullptr;
}
