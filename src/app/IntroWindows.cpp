#include "app/IntroWindows.h"

#include "prefs/PreferenceKeys.h"
#include "ui/common/WindowFrameKeeper.h"
#include "ui/intro/AboutWindowController.h"
#include "ui/intro/IntroWindowController.h"
#include "ui/main/WindowController.h"

#include <QApplication>

IntroWindows::IntroWindows(DataManager& manager, ModeManager& modeManager, UserDefaults& defaults,
                           AppDelegate& delegate, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_defaults(defaults)
    , m_delegate(delegate)
{}

IntroWindows::~IntroWindows()
{
    delete m_intro.data();
    delete m_help.data();
    delete m_about.data();
}

bool IntroWindows::openIntro()
{
    if (!m_intro) {
        m_intro = new IntroWindowController(m_manager, m_modeManager);
        m_intro->setAttribute(Qt::WA_DeleteOnClose);
        m_intro->setFinished([this] { m_delegate.introFinished(); });
        // Nothing else is open yet: without the window the program has nothing to show.
        m_intro->setCancelled(
            [] { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection); });
    }
    m_intro->show();
    m_intro->raise();
    m_intro->activateWindow();
    return true;
}

IntroWindowController* IntroWindows::introWindow() const
{
    return m_intro;
}

AboutWindowController* IntroWindows::aboutWindow() const
{
    return m_about;
}

bool IntroWindows::openAbout()
{
    if (!m_about) {
        m_about = new AboutWindowController(m_modeManager);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
        WindowFrameKeeper::keep(m_about, m_defaults, PrefKey::aboutFrameString);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
    return true;
}

bool IntroWindows::openHelp(const QString& document)
{
    WindowController* window = m_delegate.windowController();
    if (m_help) {
        m_help->loadFileName(document);
        m_help->raise();
        m_help->activateWindow();
        return true;
    }
    m_help = new HelpWindowController(m_modeManager, document, window);
    m_help->setDelegate(this);
    m_help->setReviewAction(
        [this] { m_delegate.reviewLink().open(m_delegate.windowController()); });
    // A sheet: the main window waits while it is open.
    m_help->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    WindowFrameKeeper::keep(m_help, m_defaults, PrefKey::helpFrameString, window);
    m_help->show();
    return true;
}

void IntroWindows::closeHelpWindow(HelpWindowController* help)
{
    help->hide();
    help->deleteLater();
}
