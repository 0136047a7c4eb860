// The choice of window system before the application object exists: X11
// where DISPLAY is set, else a running Wayland compositor, else a plain
// word of what is missing. The whole program's refusal is in launch_test.cpp.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "startup/application/display_platform.h"

namespace hero {
namespace {

struct Desktop {
  std::map<std::string, std::string> variables;
  std::set<std::string> sockets;

  PlatformChoice choose() const {
    return choose_platform(
        [this](const char* name) -> std::optional<std::string> {
          const auto it = variables.find(name);
          if (it == variables.end()) return std::nullopt;
          return it->second;
        },
        [this](const std::string& path) { return sockets.count(path) > 0; });
  }
};

TEST(DisplayPlatform, X11IsPreferredWhereDisplayIsSetEvenUnderWayland) {
  const Desktop desktop{
      {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1"}},
      {"/run/user/1/wayland-0"}};
  const PlatformChoice choice = desktop.choose();
  EXPECT_EQ(choice.platform, "xcb");
  EXPECT_EQ(choice.missing, "");
}

TEST(DisplayPlatform, AWaylandSessionWithoutXRunsNatively) {
  // Named socket, the default socket, and a socket given as a path.
  EXPECT_EQ((Desktop{{{"WAYLAND_DISPLAY", "wayland-1"}, {"XDG_RUNTIME_DIR", "/run/user/1"}},
                     {"/run/user/1/wayland-1"}}
                 .choose()
                 .platform),
            "wayland");
  EXPECT_EQ((Desktop{{{"XDG_RUNTIME_DIR", "/run/user/1"}}, {"/run/user/1/wayland-0"}}.choose().platform),
            "wayland");
  EXPECT_EQ((Desktop{{{"WAYLAND_DISPLAY", "/tmp/w.sock"}}, {"/tmp/w.sock"}}.choose().platform), "wayland");
}

TEST(DisplayPlatform, NoDisplayAtAllSaysWhatIsMissing) {
  const PlatformChoice choice = Desktop{{{"XDG_RUNTIME_DIR", "/run/user/1"}}, {}}.choose();
  EXPECT_EQ(choice.platform, "");
  EXPECT_EQ(choice.missing,
            "DISPLAY is not set (no X server) and WAYLAND_DISPLAY is not set (no Wayland compositor)");
  EXPECT_EQ(no_display_message(choice.missing).rfind("hero50: cannot open a display: DISPLAY is not set", 0),
            0u);
}

TEST(DisplayPlatform, AWaylandNameWithoutItsSocketIsNamedWithItsPath) {
  const PlatformChoice named =
      Desktop{{{"WAYLAND_DISPLAY", "wl-9"}, {"XDG_RUNTIME_DIR", "/run/user/1"}}, {}}.choose();
  EXPECT_EQ(named.missing,
            "DISPLAY is not set (no X server) and no Wayland compositor listens at /run/user/1/wl-9 "
            "(WAYLAND_DISPLAY=wl-9)");
  const PlatformChoice no_runtime = Desktop{{{"WAYLAND_DISPLAY", "wl-9"}}, {}}.choose();
  EXPECT_NE(no_runtime.missing.find("XDG_RUNTIME_DIR"), std::string::npos) << no_runtime.missing;
}

TEST(DisplayPlatform, AnEmptyDisplayVariableCountsAsUnset) {
  EXPECT_FALSE((Desktop{{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, {}}.choose().missing.empty()));
}

TEST(DisplayPlatform, AStatedPlatformIsKeptAndOnlyItsOwnDisplayChecked) {
  // Platforms that need no display of ours: left alone with no display at all.
  for (const char* platform : {"offscreen", "minimal", "vnc:size=800x600", "linuxfb"}) {
    const PlatformChoice choice = Desktop{{{"QT_QPA_PLATFORM", platform}}, {}}.choose();
    EXPECT_EQ(choice.platform, "") << platform;
    EXPECT_EQ(choice.missing, "") << platform;
  }
  EXPECT_NE((Desktop{{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "/w"}}, {"/w"}}.choose().missing.find(
                "asks for X11 (xcb) but DISPLAY is not set")),
            std::string::npos);
  EXPECT_NE((Desktop{{{"QT_QPA_PLATFORM", "wayland-egl"}, {"DISPLAY", ":0"}}, {}}.choose().missing.find(
                "asks for Wayland (wayland-egl)")),
            std::string::npos);
  EXPECT_EQ((Desktop{{{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":0"}}, {}}.choose().missing), "");
}

TEST(DisplayPlatform, AListOfPlatformsNeedsOnlyOneThatCanStart) {
  EXPECT_EQ((Desktop{{{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":0"}}, {}}.choose().missing), "");
  EXPECT_EQ((Desktop{{{"QT_QPA_PLATFORM", "xcb;offscreen"}}, {}}.choose().missing), "");
  const PlatformChoice neither = Desktop{{{"QT_QPA_PLATFORM", "wayland;xcb"}}, {}}.choose();
  EXPECT_NE(neither.missing.find("Wayland"), std::string::npos) << neither.missing;
  EXPECT_NE(neither.missing.find("X11"), std::string::npos) << neither.missing;
}

}  // namespace
}  // namespace hero
