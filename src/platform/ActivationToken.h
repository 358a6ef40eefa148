#pragma once

#include <QString>
#include <QVariantMap>

// The proof that a window may take the focus. A Wayland compositor gives the focus only to a
// window whose activation comes from something the user just did: the launcher that started a
// program, the notification server whose notification was clicked. The launcher passes its token
// in the environment; a running instance receives it over the bus, in the platform data keys
// that org.freedesktop.Application uses.
namespace ActivationToken {

inline constexpr char kTokenKey[] = "activation-token";
inline constexpr char kStartupIdKey[] = "desktop-startup-id";

// This process's launcher's tokens (XDG_ACTIVATION_TOKEN, and DESKTOP_STARTUP_ID from X11
// launchers) as platform data; only the ones that are set.
QVariantMap fromEnvironment();

// The token of `platformData` (the X11 startup identifier stands in for a missing one: Wayland
// launchers that still speak the older protocol pass the token there); empty when none.
QString tokenOf(const QVariantMap& platformData);

// Hands a token to the window system for the next window that asks to be activated. Qt's
// Wayland plug-in spends XDG_ACTIVATION_TOKEN on that request and then clears it, so the token
// is used once, by the window the request raises. Elsewhere the token is not needed.
void offer(const QString& token);

} // namespace ActivationToken
