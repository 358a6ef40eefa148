#pragma once

#include "FuzzTarget.h"

#include "platform/Clock.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "text/Global.h"

#include <QStringList>

#include <memory>
#include <optional>

class DataManager;
class UrlCommand;

// Lines of "velmoran:" URLs (at most four per input), handed in one after the other as another
// program would, over a real store with three lists and one task and a data manager loaded
// from it. A task a command saves must read back from its file as it was saved, and after it
// is removed again the store's folders must hold exactly what they held before: nothing torn,
// nothing left behind, nothing written elsewhere.
class UrlCommandTarget : public FuzzTarget
{
public:
    explicit UrlCommandTarget(const QString& workFolder);
    ~UrlCommandTarget() override;
    QStringList run(QByteArrayView input) override;

private:
    QStringList storeFiles() const;

    QString m_root;
    Clock m_clock;
    UserDefaults m_defaults;
    // The texts and sounds read these preferences (and the manager's dates) while it lives.
    std::optional<Sound::PreferencesScope> m_sound;
    std::optional<Global::Context> m_text;
    std::unique_ptr<DataManager> m_manager;
    std::unique_ptr<UrlCommand> m_command;
    QStringList m_files;
};
