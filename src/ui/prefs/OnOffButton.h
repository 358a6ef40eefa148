#pragma once

#include <QPushButton>

// A push button that holds a setting and is titled after it: "On" or "Off".
class OnOffButton : public QPushButton
{
    Q_OBJECT

public:
    explicit OnOffButton(QWidget* parent = nullptr);

protected:
    // Runs for every change of state, also one made with the button's signals blocked.
    void checkStateSet() override;
};
