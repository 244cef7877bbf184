#pragma once
// The desktop portal's wallpaper service (org.freedesktop.portal.Wallpaper),
// the one way to set the wallpaper that sandboxed and Wayland sessions allow.
#include <QString>

#include <chrono>
#include <optional>

namespace kel {

enum class PortalAnswer { Applied, Refused };

// Asks the portal on the session bus to make the picture file the background
// without showing its own preview. Nothing when there is no session bus, no
// portal or no wallpaper service behind it, or when the portal failed or gave
// no answer within two minutes, so that the caller can try the desktop's own
// tools; Refused when the user said no.
std::optional<PortalAnswer> setWallpaperThroughPortal(const QString& pictureFile);

// The same, giving up on a portal that has not answered within `answerWait`.
std::optional<PortalAnswer> askPortalForWallpaper(const QString& pictureFile, std::chrono::milliseconds answerWait);

} // namespace kel
