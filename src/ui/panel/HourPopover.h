#pragma once

#include "ui/panel/HourPopoverContent.h"

#include <QFrame>

class QLabel;

// The pop-up beside the day graph that lists one hour's tasks and events while the pointer is
// over the graph. It never takes the keyboard focus, so the panel stays the active window.
class HourPopover : public QFrame
{
    Q_OBJECT

public:
    explicit HourPopover(QWidget* parent = nullptr);

    void setContent(const HourPopoverContent& content, const ModeManager& mode);
    // Beside `anchor` (its right edge, or its left edge where the screen ends).
    void showBeside(const QWidget* anchor);
    QString headingText() const;
    QString bodyText() const;

private:
    QLabel* m_heading;
    QLabel* m_body;
};
