#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QtTest>

// Chooses an item of a combo box with the keyboard, through its list: opened, walked with the
// arrow keys, taken with Return. Only the item taken is activated, as when a user does it
// (arrows on the closed box would activate every item on the way).
inline void chooseItem(QComboBox* box, int index)
{
    box->setFocus();
    box->showPopup();
    QAbstractItemView* view = box->view();
    QTRY_VERIFY(view->isVisible());
    int current = view->currentIndex().row();
    while (current != index) {
        QTest::keyClick(view, current < index ? Qt::Key_Down : Qt::Key_Up);
        const int moved = view->currentIndex().row();
        if (moved == current)
            break;
        current = moved;
    }
    QCOMPARE(view->currentIndex().row(), index);
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}
