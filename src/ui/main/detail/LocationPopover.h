#pragma once

#include "data/location/LocationSearch.h"

#include <QFrame>

class ModeManager;
class QAbstractItemView;
class QCompleter;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStringListModel;

// The pop-over in which a place for a location alarm is searched: the location field with
// its drop-down of address-book entries and map places, the arrival and departure choice, the
// validity text and Save. It stays open after Save; the pane saves the alarm it hands over.
class LocationPopover : public QFrame
{
    Q_OBJECT

public:
    LocationPopover(geo::Geocoder& geocoder, ModeManager& modeManager, QWidget* parent = nullptr);

    // Opening: the address-book entries loaded afresh, arrival chosen, the field focused.
    void prepare(QList<ContactPlace> names);
    void showBelow(QWidget* anchor);

    LocationSearch& search() { return m_search; }
    QLineEdit* field() const { return m_field; }
    QRadioButton* arriveButton() const { return m_arrive; }
    QRadioButton* leaveButton() const { return m_leave; }
    QPushButton* saveButton() const { return m_save; }
    QLabel* validityLabel() const { return m_validity; }
    QLabel* creditLabel() const { return m_credit; }
    QAbstractItemView* dropDown() const;

Q_SIGNALS:
    void saveRequested(const store::Alarm& alarm);

private:
    void resetAppearance();
    void typed(const QString& text);
    void resultsChanged(bool open);
    void committed();
    void saveLocation();

    LocationSearch m_search;
    ModeManager& m_modeManager;
    QLineEdit* m_field = nullptr;
    QCompleter* m_completer = nullptr;
    QStringListModel* m_model = nullptr;
    QRadioButton* m_arrive = nullptr;
    QRadioButton* m_leave = nullptr;
    QLabel* m_validity = nullptr;
    QLabel* m_credit = nullptr;
    QPushButton* m_save = nullptr;
    QString m_previousText;
};
