#include "startup/application/display_platform.h"

#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace hero {
namespace {

std::string value_of(const EnvironmentLookup& environment, const char* name) {
  const std::optional<std::string> value = environment(name);
  return value ? *value : std::string();
}

enum class DisplayKind { x11, wayland, other };

DisplayKind kind_of(std::string_view platform_entry) {
  // "xcb:option=value": the platform's name comes before its options.
  const std::string_view name = platform_entry.substr(0, platform_entry.find(':'));
  if (name == "xcb") return DisplayKind::x11;
  if (name.substr(0, 7) == "wayland") return DisplayKind::wayland;
  return DisplayKind::other;
}

// Where the Wayland client library looks for its compositor: WAYLAND_DISPLAY
// (a socket name under XDG_RUNTIME_DIR, or a path), "wayland-0" by default.
struct WaylandSocket {
  bool running = false;
  std::string why_not;
};

WaylandSocket wayland_socket(const EnvironmentLookup& environment, const SocketExists& socket_exists) {
  const std::string named = value_of(environment, "WAYLAND_DISPLAY");
  const std::string name = named.empty() ? "wayland-0" : named;
  std::string path = name;
  if (name.front() != '/') {
    const std::string runtime = value_of(environment, "XDG_RUNTIME_DIR");
    if (runtime.empty()) {
      return {false, named.empty()
                         ? "WAYLAND_DISPLAY is not set (no Wayland compositor)"
                         : "WAYLAND_DISPLAY is set but XDG_RUNTIME_DIR, where its socket lives, is not"};
    }
    path = runtime + "/" + name;
  }
  if (socket_exists(path)) return {true, {}};
  if (named.empty()) return {false, "WAYLAND_DISPLAY is not set (no Wayland compositor)"};
  return {false, "no Wayland compositor listens at " + path + " (WAYLAND_DISPLAY=" + named + ")"};
}

// Messages Qt writes about the platform while it starts, held back until it
// is known whether the platform came up.
struct HeldMessage {
  QtMsgType type;
  std::string file, function, category;
  int line;
  QString text;
};

QtMessageHandler g_previous_handler = nullptr;
std::vector<HeldMessage>* g_held = nullptr;

bool is_platform_category(const char* category) {
  return category && std::string_view(category).substr(0, 6) == "qt.qpa";
}

void platform_start_handler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // The window system's own first word says most ("could not connect to
    // display :3"); Qt's closing line only says that no platform started.
    QString reason;
    for (const HeldMessage& held : *g_held) {
      if (!held.text.trimmed().isEmpty()) {
        reason = held.text.trimmed();
        break;
      }
    }
    if (reason.isEmpty()) reason = text.section('\n', 0, 0).trimmed();
    const std::string line = no_display_message(reason.toStdString()) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (is_platform_category(context.category)) {
    g_held->push_back({type, context.file ? context.file : "", context.function ? context.function : "",
                       context.category, context.line, text});
    return;
  }
  if (g_previous_handler) g_previous_handler(type, context, text);
}

}  // namespace

PlatformChoice choose_platform(const EnvironmentLookup& environment, const SocketExists& socket_exists) {
  const bool x11 = !value_of(environment, "DISPLAY").empty();
  const std::string asked = value_of(environment, "QT_QPA_PLATFORM");
  if (asked.empty()) {
#if defined(__linux__)
    if (x11) return {"xcb", {}};
    const WaylandSocket wayland = wayland_socket(environment, socket_exists);
    if (wayland.running) return {"wayland", {}};
    // Each reason says what it means for a compositor once.
    return {{}, "DISPLAY is not set (no X server) and " + wayland.why_not};
#else
    return {};
#endif
  }

  // QT_QPA_PLATFORM may list several platforms to try in turn; any one that
  // can open its display will do.
  std::string why_not;
  std::size_t start = 0;
  while (start <= asked.size()) {
    std::size_t end = asked.find(';', start);
    if (end == std::string::npos) end = asked.size();
    const std::string entry = asked.substr(start, end - start);
    start = end + 1;
    if (entry.empty()) continue;
    switch (kind_of(entry)) {
      case DisplayKind::other:
        return {};
      case DisplayKind::x11:
        if (x11) return {};
        if (!why_not.empty()) why_not += "; ";
        why_not += "QT_QPA_PLATFORM asks for X11 (" + entry + ") but DISPLAY is not set";
        break;
      case DisplayKind::wayland: {
        const WaylandSocket wayland = wayland_socket(environment, socket_exists);
        if (wayland.running) return {};
        if (!why_not.empty()) why_not += "; ";
        why_not += "QT_QPA_PLATFORM asks for Wayland (" + entry + ") but " + wayland.why_not;
        break;
      }
    }
  }
  if (why_not.empty()) return {};
  return {{}, why_not};
}

PlatformChoice choose_platform() {
  return choose_platform(
      [](const char* name) -> std::optional<std::string> {
        if (!qEnvironmentVariableIsSet(name)) return std::nullopt;
        return qEnvironmentVariable(name).toStdString();
      },
      [](const std::string& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0;
      });
}

std::string no_display_message(const std::string& missing) {
  return "hero50: cannot open a display: " + missing;
}

PlatformStartGuard::PlatformStartGuard() {
  g_held = new std::vector<HeldMessage>;
  g_previous_handler = qInstallMessageHandler(platform_start_handler);
}

PlatformStartGuard::~PlatformStartGuard() {
  qInstallMessageHandler(g_previous_handler);
  // The platform started: what it said on the way is passed on as it was.
  for (const HeldMessage& held : *g_held) {
    const QMessageLogContext context(held.file.c_str(), held.line, held.function.c_str(),
                                     held.category.c_str());
    qt_message_output(held.type, context, held.text);
  }
  delete g_held;
  g_held = nullptr;
  g_previous_handler = nullptr;
}

}  // namespace hero
