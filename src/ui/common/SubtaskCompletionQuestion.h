#pragma once

#include "presentation/tasklist/SubtaskCommands.h"

#include <QMessageBox>

class QPushButton;

// The question before a task with open subtasks is completed, asked alike by the main window and
// the tray panel: "Complete All", "Complete Only This" or Cancel, with "Remember my choice". It
// sits over the window of `over`, in its colours, without blocking the program (open() it), keeps
// the answer when the user asks it to, says which answer was given (Cancel says nothing) and goes
// away when it closes.
class SubtaskCompletionQuestion : public QMessageBox
{
    Q_OBJECT

public:
    SubtaskCompletionQuestion(SubtaskCommands& commands, const store::Reminder& task,
                              QWidget* over);

Q_SIGNALS:
    void answered(SubtaskCommands::Completion completion);

private:
    SubtaskCommands& m_commands;
    QPushButton* m_all;
    QPushButton* m_only;
};
