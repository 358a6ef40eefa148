#include "ui/common/WindowPlacement.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement {

QPoint centredOn(const QRect& frame, const QSize& size)
{
    return frame.center() - QPoint(size.width() / 2, size.height() / 2);
}

QPoint keptWithin(const QPoint& topLeft, const QSize& size, const QRect& available)
{
    const int x =
        std::max(available.left(), std::min(topLeft.x(), available.right() + 1 - size.width()));
    const int y =
        std::max(available.top(), std::min(topLeft.y(), available.bottom() + 1 - size.height()));
    return {x, y};
}

QSize fittedSize(const QSize& wanted, const QRect& available, const QMargins& frame)
{
    return wanted.boundedTo(available.size().shrunkBy(frame)).expandedTo(QSize(1, 1));
}

QMargins frameMargins(const QWidget* window)
{
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void fitToScreen(QWidget* window, const QWidget* owner)
{
    // A window not yet moved anywhere opens where the window manager or its owner puts it.
    const QScreen* screen =
        window->testAttribute(Qt::WA_Moved) ? QGuiApplication::screenAt(window->pos()) : nullptr;
    if (!screen && owner && owner->isVisible())
        screen = owner->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const bool resized = window->testAttribute(Qt::WA_Resized);
    const QSize wanted = resized ? window->size() : window->sizeHint();
    const QSize fitted = fittedSize(wanted, screen->availableGeometry(), frameMargins(window));
    if (fitted != wanted || resized)
        window->resize(fitted);
}

QString stringFromPoint(const QPoint& point)
{
    return QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
}

std::optional<QPoint> pointFromString(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    bool xOk = false;
    bool yOk = false;
    const QPoint point(parts.at(0).trimmed().toInt(&xOk), parts.at(1).trimmed().toInt(&yOk));
    if (!xOk || !yOk)
        return std::nullopt;
    return point;
}

QString stringFromFrame(const QRect& frame)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(frame.x())
        .arg(frame.y())
        .arg(frame.width())
        .arg(frame.height());
}

QRect frameFromString(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*\{\s*\{\s*(-?\d+(?:\.\d+)?)\s*,\s*(-?\d+(?:\.\d+)?)\s*\}\s*,\s*\{\s*(\d+(?:\.\d+)?)\s*,\s*(\d+(?:\.\d+)?)\s*\}\s*\}\s*$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const QRect rect(qRound(match.captured(1).toDouble()), qRound(match.captured(2).toDouble()),
                     qRound(match.captured(3).toDouble()), qRound(match.captured(4).toDouble()));
    if (rect.width() < 200 || rect.height() < 100 || rect.width() > 20000 || rect.height() > 20000)
        return {};
    return rect;
}

void restore(QWidget* window, const QRect& saved, const QWidget* owner)
{
    const QScreen* screen = QGuiApplication::screenAt(saved.topLeft());
    if (!screen && owner && owner->isVisible())
        screen = owner->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    window->resize(screen
                       ? fittedSize(saved.size(), screen->availableGeometry(), frameMargins(window))
                       : saved.size());
    place(window, saved.topLeft(), owner);
}

void place(QWidget* window, const std::optional<QPoint>& saved, const QWidget* owner)
{
    const bool ownerShown = owner && owner->isVisible();
    QPoint topLeft;
    if (saved)
        topLeft = *saved;
    else if (ownerShown)
        topLeft = centredOn(owner->frameGeometry(), window->size());
    else if (const QScreen* primary = QGuiApplication::primaryScreen())
        topLeft = centredOn(primary->availableGeometry(), window->size());
    // The screen the corner is on; a screen that became smaller or went away leaves the
    // corner nowhere, and the owner's screen takes the window.
    const QScreen* screen = QGuiApplication::screenAt(topLeft);
    if (!screen && ownerShown)
        screen = owner->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        topLeft = keptWithin(topLeft, window->size(), screen->availableGeometry());
    window->move(topLeft);
}

void bringToFront(QWidget* window)
{
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

} // namespace WindowPlacement
