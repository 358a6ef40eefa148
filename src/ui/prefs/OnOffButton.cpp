#include "ui/prefs/OnOffButton.h"

#include "ui/common/AccessibleRoles.h"

OnOffButton::OnOffButton(QWidget* parent)
    : QPushButton(parent)
{
    setCheckable(true);
    // A switch: read as a check box named by the label beside it, its state the check.
    AccessibleRoles::give(this, QAccessible::CheckBox);
    checkStateSet();
}

void OnOffButton::checkStateSet()
{
    QPushButton::checkStateSet();
    setText(isChecked() ? tr("On") : tr("Off"));
}
