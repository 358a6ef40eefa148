#include "ui/common/SubtaskCompletionQuestion.h"

#include "ui/common/SheetLook.h"

#include <QCheckBox>
#include <QPushButton>

SubtaskCompletionQuestion::SubtaskCompletionQuestion(SubtaskCommands& commands,
                                                     const store::Reminder& task, QWidget* over)
    : QMessageBox(QMessageBox::Question, tr("Complete Subtasks?"),
                  tr("“%1” has %n open subtask(s).", nullptr, commands.openSubtaskCount(task))
                      .arg(task.title),
                  QMessageBox::NoButton, over)
    , m_commands(commands)
{
    setObjectName(QStringLiteral("subtaskCompletionQuestion"));
    SheetLook::followParentWindow(this);
    setInformativeText(tr("Complete its subtasks with it, or only the task itself?"));
    m_all = addButton(tr("Complete All"), QMessageBox::AcceptRole);
    m_only = addButton(tr("Complete Only This"), QMessageBox::ActionRole);
    addButton(QMessageBox::Cancel);
    setDefaultButton(m_all);
    setCheckBox(new QCheckBox(tr("Remember my choice"), this));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    // Over a window kept above the others (the tray panel) the question must not open behind it.
    if (over && over->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        setWindowFlag(Qt::WindowStaysOnTopHint);
    connect(this, &QMessageBox::finished, this, [this] {
        QAbstractButton* clicked = clickedButton();
        if (clicked != m_all && clicked != m_only)
            return;
        const auto completion = clicked == m_all ? SubtaskCommands::Completion::WithSubtasks
                                                 : SubtaskCommands::Completion::OnlyThis;
        if (checkBox()->isChecked())
            m_commands.rememberCompletion(completion);
        Q_EMIT answered(completion);
    });
}
