#pragma once

#include "prefs/PreferenceField.h"

#include <QList>
#include <QObject>

#include <functional>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QTimeEdit;
class QWidget;
class UserDefaults;

// The table that ties each control of the settings pages to its preference: one row names the
// control, the key and the kind of value, and what follows a change. Loading a control, storing
// its value, following another process's change and repairing a stored value of the wrong
// kind all walk the same rows, so no control can be loaded but not saved.
class PreferenceBinder : public QObject
{
    Q_OBJECT

public:
    using Effect = std::function<void()>;

    explicit PreferenceBinder(UserDefaults& defaults, QObject* parent = nullptr);

    // A check box or a checkable button: a boolean.
    void bindSwitch(QAbstractButton* control, QLatin1StringView key, Effect effect = {});
    // A two-item pop-up standing for a boolean: item 0 is true.
    void bindSwitchChoice(QComboBox* control, QLatin1StringView key, Effect effect = {});
    // A pop-up whose item index is stored.
    void bindChoice(QComboBox* control, QLatin1StringView key, Effect effect = {});
    // A pop-up whose items' data are the words stored; an item with an empty word leaves the
    // key out (the first item stands for a key left out or a word of no item).
    void bindWordChoice(QComboBox* control, QLatin1StringView key, Effect effect = {});
    // A time picker, stored as "HH:mm".
    void bindTime(QTimeEdit* control, QLatin1StringView key, Effect effect = {});

    // A number field of whole minutes, at least 1.
    void bindMinutes(QLineEdit* control, QLatin1StringView key, Effect effect = {});

    // Shows every bound preference (a value of the wrong kind shows the key's default).
    void loadAll();
    // Shows the key's value again in its controls, without running their effects.
    void load(const QString& key);
    bool binds(const QString& key) const;
    // Writes the shown value over every stored value of the wrong kind.
    void repairAll();

private:
    struct Row
    {
        QWidget* control;
        PreferenceField field;
        Effect effect;
    };
    void show(const Row& row);
    void store(const Row& row, const QVariant& value);

    UserDefaults& m_defaults;
    QList<Row> m_rows;
    bool m_loading = false;
};
