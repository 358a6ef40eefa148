#pragma once

#include <QObject>
#include <QString>

#include <memory>

class PTHotKey;
class PTHotKeyCenter;
class UserDefaults;

// The two global shortcuts: one shows or hides the main window, the other opens or closes the
// tray panel. Their combinations are read from the preferences at every registration, since
// the preferences window records new ones.
class GlobalShortcuts : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* kWindowIdentifier = "Velmoran";
    static constexpr const char* kPanelIdentifier = "Velmoran2";

    // `center` may be null: no global shortcuts at all.
    GlobalShortcuts(PTHotKeyCenter* center, UserDefaults& defaults, QObject* parent = nullptr);
    ~GlobalShortcuts() override;

    // False when the window system refused the stored combination (another program holds it).
    bool registerWindowShortcut();
    bool registerPanelShortcut();
    PTHotKeyCenter* center() const { return m_center; }

Q_SIGNALS:
    void windowShortcutPressed();
    void panelShortcutPressed();

private:
    bool registerFor(const char* identifier, const QString& preference, const QString& description,
                     std::shared_ptr<PTHotKey>& hotKey, void (GlobalShortcuts::*pressed)());

    PTHotKeyCenter* m_center;
    UserDefaults& m_defaults;
    std::shared_ptr<PTHotKey> m_window;
    std::shared_ptr<PTHotKey> m_panel;
};
