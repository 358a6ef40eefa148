#include "ui/main/tasklist/TaskListDelegate.h"

#include "data/views/TaskListRows.h"
#include "prefs/ModeManager.h"
#include "ui/common/FocusRing.h"
#include "ui/common/Motion.h"
#include "ui/common/TintedIcon.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/main/tasklist/TaskRowContent.h"
#include "ui/main/tasklist/TaskRowHeights.h"

#include <QAbstractItemView>
#include <QEasingCurve>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QTimer>
#include <QVariantAnimation>

namespace {

constexpr qreal kSmallPointSize = 11;
constexpr qreal kLabelPointSize = 13;
constexpr qreal kBounceOvershoot = 1.2;
constexpr int kFoldTriangle = 10;
constexpr int kFoldGap = 4;

// The standard ease-in-ease-out timing curve, used on each half of the bounce.
const QEasingCurve& easeInEaseOut()
{
    static const QEasingCurve curve = [] {
        QEasingCurve bezier(QEasingCurve::BezierSpline);
        bezier.addCubicBezierSegment(QPointF(0.42, 0), QPointF(0.58, 1), QPointF(1, 1));
        return bezier;
    }();
    return curve;
}

// 0 → 1.2 over the first half, 1.2 → 1 over the second.
qreal bounceScaleAt(qreal progress)
{
    if (progress < 0.5)
        return kBounceOvershoot * easeInEaseOut().valueForProgress(progress / 0.5);
    const qreal eased = easeInEaseOut().valueForProgress((progress - 0.5) / 0.5);
    return kBounceOvershoot + (1.0 - kBounceOvershoot) * eased;
}

// The line of list, date and icons at the foot of a row's content.
QRect informationLine(const QRect& content)
{
    return QRect(content.left() + TaskListDelegate::kTextLeft,
                 content.bottom() + 1 -
                     (TaskRowHeights::kFixedHeight - TaskListDelegate::kTitleTop),
                 std::max(content.width() - TaskRowHeights::kTitleInset, 1),
                 TaskListDelegate::kInfoLineHeight);
}

TaskListRows::Kind kindOf(const QModelIndex& index)
{
    return TaskListRows::Kind(index.data(TaskListModel::KindRole).toInt());
}

} // namespace

TaskListDelegate::TaskListDelegate(const ModeManager& mode, QAbstractItemView* view)
    : QStyledItemDelegate(view)
    , m_mode(mode)
    , m_view(view)
{}

TaskListDelegate::~TaskListDelegate()
{
    // The callbacks belong to tasks whose change never happened; they must not run late.
    for (auto& [row, bounce] : m_bounces) {
        if (bounce.animation) {
            bounce.animation->disconnect(this);
            bounce.animation->stop();
        }
    }
}

QRect TaskListDelegate::checkButtonRect(const QRect& rowRect) const
{
    // Centred on the title's first line, whatever the text size.
    const QFontMetrics metrics(m_mode.fontWithSize(m_mode.fontSize()));
    const int top = rowRect.top() + kTitleTop + (metrics.height() - kCheckSize) / 2;
    return QRect(rowRect.left() + kCheckLeft, top, kCheckSize, kCheckSize);
}

QRect TaskListDelegate::contentRect(const QRect& rowRect, const TaskRowParts& parts)
{
    return rowRect.adjusted(
        parts.indent, parts.parentLine.isEmpty() ? 0 : TaskRowHeights::kParentLineHeight, 0, 0);
}

QRect TaskListDelegate::foldControlRect(const QRect& rowRect, const TaskRowParts& parts) const
{
    if (parts.fold == RowNesting::Fold::None)
        return {};
    const QRect line = informationLine(contentRect(rowRect, parts));
    const int width =
        kFoldTriangle + kFoldGap +
        QFontMetrics(m_mode.fontWithSize(kSmallPointSize)).horizontalAdvance(parts.progress);
    // A little wider than what is drawn: a triangle alone is a small target.
    return QRect(line.left() - kFoldGap, line.top(), width + 2 * kFoldGap, line.height());
}

bool TaskListDelegate::startBounce(int row, std::function<void()> finished)
{
    if (isBouncing(row) || !m_view || !m_view->model())
        return false;
    QAbstractItemModel* model = m_view->model();
    if (m_watchedModel != model) {
        if (m_watchedModel)
            m_watchedModel->disconnect(this);
        m_watchedModel = model;
        // The shown image stays on the button until the new state arrives with the next
        // content; then the row draws from its task again.
        connect(model, &QAbstractItemModel::modelReset, this,
                &TaskListDelegate::forgetFinishedBounces);
    }

    Bounce bounce;
    const QModelIndex index = model->index(row, 0);
    const auto parts = index.data(TaskListModel::PartsRole).value<TaskRowParts>();
    const bool completed = parts.leadingImage == QLatin1String("CellCheckOn");
    bounce.image = completed ? QStringLiteral("CellCheck") : QStringLiteral("CellCheckOn");
    bounce.finished = std::move(finished);
    bounce.animation = new QVariantAnimation(this);
    bounce.animation->setStartValue(0.0);
    bounce.animation->setEndValue(1.0);
    const int duration = Motion::duration(kBounceMilliseconds);
    bounce.animation->setDuration(duration);
    connect(bounce.animation, &QVariantAnimation::valueChanged, this,
            [this, row](const QVariant& value) { bounceStep(row, value.toReal()); });
    connect(bounce.animation, &QVariantAnimation::finished, this,
            [this, row] { bounceEnded(row); });
    QVariantAnimation* animation = bounce.animation;
    m_bounces[row] = std::move(bounce);
    // An animation of no length ends inside start(), and its callback may reload the model:
    // without motion the check changes once the click that asked for it has been handled.
    if (duration == 0)
        QTimer::singleShot(0, animation, [animation] { animation->start(); });
    else
        animation->start();
    repaintRow(row);
    return true;
}

bool TaskListDelegate::isBouncing(int row) const
{
    const auto found = m_bounces.find(row);
    return found != m_bounces.end() && found->second.running;
}

qreal TaskListDelegate::bounceScale(int row) const
{
    const auto found = m_bounces.find(row);
    return found != m_bounces.end() && found->second.running ? found->second.scale : 1.0;
}

QString TaskListDelegate::checkImage(int row, const TaskRowParts& parts) const
{
    const auto found = m_bounces.find(row);
    return found != m_bounces.end() ? found->second.image : parts.leadingImage;
}

void TaskListDelegate::bounceStep(int row, qreal progress)
{
    const auto found = m_bounces.find(row);
    if (found == m_bounces.end())
        return;
    found->second.scale = bounceScaleAt(progress);
    repaintRow(row);
}

void TaskListDelegate::bounceEnded(int row)
{
    const auto found = m_bounces.find(row);
    if (found == m_bounces.end())
        return;
    Bounce& bounce = found->second;
    bounce.running = false;
    bounce.scale = 1.0;
    bounce.animation->deleteLater();
    bounce.animation = nullptr;
    repaintRow(row);
    // Moved out first: the callback may well reload the model, which forgets this bounce.
    const std::function<void()> finished = std::move(bounce.finished);
    if (finished)
        finished();
}

void TaskListDelegate::forgetFinishedBounces()
{
    for (auto it = m_bounces.begin(); it != m_bounces.end();) {
        if (it->second.running)
            ++it;
        else
            it = m_bounces.erase(it);
    }
}

void TaskListDelegate::repaintRow(int row) const
{
    if (!m_view || !m_view->model())
        return;
    m_view->viewport()->update(m_view->visualRect(m_view->model()->index(row, 0)));
}

QPixmap TaskListDelegate::tinted(const QString& name, int size, const QColor& color,
                                 qreal ratio) const
{
    const QString key =
        QStringLiteral("%1|%2|%3|%4").arg(name, color.name(QColor::HexArgb)).arg(size).arg(ratio);
    auto found = m_pixmaps.constFind(key);
    if (found == m_pixmaps.constEnd())
        found = m_pixmaps.insert(key, TintedIcon::pixmap(name, QSize(size, size), color, ratio));
    return found.value();
}

QSize TaskListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize hint = index.data(Qt::SizeHintRole).toSize();
    if (hint.isValid())
        return QSize(option.rect.width() > 0 ? option.rect.width() : hint.width(), hint.height());
    return QStyledItemDelegate::sizeHint(option, index);
}

void TaskListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect& rect = option.rect;
    switch (kindOf(index)) {
    case TaskListRows::Kind::Task:
    case TaskListRows::Kind::Event: {
        paintBackground(painter, option);
        const auto parts = index.data(TaskListModel::PartsRole).value<TaskRowParts>();
        paintTaskOrEvent(painter, rect, index.row(), parts);
        break;
    }
    case TaskListRows::Kind::EventsHeader:
        paintHeader(painter, rect);
        break;
    case TaskListRows::Kind::Empty:
        paintEmptyState(painter, rect);
        break;
    case TaskListRows::Kind::Spacer:
    case TaskListRows::Kind::None:
        break;
    }
    painter->restore();
}

void TaskListDelegate::paintBackground(QPainter* painter, const QStyleOptionViewItem& option) const
{
    if (!(option.state & QStyle::State_Selected))
        return;
    const QRect& rect = option.rect;
    const QColor background = m_mode.selectedBackgroundColor();
    painter->fillRect(rect, background);
    const bool focused = m_view ? m_view->hasFocus() : bool(option.state & QStyle::State_HasFocus);
    if (focused)
        FocusRing::paint(*painter, rect, FocusRing::color(option.palette, {background}));
}

void TaskListDelegate::paintTaskOrEvent(QPainter* painter, const QRect& rowRect, int row,
                                        const TaskRowParts& parts) const
{
    paintParentLine(painter, rowRect, parts);
    const QRect rect = contentRect(rowRect, parts);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;

    const QRect button = checkButtonRect(rect);
    const bool isTask = parts.kind == TaskRowParts::Kind::Task;
    const QString image = isTask ? checkImage(row, parts) : parts.leadingImage;
    const qreal scale = isTask ? bounceScale(row) : 1.0;
    if (scale > 0) {
        painter->save();
        const QPointF centre = QRectF(button).center();
        painter->translate(centre);
        painter->scale(scale, scale);
        painter->translate(-centre);
        // Sharp at the largest size the bounce reaches.
        painter->drawPixmap(button, tinted(image, kCheckSize, parts.leadingTint,
                                           ratio * (scale > 1 ? kBounceOvershoot : 1.0)));
        painter->restore();
    }

    const QFont titleFont = m_mode.fontWithSize(m_mode.fontSize());
    const int textWidth = std::max(rect.width() - TaskRowHeights::kTitleInset, 1);
    const int titleHeight = rect.height() - TaskRowHeights::kFixedHeight -
                            (parts.notesShown ? TaskRowHeights::kNotesHeight : 0);
    const QRect titleRect(rect.left() + kTextLeft, rect.top() + kTitleTop, textWidth,
                          std::max(titleHeight, 0));
    // Laid out by the rule that measured the row, so the lines fill exactly its height.
    QTextLayout title;
    title.setFont(titleFont);
    TaskRowHeights::layOutTitle(title, parts.title, textWidth);
    painter->setPen(parts.titleColor);
    title.draw(painter, titleRect.topLeft());

    const QFont smallFont = m_mode.fontWithSize(kSmallPointSize);
    painter->setFont(smallFont);
    if (parts.notesShown) {
        const QRect notesRect(titleRect.left(), titleRect.bottom() + 1, textWidth,
                              TaskRowHeights::kNotesHeight);
        painter->setPen(parts.notesColor);
        painter->drawText(
            notesRect, Qt::AlignLeft | Qt::AlignVCenter,
            QFontMetrics(smallFont).elidedText(parts.notes, Qt::ElideRight, textWidth));
    }
    paintInformationLine(painter, informationLine(rect), parts);

    // Icons fill from the left of their group, which ends at the text column's right edge.
    const int iconCount = int(std::min<qsizetype>(parts.icons.size(), TaskRowContent::kMaxIcons));
    int x = titleRect.right() + 1 - iconCount * kIconSize;
    const int iconTop = rect.bottom() + 1 - parts.iconBottomOffset - kIconSize;
    for (int i = 0; i < iconCount; ++i, x += kIconSize)
        painter->drawPixmap(QRect(x, iconTop, kIconSize, kIconSize),
                            tinted(parts.icons.at(i), kIconSize, parts.iconColor, ratio));
}

void TaskListDelegate::paintInformationLine(QPainter* painter, const QRect& rect,
                                            const TaskRowParts& parts) const
{
    // The list (or location) on the left; the priority mark and date on the right, before the
    // icons; the list gives way when space runs short.
    const QFontMetrics metrics(painter->font());
    const int iconsWidth =
        int(std::min<qsizetype>(parts.icons.size(), TaskRowContent::kMaxIcons)) * kIconSize;
    const int dateWidth = metrics.horizontalAdvance(parts.dateText);
    const int markWidth = metrics.horizontalAdvance(parts.priorityMark);
    const int infoRight = rect.right() + 1 - iconsWidth;
    const QRect dateRect(infoRight - dateWidth, rect.top(), dateWidth, rect.height());
    const QRect markRect(dateRect.left() - markWidth, rect.top(), markWidth, rect.height());
    painter->setPen(parts.dateColor);
    painter->drawText(dateRect, Qt::AlignLeft | Qt::AlignVCenter, parts.dateText);
    painter->setPen(parts.markColor);
    painter->drawText(markRect, Qt::AlignLeft | Qt::AlignVCenter, parts.priorityMark);

    int left = rect.left();
    if (parts.fold != RowNesting::Fold::None || !parts.progress.isEmpty())
        left += paintFoldControl(painter, rect, parts) + 8;
    const int subtitleWidth = markRect.left() - left - 8;
    if (subtitleWidth > 0 && !parts.subtitle.isEmpty()) {
        painter->setPen(parts.subtitleColor);
        painter->drawText(QRect(left, rect.top(), subtitleWidth, rect.height()),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(parts.subtitle, Qt::ElideRight, subtitleWidth));
    }
}

int TaskListDelegate::paintFoldControl(QPainter* painter, const QRect& line,
                                       const TaskRowParts& parts) const
{
    int x = line.left();
    if (parts.fold != RowNesting::Fold::None) {
        // Pointing down while the subtasks show, towards the title while they are folded.
        const QPointF centre(x + kFoldTriangle / 2.0, line.top() + line.height() / 2.0);
        const qreal half = kFoldTriangle / 2.0;
        QPolygonF triangle;
        if (parts.fold == RowNesting::Fold::Open)
            triangle << centre + QPointF(-half, -half * 0.55)
                     << centre + QPointF(half, -half * 0.55) << centre + QPointF(0, half * 0.65);
        else
            triangle << centre + QPointF(-half * 0.55, -half)
                     << centre + QPointF(-half * 0.55, half) << centre + QPointF(half * 0.65, 0);
        painter->setPen(Qt::NoPen);
        painter->setBrush(parts.nestingColor);
        painter->drawPolygon(triangle);
        painter->setBrush(Qt::NoBrush);
        x += kFoldTriangle + kFoldGap;
    }
    if (!parts.progress.isEmpty()) {
        const int width = painter->fontMetrics().horizontalAdvance(parts.progress);
        painter->setPen(parts.nestingColor);
        painter->drawText(QRect(x, line.top(), width, line.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, parts.progress);
        x += width;
    }
    return x - line.left();
}

void TaskListDelegate::paintParentLine(QPainter* painter, const QRect& rowRect,
                                       const TaskRowParts& parts) const
{
    if (parts.parentLine.isEmpty())
        return;
    const QRect line(rowRect.left() + parts.indent + kTextLeft, rowRect.top() + kTitleTop - 1,
                     std::max(rowRect.width() - parts.indent - TaskRowHeights::kTitleInset, 1),
                     TaskRowHeights::kParentLineHeight);
    painter->save();
    const QFont font = m_mode.fontWithSize(kSmallPointSize);
    painter->setFont(font);
    painter->setPen(parts.nestingColor);
    painter->drawText(
        line, Qt::AlignLeft | Qt::AlignVCenter,
        QFontMetrics(font).elidedText(parts.parentLine, Qt::ElideRight, line.width()));
    painter->restore();
}

void TaskListDelegate::paintHeader(QPainter* painter, const QRect& rect) const
{
    painter->setFont(m_mode.fontWithSize(kLabelPointSize));
    painter->setPen(m_mode.subTextColor());
    painter->drawText(rect.adjusted(kCheckLeft, 0, -kCheckLeft, 0),
                      Qt::AlignLeft | Qt::AlignVCenter, tr("Calendar Events"));
}

void TaskListDelegate::paintEmptyState(QPainter* painter, const QRect& rect) const
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QFont font = m_mode.fontWithSize(kLabelPointSize);
    const int textHeight = QFontMetrics(font).height();
    const int spacing = 8;
    const int top = rect.top() + (rect.height() - kEmptyImageSize - spacing - textHeight) / 2;
    const QRect imageRect(rect.center().x() - kEmptyImageSize / 2, top, kEmptyImageSize,
                          kEmptyImageSize);
    painter->drawPixmap(imageRect, tinted(QStringLiteral("EmptyThen"), kEmptyImageSize,
                                          m_mode.subTextColor(), ratio));
    painter->setFont(font);
    painter->setPen(m_mode.subTextColor());
    painter->drawText(
        QRect(rect.left(), imageRect.bottom() + 1 + spacing, rect.width(), textHeight),
        Qt::AlignHCenter | Qt::AlignTop, tr("No Tasks"));
}

bool TaskListDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                   const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QEvent::Type type = event->type();
    // Space on a task does what a click on its check button does (the panel's rows; the main
    // list takes Space itself).
    if (type == QEvent::KeyPress && kindOf(index) == TaskListRows::Kind::Task) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Select) {
            Q_EMIT checkButtonClicked(index);
            return true;
        }
    }
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                       type == QEvent::MouseButtonDblClick;
    if (!mouse || kindOf(index) != TaskListRows::Kind::Task)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    const auto* mouseEvent = static_cast<QMouseEvent*>(event);
    const auto parts = index.data(TaskListModel::PartsRole).value<TaskRowParts>();
    const QPoint at = mouseEvent->position().toPoint();
    const bool leftButton = mouseEvent->button() == Qt::LeftButton;
    const bool onButton =
        leftButton && checkButtonRect(contentRect(option.rect, parts)).contains(at);
    const bool onFold = leftButton && foldControlRect(option.rect, parts).contains(at);
    if (type == QEvent::MouseButtonRelease) {
        const bool clicked = onButton && m_pressedRow == index.row();
        const bool folded = onFold && m_pressedFoldRow == index.row();
        m_pressedRow = m_pressedFoldRow = -1;
        if (clicked) {
            Q_EMIT checkButtonClicked(index);
            return true;
        }
        if (folded) {
            Q_EMIT foldClicked(index);
            return true;
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }
    // A press on the button belongs to the button; a double click there must not open the
    // task either. The same goes for the fold control.
    if (onButton) {
        m_pressedRow = index.row();
        return true;
    }
    if (onFold) {
        m_pressedFoldRow = index.row();
        return true;
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}
