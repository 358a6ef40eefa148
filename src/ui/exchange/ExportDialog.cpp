#include "ui/exchange/ExportDialog.h"

#include "platform/ReplaceFileContents.h"
#include "ui/common/SheetLook.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

ExportDialog::ExportDialog(const QList<store::CalendarPtr>& lists,
                           const store::CalendarPtr& selected, Exporter exporter,
                           FileChooser chooseFile, QWidget* parent)
    : QDialog(parent)
    , m_listChoices(lists)
    , m_exporter(std::move(exporter))
    , m_chooseFile(std::move(chooseFile))
{
    setWindowTitle(tr("Export"));
    SheetLook::followParentWindow(this);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("&Lists to export:"), this);
    m_lists = new QListWidget(this);
    label->setBuddy(m_lists);
    // The list on show in the window, or every list when none is.
    for (const store::CalendarPtr& list : lists) {
        auto* item = new QListWidgetItem(list->title, m_lists);
        const bool chosen = !selected || selected->calendarIdentifier == list->calendarIdentifier;
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
    m_completed = new QCheckBox(tr("Include &completed tasks"), this);
    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* exportButton = buttons->addButton(tr("&Export…"), QDialogButtonBox::AcceptRole);
    exportButton->setDefault(true);
    connect(exportButton, &QPushButton::clicked, this, [this] {
        if (exportChosen())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(m_lists);
    layout->addWidget(m_completed);
    layout->addWidget(m_message);
    layout->addWidget(buttons);
}

bool ExportDialog::exportChosen()
{
    QList<store::CalendarPtr> chosen;
    for (int row = 0; row < m_lists->count(); ++row)
        if (m_lists->item(row)->checkState() == Qt::Checked)
            chosen.append(m_listChoices.at(row));
    auto say = [this](const QString& message) {
        m_message->setText(message);
        m_message->show();
        return false;
    };
    if (chosen.isEmpty())
        return say(tr("Choose at least one list."));
    const QString path = m_chooseFile(this);
    if (path.isEmpty())
        return false;
    const auto [calendar, tasks] = m_exporter(chosen, m_completed->isChecked());
    QString error;
    if (!replaceFileContents(path, calendar, &error))
        return say(tr("%1 could not be written: %2").arg(path, error));
    Q_EMIT exported(path, tasks);
    return true;
}
