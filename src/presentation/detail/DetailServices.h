#pragma once

#include "platform/geo/Geocoder.h"
#include "platform/geo/TileCache.h"
#include "presentation/detail/AddressBookSource.h"

#include <QUrl>

#include <functional>

class UserDefaults;

// What the detail pane reaches beyond the store: the map search, the map tiles, the address
// book and the desktop's opening of addresses. Made once by the application and handed to
// every window; tests hand in their own over loopback servers and temporary folders.
struct DetailServices
{
    geo::Geocoder& geocoder;
    geo::TileCache& tiles;
    AddressBookSource& addressBook;
    // Opens an address in the program the desktop chooses; answers whether it could.
    std::function<bool(const QUrl& url)> openUrl;
};

// The services as the user's preferences configure them, each read at every use so that a
// changed preference counts at once.
class PreferredDetailServices
{
public:
    explicit PreferredDetailServices(UserDefaults& defaults,
                                     QString tileFolder = geo::TileCache::defaultCacheFolder());

    DetailServices services();

private:
    geo::Geocoder m_geocoder;
    geo::TileCache m_tiles;
    AddressBookSource m_addressBook;
};
