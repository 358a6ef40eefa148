#include "ui/common/TintedIcon.h"

#include "TestEnvironment.h"

#include <QApplication>
#include <QImage>

class TestTintedIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The drawing's dark parts take the colour, its white details stay white, and what is
    // outside the drawing stays transparent.
    void tintsDarkPartsAndKeepsWhiteDetails()
    {
        const QColor listColor(40, 120, 200);
        const QImage dot =
            TintedIcon::pixmap(QStringLiteral("DaySelected"), QSize(24, 24), listColor).toImage();
        QCOMPARE(dot.pixelColor(12, 12).rgb(), listColor.rgb());
        QCOMPARE(dot.pixelColor(0, 0).alpha(), 0);

        const QImage pin =
            TintedIcon::pixmap(QStringLiteral("IconLocation"), QSize(24, 24), listColor).toImage();
        QCOMPARE(pin.pixelColor(12, 10).rgb(), QColor(Qt::white).rgb());
        QCOMPARE(pin.pixelColor(12, 17).rgb(), listColor.rgb());
        QVERIFY(TintedIcon::pixmap(QStringLiteral("NoSuchImage"), QSize(16, 16), Qt::red).isNull());
    }

    // Sharp on high-density screens: the pixmap has the asked pixel ratio and as many pixels.
    void rendersAtTheDevicePixelRatio()
    {
        const QPixmap pixmap =
            TintedIcon::pixmap(QStringLiteral("CellCheck"), QSize(16, 16), Qt::blue, 2.0);
        QCOMPARE(pixmap.size(), QSize(32, 32));
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        const QIcon icon = TintedIcon::icon(QStringLiteral("ButtonAdd"), Qt::darkGray);
        QCOMPARE(icon.pixmap(QSize(20, 20), 2.0).size(), QSize(40, 40));
    }
};

VELMORAN_WIDGET_TEST_MAIN(TestTintedIcon)
#include "tst_tintedicon.moc"
