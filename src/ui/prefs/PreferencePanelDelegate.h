#pragma once

#include <QIcon>
#include <QString>

class QWidget;

// What the preferences window asks of whoever fills it: how many pages there are and each
// page's title, image and view, and the moments the window becomes active or closes. The
// window itself knows nothing about settings. The hooks after the four page questions are
// optional: their defaults do nothing.
class PreferencePanelDelegate
{
public:
    virtual ~PreferencePanelDelegate() = default;

    virtual int countOfPreferencePanels() const = 0;
    // An index out of range gives an empty title, a null image and no view.
    virtual QString titleForPreferencePanelAt(int index) const = 0;
    virtual QIcon imageForPreferencePanelAt(int index) const = 0;
    virtual QWidget* panelViewForPreferencePanelAt(int index) const = 0;

    // The page's toolbar identifier; empty means its index as decimal text.
    virtual QString identifyForPreferencePanelAt(int /*index*/) const { return {}; }
    virtual void prefViewWillAppear(QWidget* /*view*/, int /*index*/) {}
    virtual void prefViewDidAppear(QWidget* /*view*/, int /*index*/) {}
    virtual void refreshData() {}
    virtual void prefWindowWillClose() {}
};
