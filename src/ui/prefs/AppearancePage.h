#pragma once

#include "ui/prefs/PreferenceContext.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QTimeEdit;

// The Appearance page: the text font and its size, and night mode, on by hand or by a daily
// schedule.
class AppearancePage : public QWidget
{
    Q_OBJECT

public:
    explicit AppearancePage(const PreferenceContext& context, QWidget* parent = nullptr);

    // "Manual" night mode overrides the schedule, whose controls then rest.
    void resetEnabledForAutoNightMode();

    QComboBox* fontPopUp() const { return m_font; }
    QComboBox* fontSizePopUp() const { return m_fontSize; }
    QCheckBox* manualButton() const { return m_manual; }
    QCheckBox* scheduledButton() const { return m_scheduled; }
    QTimeEdit* fromPicker() const { return m_from; }
    QTimeEdit* toPicker() const { return m_to; }

private:
    void nightModeChanged();

    PreferenceContext m_context;
    QComboBox* m_font;
    QComboBox* m_fontSize;
    QCheckBox* m_manual;
    QCheckBox* m_scheduled;
    QTimeEdit* m_from;
    QTimeEdit* m_to;
};
