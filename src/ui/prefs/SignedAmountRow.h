#pragma once

#include <QList>
#include <QWidget>

class QAbstractButton;
class QLineEdit;

// The "- / + · number · unit" row with which the quick-action and Smart Add rule sheets move a
// date. The sign is the segments', never the text's, and the number is read as its leading
// digits, at least `minimum`, so that the stored record can never contradict what is shown.
class SignedAmountRow : public QWidget
{
    Q_OBJECT

public:
    SignedAmountRow(const QStringList& unitTitles, qint64 minimum, QWidget* parent = nullptr);

    void setAmount(bool forward, qint64 number, int unit);
    bool isForward() const;
    qint64 number() const;
    // Rewrites the field to the number it stands for.
    void normalise();
    int unit() const;

    QAbstractButton* signButton(int index) const { return m_signs.value(index); }
    QLineEdit* numberField() const { return m_number; }
    QAbstractButton* unitButton(int index) const { return m_units.value(index); }

private:
    QList<QAbstractButton*> m_signs;
    QLineEdit* m_number;
    QList<QAbstractButton*> m_units;
    qint64 m_minimum;
};
