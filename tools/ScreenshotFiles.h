#pragma once

#include <QEventLoop>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <cstdio>

// Letting a window settle and writing its picture, the same way for every group of pictures,
// with one line per file so that a missing picture shows in the tool's output.
namespace ScreenshotFiles {

inline void pause(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

inline bool writePicture(const QPixmap& picture, const QString& path)
{
    const bool saved = picture.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

// Waits `settle` milliseconds first: layouts and timers of a just-shown window finish late.
inline bool writeWindow(QWidget* window, const QString& path, int settle)
{
    pause(settle);
    return writePicture(window->grab(), path);
}

} // namespace ScreenshotFiles
