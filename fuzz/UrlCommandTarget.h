#pragma once

#include "FuzzTarget.h"

#include "platform/Clock.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "text/Global.h"

#include <QStringList>

#include <memory>

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
    std::unique_ptr<Sound::PreferencesScope> m_soundScope;
    std::unique_ptr<DataManager> m_manager;
    // The texts measure against this data manager's dates while it lives.
    std::unique_ptr<Global::Context> m_textContext;
    std::unique_ptr<UrlCommand> m_command;
    QStringList m_files;
};
