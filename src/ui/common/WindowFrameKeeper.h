#pragma once

#include <QLatin1StringView>
#include <QObject>
#include <QString>

class QWidget;
class UserDefaults;

// Keeps where the user left a window, and at what size, from one run to the next under the
// window's preference key ("<window>FrameString", WindowPlacement's frame text). The frame is
// written whenever the window is hidden (closed, or gone with the program) and handed to the
// next window made under the same key, on a screen that is there and no larger than it.
class WindowFrameKeeper : public QObject
{
    Q_OBJECT

public:
    // Watches `window` from now on (the keeper goes with it) and gives it the frame saved under
    // `key`, placed as WindowPlacement::restore does; false when none was saved, and the
    // window is left where it is, made no larger than its screen.
    static bool keep(QWidget* window, UserDefaults& defaults, QLatin1StringView key,
                     const QWidget* owner = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowFrameKeeper(QWidget* window, UserDefaults& defaults, QLatin1StringView key);
    void save();

    QWidget* m_window;
    UserDefaults& m_defaults;
    QString m_key;
};
