#pragma once

#include "platform/store/Calendar.h"

#include <QColor>
#include <QDialog>
#include <QPointer>

class DataManager;
class ModeManager;
class AddListWindowDelegate;
class QColorDialog;
class QLineEdit;
class QPushButton;

// The sheet that adds a user list (a title; new lists get the accent colour) or changes the
// title and colour of an existing one.
class AddListWindowController : public QDialog
{
    Q_OBJECT

public:
    AddListWindowController(DataManager& manager, ModeManager& modeManager,
                            AddListWindowDelegate* delegate, QWidget* parent = nullptr);
    ~AddListWindowController() override;

    static QColor newListColor() { return QColor::fromRgbF(0.4862745f, 0.7098039f, 0.8980392f); }

    void makeNewList();
    // Lists that cannot be changed are refused: the window stays prepared for a new list.
    void editList(const store::CalendarPtr& list);
    store::CalendarPtr editingList() const { return m_editingList; }

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    void doneButtonAction();
    void cancelButtonAction();

    QLineEdit* titleField() const { return m_titleField; }
    QPushButton* doneButton() const { return m_doneButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QPushButton* colorWell() const { return m_colorWell; }

    void reject() override;

private:
    void showColorPanel();
    void closeSheet(DialogCode result);
    // The store's reason for a change it did not take, over the window the sheet was on.
    void reportRefusal(const QString& title, const QString& reason);

    DataManager& m_manager;
    AddListWindowDelegate* m_delegate;
    store::CalendarPtr m_editingList;
    QColor m_color;
    QLineEdit* m_titleField;
    QPushButton* m_colorWell;
    QPushButton* m_doneButton;
    QPushButton* m_cancelButton;
    QPointer<QColorDialog> m_colorPanel;
};
