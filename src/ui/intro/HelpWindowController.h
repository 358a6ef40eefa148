#pragma once

#include <QDialog>

#include <array>
#include <functional>

class HelpWindowController;
class ModeManager;
class QLabel;
class QPushButton;
class QTextBrowser;

// Who closes a help window shown as a sheet: the main window or the about window.
class HelpWindowDelegate
{
public:
    virtual ~HelpWindowDelegate() = default;
    virtual void closeHelpWindow(HelpWindowController* help) = 0;
};

// The help window: one shipped document at a time under its heading, three buttons that switch
// to the other documents, links inside the documents followed in place (other sites open in the
// desktop's browser), and a button that closes it.
class HelpWindowController : public QDialog
{
    Q_OBJECT

public:
    HelpWindowController(ModeManager& modeManager, const QString& fileName,
                         QWidget* parent = nullptr);

    void setDelegate(HelpWindowDelegate* delegate) { m_delegate = delegate; }
    // The review button opens the rating page; without an action it is hidden.
    void setReviewAction(std::function<void()> review);

    void loadFileName(const QString& name);
    QString currentFileName() const { return m_currentFileName; }
    void link1();
    void link2();
    void link3();
    void done();

    QLabel* nameTextField() const { return m_nameTextField; }
    QTextBrowser* updateTextView() const { return m_updateTextView; }
    QPushButton* linkButton(int index) const { return m_linkButtons.at(index); }
    QPushButton* startButton() const { return m_startButton; }
    QPushButton* reviewButton() const { return m_reviewButton; }

    void reject() override;

private:
    void followLink(int index);
    void showHeadings(const QString& name);
    // A link inside a document led to another page: the heading follows.
    void showSource(const QUrl& source);

    HelpWindowDelegate* m_delegate = nullptr;
    std::function<void()> m_review;
    QString m_currentFileName;
    QLabel* m_nameTextField;
    QTextBrowser* m_updateTextView;
    std::array<QPushButton*, 3> m_linkButtons{};
    QPushButton* m_startButton;
    QPushButton* m_reviewButton;
};
