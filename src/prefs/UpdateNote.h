#pragma once

#include <QString>

class UserDefaults;

// When the notes on what is new ("updateNote") are due: once after each update to a new
// release, never on a first installation, whose user has had no earlier release to compare.
// The release whose notes were last settled is kept in "updateNoteVersion".
namespace UpdateNote {

inline constexpr const char* kVersionKey = "updateNoteVersion";

// Runs at every start, after the preference defaults are written.
void settleForRelease(UserDefaults& defaults, const QString& release);

} // namespace UpdateNote
