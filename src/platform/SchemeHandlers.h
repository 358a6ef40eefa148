#pragma once

#include <QString>

// Whether the desktop has a program for links of a URL scheme ("appstream:", "mailto:"), as
// the freedesktop MIME applications rules register them: a default in a mimeapps.list, an
// entry of an applications/mimeinfo.cache, or a desktop entry that names
// x-scheme-handler/<scheme> among its MIME types. Opening a link of a scheme nothing handles
// fails silently on most desktops, so callers ask first.
namespace SchemeHandlers {

bool hasHandlerForScheme(const QString& scheme);

} // namespace SchemeHandlers
