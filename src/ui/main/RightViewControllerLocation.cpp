#include "ui/main/RightViewController.h"

#include "data/DataManager.h"
#include "data/location/ContactPlaces.h"
#include "data/location/LocationAlarms.h"
#include "platform/UserDefaults.h"
#include "platform/contacts/AddressBook.h"
#include "platform/geo/Geocoder.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/detail/LocationPopover.h"
#include "ui/main/detail/LocationRow.h"

#include <QCheckBox>

// The Location row: the pop-over that prepares a location alarm, saving it, and removing every
// location alarm when the check box is turned off.

geo::Geocoder& RightViewController::geocoder()
{
    if (!m_geocoder) {
        // The preference is read at every request, so a changed service counts at once.
        m_geocoder = new geo::Geocoder(
            [this] { return m_manager.defaults().stringForKey(PrefKey::geocoderURL); }, this);
    }
    return *m_geocoder;
}

QList<ContactPlace> RightViewController::contactData()
{
    const QString preferred = m_manager.defaults().stringForKey(PrefKey::contactsFolder);
    contacts::AddressBook located = contacts::AddressBook::forThisUser(preferred);
    if (!m_addressBook || m_addressBook->folders() != located.folders())
        m_addressBook = std::make_shared<contacts::AddressBook>(std::move(located));
    if (!m_addressBook->isAvailable())
        return {};
    return ContactPlaces::fromContacts(m_addressBook->contacts(),
                                       ContactPlaces::lastNameFirst(QLocale()));
}

void RightViewController::locationCheckChanged(bool checked)
{
    if (!m_reminder)
        return;
    if (checked) {
        // The box turns on only when a saved alarm rebuilds the row.
        m_locationRow->checkBox()->setChecked(false);
        if (!m_locationPopover) {
            m_locationPopover = new LocationPopover(geocoder(), m_modeManager, this);
            connect(m_locationPopover, &LocationPopover::saveRequested, this,
                    &RightViewController::saveLocationAlarm);
        }
        if (m_locationPopover->isVisible())
            return;
        m_locationPopover->prepare(contactData());
        m_locationPopover->showBelow(m_locationRow->checkBox());
        return;
    }
    applyEdit(LocationAlarms::removeLocationAlarms);
}

void RightViewController::saveLocationAlarm(const store::Alarm& alarm)
{
    if (!alarm.structuredLocation)
        return;
    applyEdit([&alarm](store::Reminder& reminder) {
        return LocationAlarms::addLocationAlarm(reminder, *alarm.structuredLocation,
                                                alarm.proximity);
    });
}
