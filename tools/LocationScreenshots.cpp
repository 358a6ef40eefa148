#include "LocationScreenshots.h"
#include "ScreenshotFiles.h"

#include "LoopbackHttpServer.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/detail/DetailServices.h"
#include "ui/main/RightViewController.h"
#include "ui/main/detail/LocationPopover.h"
#include "ui/main/detail/LocationRow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>

namespace {

// Made-up places, in the form a Nominatim service answers.
LoopbackHttpServer::Answer geocoderAnswer(const LoopbackHttpServer::Request& request)
{
    LoopbackHttpServer::Answer answer{200, "application/json", "[]"};
    if (!request.queryItem("q").isEmpty())
        answer.body =
            "[{\"lat\":\"52.5163\",\"lon\":\"13.3777\",\"display_name\":\"Homebase, Garden Street "
            "4, Berlin\"},{\"lat\":\"52.5301\",\"lon\":\"13.4012\",\"display_name\":\"Home & "
            "Hobby Market, Mill Lane 9, Berlin\"}]";
    else
        answer.body = "[{\"lat\":\"52.5200\",\"lon\":\"13.4050\",\"display_name\":\"x\"}]";
    return answer;
}

void writeContacts(const QString& folder)
{
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/demo.vcf"));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna Schmidt\r\nN:Schmidt;Anna;;;\r\n"
               "ADR;TYPE=home:;;Lindenweg 3;Berlin;;10115;\r\n"
               "ADR;TYPE=work:;;Harbour Road 1;Berlin;;10117;\r\nEND:VCARD\r\n"
               "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Sam Lee\r\nN:Lee;Sam;;;\r\n"
               "ADR;TYPE=home:;;Riverside 12;Potsdam;;14467;\r\nEND:VCARD\r\n"
               "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Home Hardware\r\nN:;;;;\r\n"
               "ORG:Home Hardware\r\nADR;TYPE=work:;;Market Square 2;Berlin;;;\r\nEND:VCARD\r\n");
}

void typeInto(QWidget* field, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

// The pop-over with its drop-down, which is a window of its own, in one picture.
QPixmap popoverWithDropDown(LocationPopover* popover)
{
    QRect area = popover->frameGeometry();
    QAbstractItemView* list = popover->dropDown();
    const bool open = list && list->isVisible();
    if (open)
        area = area.united(list->window()->frameGeometry());
    QPixmap picture(area.size() * popover->devicePixelRatio());
    picture.setDevicePixelRatio(popover->devicePixelRatio());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawPixmap(popover->frameGeometry().topLeft() - area.topLeft(), popover->grab());
    if (open)
        painter.drawPixmap(list->window()->frameGeometry().topLeft() - area.topLeft(),
                           list->window()->grab());
    return picture;
}

} // namespace

int saveLocationWindows(DataManager& manager, ModeManager& modes, const QString& output,
                        const QString& suffix)
{
    LoopbackHttpServer server(geocoderAnswer);
    UserDefaults& defaults = manager.defaults();
    const QString contacts = QDir::homePath() + QStringLiteral("/contacts");
    writeContacts(contacts);
    defaults.setString(server.baseAddress(), PrefKey::geocoderURL);
    defaults.setString(contacts, PrefKey::contactsFolder);

    const store::CalendarPtr list = manager.lists().defaultList();
    const store::StructuredLocation station{QStringLiteral("Central Station, Europaplatz 1"),
                                            52.5251, 13.3694, 106.68, true};
    store::ReminderPtr parcel;
    manager.tasks().addReminderWithTitle(
        QStringLiteral("Pick up the parcel"), list, std::nullopt, QDateTime(), std::nullopt, {}, {},
        false, store::Alarm::withLocation(station, store::Alarm::Proximity::Leave),
        [&parcel](bool saved, const store::ReminderPtr& reminder) {
            if (saved)
                parcel = reminder;
        });
    const store::ReminderPtr present =
        manager.tasks().addReminderWithTitle(QStringLiteral("Buy a present"), list);

    int failures = 0;
    {
        PreferredDetailServices services(defaults);
        RightViewController pane(manager, modes, services.services());
        pane.resetAppearance();
        pane.resize(330, 760);
        pane.show();
        pane.changeViewWithReminder(parcel);
        ScreenshotFiles::pause(400);
        failures += !ScreenshotFiles::writePicture(pane.grab(),
                                                   output + "/location-detail" + suffix + ".png");

        pane.changeViewWithReminder(present);
        ScreenshotFiles::pause(200);
        pane.locationRow()->checkBox()->click();
        LocationPopover* popover = pane.locationPopover();
        if (popover) {
            typeInto(popover->field(), QStringLiteral("home"));
            // The map search waits for typing to pause and for its turn at the service.
            ScreenshotFiles::pause(2500);
            failures += !ScreenshotFiles::writePicture(
                popoverWithDropDown(popover), output + "/location-popover" + suffix + ".png");
            // A contact's address chosen for a departure, looked up and ready to save.
            popover->dropDown()->hide();
            popover->field()->setText(QStringLiteral("Anna Schmidt (Home)"));
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(popover->field(), &enter);
            popover->leaveButton()->click();
            ScreenshotFiles::pause(1500);
            failures += !ScreenshotFiles::writePicture(
                popover->grab(), output + "/location-popover-chosen" + suffix + ".png");
            popover->hide();
        } else {
            ++failures;
        }
    }
    for (const store::ReminderPtr& task : {parcel, present})
        if (task)
            manager.tasks().deleteReminder(task);
    defaults.removeObjectForKey(PrefKey::geocoderURL);
    defaults.removeObjectForKey(PrefKey::contactsFolder);
    return failures;
}
