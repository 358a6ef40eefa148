#include "ui/common/TimeFieldTabbing.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>

namespace {

class TabbingFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* field = qobject_cast<QDateTimeEdit*>(watched);
        if (!field || field->sectionCount() < 2)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        // A field moves on to the next stop only from its last section (back from its first),
        // so it is put there before the key takes effect.
        if (key->key() == Qt::Key_Tab && plain)
            field->setCurrentSectionIndex(field->sectionCount() - 1);
        else if (key->key() == Qt::Key_Backtab && plain)
            field->setCurrentSectionIndex(0);
        return false;
    }
};

} // namespace

void TimeFieldTabbing::install()
{
    static TabbingFilter* const filter = [] {
        auto* made = new TabbingFilter(qApp);
        qApp->installEventFilter(made);
        return made;
    }();
    Q_UNUSED(filter);
}
