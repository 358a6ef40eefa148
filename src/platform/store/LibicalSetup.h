#pragma once

namespace store {

// libical keeps process-wide switches and a lazily built zone table that are not safe to touch
// from several threads at once. initialize() sets the switches and loads the built-in zones
// once, on the calling thread; call it on the main thread before any store work.
namespace LibicalSetup {
void initialize();
}

} // namespace store
