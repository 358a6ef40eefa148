#include "hotkeys/PTHotKey.h"

PTHotKey::PTHotKey(const QVariant& identifier, const PTKeyCombo& combo)
    : m_identifier(identifier)
    , m_keyCombo(combo)
{}

void PTHotKey::setTarget(QObject* target)
{
    m_target = target;
    m_hasTarget = target != nullptr;
}

void PTHotKey::invoke()
{
    if (!m_action || (m_hasTarget && !m_target))
        return;
    m_action(this);
}
