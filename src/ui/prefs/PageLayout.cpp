#include "ui/prefs/PageLayout.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QWidget>

namespace PageLayout {

namespace {

struct PageLayoutText
{
    Q_DECLARE_TR_FUNCTIONS(PageLayout)
};

} // namespace

QString fieldLabel(const QString& title)
{
    //: A field's label before its control; some languages put a space before the colon.
    return PageLayoutText::tr("%1:").arg(title);
}

QLabel* addSection(QFormLayout* form, const QString& title)
{
    auto* label = new QLabel(title);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    if (form->rowCount() > 0)
        label->setContentsMargins(0, 10, 0, 0);
    form->addRow(label);
    return label;
}

QFormLayout* newForm(QWidget* page)
{
    auto* form = new QFormLayout(page);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setContentsMargins(24, 18, 24, 18);
    return form;
}

} // namespace PageLayout
