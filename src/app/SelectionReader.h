#pragma once

#include <QString>

#include <optional>

class QClipboard;

// The text for --new-task-from-selection, bound to a desktop shortcut: what is selected now
// (the X11 primary selection), else what was last copied. Nothing when both hold no text but
// blanks, or the platform has neither.
std::optional<QString> readSelectedText(const QClipboard* clipboard);
