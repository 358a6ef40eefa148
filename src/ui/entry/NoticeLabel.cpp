#include "ui/entry/NoticeLabel.h"

#include "ui/common/Motion.h"

#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>

NoticeLabel::NoticeLabel(QWidget* parent)
    : QLabel(parent)
    , m_opacity(new QGraphicsOpacityEffect(this))
    , m_fade(new QPropertyAnimation(m_opacity, "opacity", this))
{
    setTextFormat(Qt::PlainText);
    setAccessibleName(tr("Notice"));
    setGraphicsEffect(m_opacity);
    m_opacity->setOpacity(0);
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(kShownMs);
    connect(&m_hideTimer, &QTimer::timeout, this, &NoticeLabel::hideNotice);
}

void NoticeLabel::showNotice(const QString& notice)
{
    m_hideTimer.stop();
    m_opacity->setOpacity(0);
    setText(notice);
    fadeTo(1, [this] { m_hideTimer.start(); });
}

void NoticeLabel::hideNotice()
{
    m_hideTimer.stop();
    fadeTo(0, [this] { clear(); });
}

void NoticeLabel::fadeTo(qreal opacity, const std::function<void()>& done)
{
    m_fade->stop();
    m_fade->disconnect(this);
    m_fade->setDuration(Motion::duration(kFadeMs));
    m_fade->setStartValue(m_opacity->opacity());
    m_fade->setEndValue(opacity);
    connect(m_fade, &QPropertyAnimation::finished, this, done);
    m_fade->start();
}
