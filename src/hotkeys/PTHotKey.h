#pragma once

#include "hotkeys/HotKeyService.h"
#include "hotkeys/PTKeyCombo.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <functional>

// A global hot key: a key combination bound to an action on a target. The registration data
// (number and handle) belong to the hot-key centre, which sets them while the hot key is
// registered; shared ownership lets the centre keep a registered hot key alive.
class PTHotKey
{
public:
    using Action = std::function<void(PTHotKey* hotKey)>;

    PTHotKey() = default;
    PTHotKey(const QVariant& identifier, const PTKeyCombo& combo);
    PTHotKey(const PTHotKey&) = delete;
    PTHotKey& operator=(const PTHotKey&) = delete;

    const QVariant& identifier() const { return m_identifier; }
    void setIdentifier(const QVariant& identifier) { m_identifier = identifier; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    const PTKeyCombo& keyCombo() const { return m_keyCombo; }
    // A registered hot key keeps the combination it was registered with until it is
    // registered again.
    void setKeyCombo(const PTKeyCombo& combo) { m_keyCombo = combo; }

    QObject* target() const { return m_target; }
    // The object the action works on; once it is destroyed the hot key does nothing.
    void setTarget(QObject* target);
    void setAction(Action action) { m_action = std::move(action); }
    // Binds a member function of the target, as `toggle` of the application delegate.
    template <class Target> void setAction(Target* target, void (Target::*method)(PTHotKey*))
    {
        setTarget(target);
        m_action = [target, method](PTHotKey* hotKey) { (target->*method)(hotKey); };
    }

    quint32 hotKeyNumber() const { return m_hotKeyNumber; }
    HotKeyService::Handle hotKeyHandle() const { return m_hotKeyHandle; }

    // Runs the action with this hot key as its argument; nothing without an action or once
    // the target has gone.
    void invoke();

private:
    friend class PTHotKeyCenter;
    void setRegistration(quint32 number, HotKeyService::Handle handle)
    {
        m_hotKeyNumber = number;
        m_hotKeyHandle = handle;
    }

    QVariant m_identifier;
    QString m_name;
    PTKeyCombo m_keyCombo;
    QPointer<QObject> m_target;
    bool m_hasTarget = false;
    Action m_action;
    quint32 m_hotKeyNumber = 0;
    HotKeyService::Handle m_hotKeyHandle = 0;
};
