#include "ui/entry/NoListAlert.h"

#include "ui/common/TintedIcon.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace NoListAlert {

void show(QWidget* parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(QCoreApplication::translate("NoListAlert", "No List Found"));
    box.setText(QCoreApplication::translate("NoListAlert", "No List Found"));
    box.setInformativeText(QCoreApplication::translate(
        "NoListAlert",
        "Check below. \n\n1. Velmoran needs to read and write the folders of your lists. Check "
        "that the store folder exists and belongs to you.\n\n2. Go to 'Preferences > Lists'. If "
        "you have no lists, add one."));
    box.setIconPixmap(
        TintedIcon::pixmap(QStringLiteral("AboutIcon"), QSize(64, 64), QColor(124, 181, 229)));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

} // namespace NoListAlert
