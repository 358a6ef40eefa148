#pragma once

#include <QLabel>
#include <QTimer>

#include <functional>

class QGraphicsOpacityEffect;
class QPropertyAnimation;

// The short notice line of the quick-add forms ("New Task Added"): a text that fades in, stays
// two seconds after the last notice and fades out again.
class NoticeLabel : public QLabel
{
    Q_OBJECT

public:
    static constexpr int kFadeMs = 200;
    static constexpr int kShownMs = 2000;

    explicit NoticeLabel(QWidget* parent = nullptr);

    // A new notice restarts the wait.
    void showNotice(const QString& notice);
    void hideNotice();
    QString notice() const { return text(); }
    // How long the notice still stays before it fades out; -1 while none is waiting.
    int remainingMs() const { return m_hideTimer.remainingTime(); }

private:
    void fadeTo(qreal opacity, const std::function<void()>& done);

    QGraphicsOpacityEffect* m_opacity;
    QPropertyAnimation* m_fade;
    QTimer m_hideTimer;
};
