#pragma once

#include "presentation/detail/DetailServices.h"

#include <QTemporaryDir>

// The details pane's services for a test's windows: the real ones, reading the test's
// preferences (whose geocoder and tile addresses point at loopback servers or nowhere), with
// the map tiles cached in a folder of their own. Outlives the windows that use it.
class TestDetailServices
{
public:
    explicit TestDetailServices(UserDefaults& defaults)
        : m_services(defaults, m_tileFolder.path())
    {}

    DetailServices services() { return m_services.services(); }

private:
    QTemporaryDir m_tileFolder;
    PreferredDetailServices m_services;
};
