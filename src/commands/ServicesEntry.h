#pragma once

#include <QString>

#include <optional>

class DataManager;

// Finds the first link in a text, as a link detector does: http, https and ftp addresses,
// "mailto:" addresses and bare "www." host names (which get "http://" in front). Punctuation
// that ends the sentence around a link is not part of it. A null string when there is none.
QString firstLinkInText(const QString& text);

// The Services entry: text selected in another program becomes a new task in the default list,
// titled with the text and carrying the first link found in it. The application shell offers it
// over D-Bus and as a command-line switch; the selection arrives here as text.
class VelmoranServices
{
public:
    explicit VelmoranServices(DataManager& manager);

    // Nothing when the selection could not be read as text, or holds nothing but blanks.
    // Returns whether a task was added.
    bool newTaskFromServices(const std::optional<QString>& pasteboardText);

private:
    DataManager& m_manager;
};
