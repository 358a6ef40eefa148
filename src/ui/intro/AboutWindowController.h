#pragma once

#include "ui/intro/HelpWindowController.h"

#include <QDialog>
#include <QPointer>
#include <QUrl>

#include <functional>

class ModeManager;
class QLabel;
class QPushButton;

// The about window: the program's version as built, its licence, the versions of the libraries
// it runs on, and buttons to the FAQ and the acknowledgements (shown as a sheet on it) and to
// the project's web page.
class AboutWindowController : public QDialog, public HelpWindowDelegate
{
    Q_OBJECT

public:
    explicit AboutWindowController(ModeManager& modeManager, QWidget* parent = nullptr);
    ~AboutWindowController() override;

    static QUrl homepageUrl();
    static QString versionText();
    // One line per library: the version in use, and the one built against when it differs.
    static QString librariesText();

    using OpenUrl = std::function<bool(const QUrl&)>;
    void setOpenUrl(OpenUrl openUrl) { m_openUrl = std::move(openUrl); }

    void faq();
    void acknowledgements();
    void homepage();
    void closeHelpWindow(HelpWindowController* help) override;

    QLabel* versionTextField() const { return m_versionTextField; }
    QLabel* librariesField() const { return m_librariesField; }
    QPushButton* faqButton() const { return m_faqButton; }
    QPushButton* acknowledgementsButton() const { return m_acknowledgementsButton; }
    HelpWindowController* helpWC() const { return m_helpWC; }

private:
    void showHelp(const QString& name);

    ModeManager& m_modeManager;
    OpenUrl m_openUrl;
    QLabel* m_versionTextField;
    QLabel* m_librariesField;
    QPushButton* m_faqButton;
    QPushButton* m_acknowledgementsButton;
    QPointer<HelpWindowController> m_helpWC;
};
