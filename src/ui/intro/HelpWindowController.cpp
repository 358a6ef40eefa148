#include "ui/intro/HelpWindowController.h"

#include "prefs/ModeManager.h"
#include "ui/intro/HelpDocuments.h"
#include "ui/intro/IntroStyle.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindowController::HelpWindowController(ModeManager& modeManager, const QString& fileName,
                                           QWidget* parent)
    : QDialog(parent)
    , m_nameTextField(new QLabel(this))
    , m_updateTextView(new QTextBrowser(this))
    , m_startButton(new QPushButton(tr("Close"), this))
    , m_reviewButton(new QPushButton(tr("Review Velmoran"), this))
{
    setWindowTitle(tr("Velmoran Help"));
    setPalette(modeManager.vibrantAppearance());
    resize(640, 600);

    QFont headingFont = font();
    headingFont.setPointSizeF(18);
    headingFont.setBold(true);
    m_nameTextField->setFont(headingFont);

    // The documents carry no colours of their own, so they take the window's: light text on
    // the dark page in night mode, with links light enough to read there.
    m_updateTextView->setSearchPaths({HelpDocuments::folder()});
    m_updateTextView->setOpenExternalLinks(true);
    m_updateTextView->document()->setDocumentMargin(20);
    m_updateTextView->setPalette(modeManager.vibrantAppearance());
    // The text engine colours links from the application's palette, not the view's.
    if (modeManager.isNightMode())
        m_updateTextView->document()->setDefaultStyleSheet(QStringLiteral("a { color: #8ab4f8; }"));
    QFont text = m_updateTextView->font();
    text.setPointSizeF(14);
    m_updateTextView->document()->setDefaultFont(text);
    connect(m_updateTextView, &QTextBrowser::sourceChanged, this,
            &HelpWindowController::showSource);

    auto* links = new QHBoxLayout;
    for (int i = 0; i < int(m_linkButtons.size()); ++i) {
        m_linkButtons[i] = new QPushButton(this);
        IntroStyle::styleButton(m_linkButtons[i], 12);
        links->addWidget(m_linkButtons[i]);
    }
    connect(m_linkButtons[0], &QPushButton::clicked, this, &HelpWindowController::link1);
    connect(m_linkButtons[1], &QPushButton::clicked, this, &HelpWindowController::link2);
    connect(m_linkButtons[2], &QPushButton::clicked, this, &HelpWindowController::link3);
    links->addStretch();
    IntroStyle::styleButton(m_reviewButton, 12, IntroStyle::reviewButtonColor());
    m_reviewButton->setVisible(false);
    connect(m_reviewButton, &QPushButton::clicked, this, [this] {
        if (m_review)
            m_review();
    });
    links->addWidget(m_reviewButton);
    IntroStyle::styleButton(m_startButton, 12);
    m_startButton->setDefault(true);
    connect(m_startButton, &QPushButton::clicked, this, &HelpWindowController::done);
    links->addWidget(m_startButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_nameTextField);
    layout->addWidget(m_updateTextView, 1);
    layout->addLayout(links);

    if (!fileName.isEmpty())
        loadFileName(fileName);
}

void HelpWindowController::setReviewAction(std::function<void()> review)
{
    m_review = std::move(review);
    m_reviewButton->setVisible(bool(m_review));
}

void HelpWindowController::loadFileName(const QString& name)
{
    showHeadings(name);
    m_updateTextView->setSource(HelpDocuments::url(m_currentFileName));
    m_updateTextView->verticalScrollBar()->setValue(0);
}

void HelpWindowController::showHeadings(const QString& name)
{
    m_currentFileName = HelpDocuments::normalisedName(name);
    m_nameTextField->setText(HelpDocuments::heading(m_currentFileName));
    const QStringList others = HelpDocuments::linkNames(m_currentFileName);
    for (int i = 0; i < int(m_linkButtons.size()); ++i)
        m_linkButtons[i]->setText(HelpDocuments::heading(others.at(i)));
}

void HelpWindowController::followLink(int index)
{
    loadFileName(HelpDocuments::linkNames(m_currentFileName).at(index));
}

void HelpWindowController::link1()
{
    followLink(0);
}

void HelpWindowController::link2()
{
    followLink(1);
}

void HelpWindowController::link3()
{
    followLink(2);
}

void HelpWindowController::showSource(const QUrl& source)
{
    const QString page = QFileInfo(source.path()).completeBaseName();
    if (HelpDocuments::normalisedName(page) == page) {
        // A link led to one of the switchable documents: its buttons follow.
        if (page != m_currentFileName)
            showHeadings(page);
        return;
    }
    // A topic page keeps the buttons of the document it was reached from.
    m_nameTextField->setText(m_updateTextView->documentTitle());
}

void HelpWindowController::done()
{
    if (m_delegate)
        m_delegate->closeHelpWindow(this);
}

void HelpWindowController::reject()
{
    // Escape closes the window the same way the button does.
    if (m_delegate)
        done();
    else
        QDialog::reject();
}
