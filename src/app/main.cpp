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

    // Before any window: every window reads its settings when it opens. No list catalog
    // exists before the data manager does; a first launch has no visible lists yet, so there
    // is nothing to hide either way.
    setupDefaultPreferences(UserDefaults::standardUserDefaults(), nullptr);

    QMainWindow window;
    window.resize(1000, 640);
    window.show();
    return app.exec();
}
