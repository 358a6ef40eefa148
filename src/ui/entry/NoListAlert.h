#pragma once

class QWidget;

// The alert the quick-add forms show when there is no list to add a task to.
namespace NoListAlert {

// Modal over `parent` (may be null); returns when the user has read it.
void show(QWidget* parent);

} // namespace NoListAlert
