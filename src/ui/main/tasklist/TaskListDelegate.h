#pragma once

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>
#include <map>

class ModeManager;
class QAbstractItemView;
class QVariantAnimation;
struct TaskRowParts;

// Paints every row of the centre task list (tasks, events, the events header, the empty-state
// row, spacers), its selection background and, while the list has the keyboard, the focus
// ring around the selected row, and owns the check button: its hit area, its
// click and the bounce it makes before the task changes.
class TaskListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The check button and the text column, in the row's coordinates.
    static constexpr int kCheckLeft = 10;
    static constexpr int kCheckSize = 20;
    static constexpr int kTextLeft = 38;
    static constexpr int kTitleTop = 6;
    static constexpr int kInfoLineHeight = 22;
    static constexpr int kIconSize = 16;
    static constexpr int kBounceMilliseconds = 300;
    static constexpr int kEmptyImageSize = 64;

    TaskListDelegate(const ModeManager& mode, QAbstractItemView* view);
    ~TaskListDelegate() override;

    // Where the check button of a row occupying `rowRect` is; what a click must hit.
    QRect checkButtonRect(const QRect& rowRect) const;
    // The part of a row its check button, texts and icons are laid out in: all of it but the
    // indent of a subtask and the line naming its parent.
    static QRect contentRect(const QRect& rowRect, const TaskRowParts& parts);
    // The fold control of a parent (its triangle and done of total) at the left of the
    // information line; empty for a row without subtasks to fold.
    QRect foldControlRect(const QRect& rowRect, const TaskRowParts& parts) const;

    // Shows the task's next state on the button at once ("CellCheckOn" for an open task,
    // "CellCheck" for a completed one) and scales it through 0, 1.2 and 1 around its centre;
    // `finished` runs when the bounce is over. A row that is already bouncing ignores the
    // request (and never runs this `finished`): a second click cannot toggle the task twice.
    bool startBounce(int row, std::function<void()> finished);
    bool isBouncing(int row) const;
    // 1 outside a bounce.
    qreal bounceScale(int row) const;
    // The image the check button of that row shows now.
    QString checkImage(int row, const TaskRowParts& parts) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

Q_SIGNALS:
    // A left click inside a task row's check button.
    void checkButtonClicked(const QModelIndex& index);
    // A left click on the fold control of a parent.
    void foldClicked(const QModelIndex& index);

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    struct Bounce
    {
        QVariantAnimation* animation = nullptr;
        qreal scale = 0;
        QString image;
        std::function<void()> finished;
        bool running = true;
    };

    void paintBackground(QPainter* painter, const QStyleOptionViewItem& option) const;
    void paintTaskOrEvent(QPainter* painter, const QRect& rect, int row,
                          const TaskRowParts& parts) const;
    void paintInformationLine(QPainter* painter, const QRect& rect,
                              const TaskRowParts& parts) const;
    // Returns the width it took.
    int paintFoldControl(QPainter* painter, const QRect& line, const TaskRowParts& parts) const;
    void paintParentLine(QPainter* painter, const QRect& rowRect, const TaskRowParts& parts) const;
    void paintHeader(QPainter* painter, const QRect& rect) const;
    void paintEmptyState(QPainter* painter, const QRect& rect) const;
    QPixmap tinted(const QString& name, int size, const QColor& color, qreal ratio) const;
    void repaintRow(int row) const;
    void bounceStep(int row, qreal progress);
    void bounceEnded(int row);
    void forgetFinishedBounces();

    const ModeManager& m_mode;
    QPointer<QAbstractItemView> m_view;
    QPointer<QAbstractItemModel> m_watchedModel;
    std::map<int, Bounce> m_bounces;
    int m_pressedRow = -1;
    int m_pressedFoldRow = -1;
    mutable QHash<QString, QPixmap> m_pixmaps;
};
