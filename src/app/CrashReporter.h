#pragma once

// Writes a report when the application dies of a fatal signal (segmentation fault, abort, bus
// error, arithmetic fault, illegal instruction): the signal, the version and a backtrace, in
// $XDG_STATE_HOME/velmoran/crashes/ (~/.local/state when the variable is unset). The process
// then dies of the same signal, so a core dump and the exit status stay as they were.
//
// Everything the handler needs is prepared by install(); the handler itself only makes
// async-signal-safe calls.
namespace CrashReporter {

// Call first thing in main, before other threads exist. `version` is copied. Returns false when
// no report folder can be named (neither XDG_STATE_HOME nor HOME is set).
bool install(const char* version);

// The folder reports go to, as install() worked it out; empty before install().
const char* reportFolder();

} // namespace CrashReporter
