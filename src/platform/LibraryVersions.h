#pragma once

#include <QString>

// The versions of the libraries the running program uses, as loaded at run time (a Debian
// update of a library changes them without a rebuild); the about window lists them.
namespace LibraryVersions {

QString qtRuntime();
QString qtBuild();
// From the name of the shared object the dynamic linker loaded ("libical.so.3.0.16"), since
// libical has no run-time version call; the build's version when the name has none.
QString libicalRuntime();
QString libicalBuild();
QString icuRuntime();
QString icuBuild();

} // namespace LibraryVersions
