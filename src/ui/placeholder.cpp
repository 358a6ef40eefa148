// The widget library has no classes of its own yet.
