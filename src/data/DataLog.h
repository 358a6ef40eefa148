#pragma once

#include <QString>

// The data layer's diagnostic lines ("[Data] …"), written only while the switch is on. The
// switch is off unless a developer turns it on.
class DataLog
{
public:
    bool isOn() const { return m_on; }
    void setOn(bool on) { m_on = on; }
    void write(const QString& line) const;

private:
    bool m_on = false;
};
