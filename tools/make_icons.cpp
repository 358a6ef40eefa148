// Renders the application's scalable icon into the bitmap sizes of the hicolor icon theme:
//   make_icons ICON.svg OUTPUT_FOLDER SIZE...
// writes OUTPUT_FOLDER/SIZExSIZE/apps/NAME.png, NAME being the icon's file name.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    // No display is needed, and a build machine may have none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: make_icons ICON.svg OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "make_icons: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    const QString name = QFileInfo(arguments.at(1)).completeBaseName();
    for (const QString& sizeText : arguments.mid(3)) {
        const int size = sizeText.toInt();
        if (size <= 0) {
            std::fprintf(stderr, "make_icons: %s is no size\n", qPrintable(sizeText));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments.at(2)).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QLatin1Char('/') + name + ".png")) {
            std::fprintf(stderr, "make_icons: cannot write into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
