#include "ui/panel/HourPopover.h"

#include "prefs/ModeManager.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

HourPopover::HourPopover(QWidget* parent)
    : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint)
    , m_heading(new QLabel(this))
    , m_body(new QLabel(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setAccessibleName(tr("Hour"));
    m_heading->setTextFormat(Qt::PlainText);
    m_body->setTextFormat(Qt::RichText);
    m_body->setWordWrap(true);
    m_body->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(2);
    layout->addWidget(m_heading);
    layout->addWidget(m_body, 1);
}

void HourPopover::setContent(const HourPopoverContent& content, const ModeManager& mode)
{
    QPalette palette = mode.vibrantAppearance();
    palette.setColor(QPalette::Window, mode.backgroundColor());
    palette.setColor(QPalette::WindowText, mode.darkTextColor());
    setPalette(palette);
    setAutoFillBackground(true);
    m_heading->setFont(mode.fontWithSize(HourPopoverContent::kTitlePointSize));
    m_heading->setText(content.heading);
    m_body->setText(content.toHtml(mode));
    setFixedSize(HourPopoverContent::kWidth, content.height);
}

void HourPopover::showBeside(const QWidget* anchor)
{
    const QRect frame(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
    QPoint position(frame.right() + 1, frame.top());
    const QScreen* screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (position.x() + width() > area.right())
            position.setX(frame.left() - width());
        position.setY(
            std::clamp(position.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(position);
    show();
    raise();
}

QString HourPopover::headingText() const
{
    return m_heading->text();
}

QString HourPopover::bodyText() const
{
    return m_body->text();
}
