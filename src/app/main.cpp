#include "data/DataManager.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmoran"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmoran"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORAN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("velmoran"));

    // Before any window: every window reads its settings when it opens. The data manager
    // knows the store's lists, which the routine needs to work out the hidden ones.
    setupDefaultPreferences(UserDefaults::standardUserDefaults(), &DataManager::sharedManager());

    QMainWindow window;
    window.resize(1000, 640);
    window.show();
    return app.exec();
}
