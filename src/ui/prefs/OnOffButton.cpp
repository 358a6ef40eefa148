#include "ui/prefs/OnOffButton.h"

OnOffButton::OnOffButton(QWidget* parent)
    : QPushButton(parent)
{
    setCheckable(true);
    checkStateSet();
}

void OnOffButton::checkStateSet()
{
    QPushButton::checkStateSet();
    setText(isChecked() ? tr("On") : tr("Off"));
}
