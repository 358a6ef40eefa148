#include "ui/common/TintedIcon.h"

#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QMutex>
#include <QPainter>
#include <QSvgRenderer>

namespace {

QString pathFor(const QString& name)
{
    return QStringLiteral(":/velmoran/images/%1.svg").arg(name);
}

// Black parts of a drawing take the colour, white parts stay white (the hole of a pin, the
// tick on the about icon) and transparency is kept: screen blending, then the drawing's own
// alpha as the mask.
QImage render(const QString& name, const QSize& pixels, const QColor& color)
{
    if (!QFile::exists(pathFor(name)))
        return {};
    QSvgRenderer renderer(pathFor(name));
    if (!renderer.isValid() || pixels.isEmpty())
        return {};
    QImage drawing(pixels, QImage::Format_ARGB32_Premultiplied);
    drawing.fill(Qt::transparent);
    {
        QPainter painter(&drawing);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    if (!color.isValid())
        return drawing;
    QImage tinted(pixels, QImage::Format_ARGB32_Premultiplied);
    tinted.fill(Qt::black);
    QPainter painter(&tinted);
    painter.drawImage(0, 0, drawing);
    painter.setCompositionMode(QPainter::CompositionMode_Screen);
    painter.fillRect(tinted.rect(), QColor(color.red(), color.green(), color.blue()));
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, drawing);
    painter.end();
    if (color.alpha() < 255) {
        QImage faded(pixels, QImage::Format_ARGB32_Premultiplied);
        faded.fill(Qt::transparent);
        QPainter fader(&faded);
        fader.setOpacity(color.alphaF());
        fader.drawImage(0, 0, tinted);
        return faded;
    }
    return tinted;
}

// Views repaint often (every row of a long list carries a check mark and icons); a tinted
// image is made once per name, colour and pixel size.
class PixmapCache
{
public:
    QPixmap get(const QString& name, const QSize& pixels, const QColor& color)
    {
        const QString key = QStringLiteral("%1|%2x%3|%4")
                                .arg(name)
                                .arg(pixels.width())
                                .arg(pixels.height())
                                .arg(color.isValid() ? color.rgba() : 0u);
        QMutexLocker lock(&m_mutex);
        auto it = m_pixmaps.constFind(key);
        if (it != m_pixmaps.constEnd())
            return *it;
        if (m_pixmaps.size() > 4000)
            m_pixmaps.clear();
        const QPixmap pixmap = QPixmap::fromImage(render(name, pixels, color));
        m_pixmaps.insert(key, pixmap);
        return pixmap;
    }

private:
    QMutex m_mutex;
    QHash<QString, QPixmap> m_pixmaps;
};

PixmapCache& cache()
{
    static PixmapCache instance;
    return instance;
}

class TintedIconEngine : public QIconEngine
{
public:
    TintedIconEngine(QString name, QColor color)
        : m_name(std::move(name))
        , m_color(color)
    {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QColor color = m_color;
        if (mode == QIcon::Disabled)
            color.setAlphaF(color.alphaF() * 0.35);
        painter->drawPixmap(rect, TintedIcon::pixmap(m_name, rect.size(), color, ratio));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        QColor color = m_color;
        if (mode == QIcon::Disabled)
            color.setAlphaF(color.alphaF() * 0.35);
        // `size` arrives in device pixels already.
        const qreal ratio = scale > 0 ? scale : 1.0;
        return TintedIcon::pixmap(m_name, QSizeF(size / ratio).toSize(), color, ratio);
    }

    QIconEngine* clone() const override { return new TintedIconEngine(m_name, m_color); }
    QString key() const override { return QStringLiteral("velmoran-tinted"); }

private:
    QString m_name;
    QColor m_color;
};

} // namespace

namespace TintedIcon {

QPixmap pixmap(const QString& name, const QSize& size, const QColor& color, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize pixels(qMax(1, qRound(size.width() * ratio)),
                       qMax(1, qRound(size.height() * ratio)));
    QPixmap result = cache().get(name, pixels, color);
    result.setDevicePixelRatio(ratio);
    return result;
}

QIcon icon(const QString& name, const QColor& color)
{
    return QIcon(new TintedIconEngine(name, color));
}

bool exists(const QString& name)
{
    return !name.isEmpty() && QFile::exists(pathFor(name));
}

} // namespace TintedIcon
