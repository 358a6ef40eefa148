#pragma once

#include "app/AppDelegate.h"
#include "ui/intro/HelpWindowController.h"

#include <QObject>
#include <QPointer>

class AboutWindowController;
class DataManager;
class IntroWindowController;
class ModeManager;
class UserDefaults;

// The onboarding window of the first launch (closing it before the end quits the program, which
// asks again at the next start), the help window the Help menu opens as a sheet on
// the main window, and the about window. The composition root
// makes them and hands them to the application delegate.
class IntroWindows : public QObject, public HelpWindowDelegate, public OnboardingWindows
{
    Q_OBJECT

public:
    IntroWindows(DataManager& manager, ModeManager& modeManager, UserDefaults& defaults,
                 AppDelegate& delegate, QObject* parent = nullptr);
    ~IntroWindows() override;

    bool openIntro() override;
    bool openAbout() override;
    bool openHelp(const QString& document) override;
    void closeHelpWindow(HelpWindowController* help) override;

    IntroWindowController* introWindow() const;
    AboutWindowController* aboutWindow() const;
    HelpWindowController* helpWindow() const { return m_help; }

private:
    DataManager& m_manager;
    ModeManager& m_modeManager;
    UserDefaults& m_defaults;
    AppDelegate& m_delegate;
    QPointer<IntroWindowController> m_intro;
    QPointer<AboutWindowController> m_about;
    QPointer<HelpWindowController> m_help;
};
