#include "ui/common/SheetLook.h"

#include <QWidget>

namespace SheetLook {

void followParentWindow(QWidget* sheet)
{
    sheet->setAttribute(Qt::WA_WindowPropagation);
    // The attribute counts from the next change of parent; taking the same parent again makes
    // the sheet read the colours it has now.
    if (QWidget* parent = sheet->parentWidget()) {
        const Qt::WindowFlags flags = sheet->windowFlags();
        sheet->setParent(nullptr);
        sheet->setParent(parent, flags);
    }
}

} // namespace SheetLook
