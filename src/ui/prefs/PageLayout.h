#pragma once

#include <QString>

class QFormLayout;
class QLabel;
class QWidget;

// The settings pages' shared look: a titled section, and field labels written "Title:".
namespace PageLayout {

QString fieldLabel(const QString& title);
// A bold section heading spanning the form.
QLabel* addSection(QFormLayout* form, const QString& title);
QFormLayout* newForm(QWidget* page);

} // namespace PageLayout
