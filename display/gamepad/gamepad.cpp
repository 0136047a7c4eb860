#include "display/gamepad/gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <utility>

#include "engine/settings_values.h"

namespace hero {

namespace {

static_assert(settings::kPads.size() == kKeyActionCount);

constexpr int kEventBatch = 64;

}  // namespace

// ---- Mappings -------------------------------------------------------------------

PadBindings::PadBindings() { restore_defaults(); }

void PadBindings::restore_defaults() {
  for (int i = 0; i < kKeyActionCount; ++i)
    buttons_[static_cast<std::size_t>(i)] = default_button(static_cast<KeyAction>(i));
}

PadButton PadBindings::default_button(KeyAction action) {
  return SDL_GameControllerGetButtonFromString(
      settings::kPads[static_cast<std::size_t>(action)].default_value.data());
}

std::string PadBindings::value_name(int n) {
  return std::string(settings::kPads.at(static_cast<std::size_t>(n - 1)).name);
}

int PadBindings::button_count() { return SDL_CONTROLLER_BUTTON_MAX; }

std::string PadBindings::button_name(PadButton button) {
  if (button < 0 || button >= SDL_CONTROLLER_BUTTON_MAX) return std::string();
  const char* name = SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(button));
  return name != nullptr ? std::string(name) : std::string();
}

std::optional<PadButton> PadBindings::button_by_name(std::string_view name) {
  // Compared here rather than by SDL, which also takes names of other
  // controller families ("cross") that it would never write back.
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
    const std::string own = button_name(b);
    if (!own.empty() && own == name) return b;
  }
  return std::nullopt;
}

std::string PadBindings::button_caption(PadButton button) {
  // clang-format off
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 21> kCaptions = {{
      {"a", "A"},
      {"b", "B"},
      {"x", "X"},
      {"y", "Y"},
      {"back", "Back"},
      {"guide", "Guide"},
      {"start", "Start"},
      {"leftstick", "Left stick press"},
      {"rightstick", "Right stick press"},
      {"leftshoulder", "Left shoulder"},
      {"rightshoulder", "Right shoulder"},
      {"dpup", "D-pad up"},
      {"dpdown", "D-pad down"},
      {"dpleft", "D-pad left"},
      {"dpright", "D-pad right"},
      {"misc1", "Share"},
      {"paddle1", "Paddle 1"},
      {"paddle2", "Paddle 2"},
      {"paddle3", "Paddle 3"},
      {"paddle4", "Paddle 4"},
      {"touchpad", "Touchpad"},
  }};
  // clang-format on
  std::string name = button_name(button);
  for (const auto& [sdl, caption] : kCaptions)
    if (sdl == name) return std::string(caption);
  return name;
}

void PadBindings::load(const SettingsStore& store) {
  restore_defaults();
  for (int n = 1; n <= kKeyActionCount; ++n) {
    const auto text = store.read_text(value_name(n));
    if (!text) continue;
    // As in the dialog, a button takes one control: a later value that
    // names a button already bound swaps the two.
    if (const auto b = button_by_name(*text)) set_button(static_cast<KeyAction>(n - 1), *b);
  }
}

void PadBindings::store(SettingsStore& store) const {
  for (int n = 1; n <= kKeyActionCount; ++n)
    store.write_text(value_name(n), button_name(buttons_[static_cast<std::size_t>(n - 1)]));
}

void PadBindings::set_button(KeyAction action, PadButton button) {
  if (button < 0 || button >= SDL_CONTROLLER_BUTTON_MAX) return;
  PadButton& mine = buttons_[static_cast<std::size_t>(action)];
  for (PadButton& other : buttons_)
    if (&other != &mine && other == button) other = mine;
  mine = button;
}

std::optional<KeyAction> PadBindings::action_for(PadButton button) const {
  for (int i = 0; i < kKeyActionCount; ++i)
    if (buttons_[static_cast<std::size_t>(i)] == button) return static_cast<KeyAction>(i);
  return std::nullopt;
}

// ---- Pads -----------------------------------------------------------------------

struct Gamepad::Pad {
  int instance_id = -1;
  SDL_GameController* controller = nullptr;
  std::string name;
  int stick_side = 0;  // -1 left, 0 centre, 1 right
  // How many of this pad's inputs hold each control down (the d-pad and
  // the stick may both hold LEFT); released when the pad goes.
  std::array<int, kKeyActionCount> held{};
};

Gamepad::Gamepad(const PadBindings& bindings, ControlSink sink, QObject* parent)
    : QObject(parent), bindings_(bindings), sink_(std::move(sink)) {
  // SDL's event queue starts with the subsystem; it must not take over
  // SIGINT and SIGTERM.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // No SDL window exists to have the focus: a pad works the handheld
  // whenever the handheld itself takes input.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  available_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
  timer_.setTimerType(Qt::CoarseTimer);
  connect(&timer_, &QTimer::timeout, this, &Gamepad::poll);
  if (!available_) return;
  // Pads already plugged in arrive as "added" events on the first look.
  poll();
  update_timer();
}

Gamepad::~Gamepad() {
  timer_.stop();
  if (!available_) return;
  for (Pad& p : pads_) SDL_GameControllerClose(p.controller);
  pads_.clear();
  // Only this subsystem's own share: the sound output keeps SDL's audio.
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepad::update_timer() {
  const int interval = pads_.empty() ? kIdlePollMs : kActivePollMs;
  timer_.setTimerType(pads_.empty() ? Qt::CoarseTimer : Qt::PreciseTimer);
  if (!timer_.isActive() || timer_.interval() != interval) timer_.start(interval);
}

int Gamepad::pad_count() const { return static_cast<int>(pads_.size()); }

std::vector<std::string> Gamepad::pad_names() const {
  std::vector<std::string> names;
  for (const Pad& p : pads_) names.push_back(p.name);
  return names;
}

Gamepad::Pad* Gamepad::pad(int instance_id) {
  for (Pad& p : pads_)
    if (p.instance_id == instance_id) return &p;
  return nullptr;
}

void Gamepad::open_pad(int device_index) {
  SDL_GameController* controller = SDL_GameControllerOpen(device_index);
  if (controller == nullptr) return;
  const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  if (pad(id) != nullptr) {
    // Already open (listed at start and announced again): SDL counts opens.
    SDL_GameControllerClose(controller);
    return;
  }
  Pad p;
  p.instance_id = id;
  p.controller = controller;
  const char* name = SDL_GameControllerName(controller);
  p.name = name != nullptr && name[0] != '\0' ? name : "Gamepad";
  pads_.push_back(std::move(p));
  emit pads_changed();
}

void Gamepad::close_pad(int instance_id) {
  Pad* p = pad(instance_id);
  if (p == nullptr) return;
  // A pad pulled out while a button was down lets go of it.
  for (int i = 0; i < kKeyActionCount; ++i) {
    if (p->held[static_cast<std::size_t>(i)] > 0) {
      p->held[static_cast<std::size_t>(i)] = 0;
      if (sink_) sink_(static_cast<KeyAction>(i), false);
    }
  }
  SDL_GameControllerClose(p->controller);
  pads_.erase(
      std::find_if(pads_.begin(), pads_.end(), [&](const Pad& q) { return q.instance_id == instance_id; }));
  emit pads_changed();
}

void Gamepad::hold(Pad& p, KeyAction action, bool down) {
  int& count = p.held[static_cast<std::size_t>(action)];
  if (down) {
    // A second input on the same control (d-pad and stick) adds nothing: a
    // pad never repeats a press it did not see released.
    if (count++ == 0 && sink_) sink_(action, true);
  } else if (count > 0) {
    if (--count == 0 && sink_) sink_(action, false);
  }
}

void Gamepad::button_event(Pad& p, PadButton button, bool down) {
  if (down && capture_) {
    auto capture = std::move(capture_);
    capture_ = nullptr;
    capture(button);
    return;
  }
  const auto action = bindings_.action_for(button);
  if (action) hold(p, *action, down);
}

void Gamepad::stick_event(Pad& p, int value) {
  int side = p.stick_side;
  if (value <= -kStickPressAt) {
    side = -1;
  } else if (value >= kStickPressAt) {
    side = 1;
  } else if (value > -kStickReleaseUnder && value < kStickReleaseUnder) {
    side = 0;
  }
  if (side == p.stick_side) return;
  if (p.stick_side != 0) hold(p, p.stick_side < 0 ? KeyAction::left : KeyAction::right, false);
  p.stick_side = side;
  if (side != 0) hold(p, side < 0 ? KeyAction::left : KeyAction::right, true);
}

void Gamepad::poll() {
  if (!available_) return;
  SDL_PumpEvents();
  std::array<SDL_Event, kEventBatch> events{};
  int count = 0;
  while ((count = SDL_PeepEvents(events.data(), kEventBatch, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION,
                                 SDL_CONTROLLERSENSORUPDATE)) > 0) {
    for (int i = 0; i < count; ++i) {
      const SDL_Event& e = events[static_cast<std::size_t>(i)];
      switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
          open_pad(e.cdevice.which);
          break;
        case SDL_CONTROLLERDEVICEREMOVED:
          close_pad(e.cdevice.which);
          break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
          if (Pad* p = pad(e.cbutton.which))
            button_event(*p, e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN);
          break;
        case SDL_CONTROLLERAXISMOTION:
          if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
            if (Pad* p = pad(e.caxis.which)) stick_event(*p, e.caxis.value);
          break;
        default:
          break;
      }
    }
    if (count < kEventBatch) break;
  }
  // Nothing else reads SDL's queue here (sound needs none of it): what is
  // left, raw joystick events among it, is dropped so it cannot pile up.
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  update_timer();
}

void Gamepad::capture_next_button(std::function<void(PadButton)> capture) { capture_ = std::move(capture); }

}  // namespace hero
