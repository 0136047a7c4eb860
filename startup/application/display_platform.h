// Which window system the handheld asks Qt for, decided before the
// application object exists. Qt ends the process with a core dump when no
// window system answers; the handheld says plainly what is missing instead
// and ends with status 1.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace hero {

// Looks up one environment variable; nothing when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;
// Whether a file (the Wayland compositor's socket) exists.
using SocketExists = std::function<bool(const std::string& path)>;

struct PlatformChoice {
  // The value QT_QPA_PLATFORM is set to; empty leaves it as it is.
  std::string platform;
  // When no display can be opened: what is missing, in a few plain words.
  std::string missing;
};

// X11 first where DISPLAY is set (placing and dragging a borderless window
// work there as on Windows), else a running Wayland compositor, else
// nothing. A platform named in QT_QPA_PLATFORM is kept; only
// X11 and Wayland are checked for their display, other platforms (offscreen,
// VNC, frame buffer) need none here.
PlatformChoice choose_platform(const EnvironmentLookup& environment, const SocketExists& socket_exists);
// The same from the process's own environment and file system.
PlatformChoice choose_platform();

// The line printed when no display opens: "hero50: cannot open a display: ...".
std::string no_display_message(const std::string& missing);

// While it lives, a platform that fails to start prints no_display_message
// with the window system's own reason and ends the process with status 1
// instead of Qt's abort. Messages Qt writes meanwhile about the platform are
// held back and passed on only if the platform does start. Create it just
// before the application object and let it go right after.
class PlatformStartGuard {
 public:
  PlatformStartGuard();
  ~PlatformStartGuard();
  PlatformStartGuard(const PlatformStartGuard&) = delete;
  PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};

}  // namespace hero
