#pragma once

#include "FuzzTarget.h"

#include "entry/SmartAdd.h"
#include "entry/SmartAddEntry.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"

// A line typed into a quick-add field, optionally followed by a NUL byte and the rules to use
// as a JSON array of rule records (else the default rules). The line goes through the one-pass
// parse the "smartadd" command uses, the matcher, and a field that sees it typed character by
// character and then added. Matches must lie inside the line, cursors inside the text, a
// title must be the trimmed rest, and no group of rules may apply twice.
class SmartAddTarget : public FuzzTarget
{
public:
    explicit SmartAddTarget(const QString& workFolder);
    QStringList run(QByteArrayView input) override;

private:
    QStringList typed(const QString& line);

    Clock m_clock;
    UserDefaults m_defaults;
    SmartAdd m_smartAdd;
    SmartAddEntry m_entry;
    QVariant m_defaultRules;
    bool m_customRules = false;
};
