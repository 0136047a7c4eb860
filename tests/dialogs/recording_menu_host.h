// A menu host for tests: records what the menu's commands asked of the rest
// of the program, in order, and keeps what they stored in memory.
#pragma once

#include <QSize>
#include <QWidget>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/menus/menu.h"
#include "engine/memory_settings_store.h"
#include "engine/settings_values.h"

namespace hero::test {

// Records what the commands asked of the rest of the program, in order.
class RecordingHost : public MenuHost {
 public:
  RecordingHost() { window.resize(800, 600); }
  QWidget* main_window() override { return &window; }
  SettingsStore& settings() override { return store; }
  bool splash_checkbox_ticked() const override { return checkbox; }
  bool fullscreen_mode() const override { return fullscreen; }
  void switch_fullscreen_mode(bool on) override {
    // As the main window does: the store first, then the mode.
    settings::write(store, settings::kFullscreenMode, on);
    fullscreen = on;
    calls.push_back(on ? "fullscreen on" : "fullscreen off");
    backdrop = kGameMenuClosedSize;  // every skin load resets the menu button
  }
  void reset_high_scores() override {
    hi_a = 0;
    hi_b = 0;
    calls.push_back("high scores");
  }
  void show_about() override { calls.push_back("about"); }
  void show_manual() override { calls.push_back("manual"); }
  void show_key_settings() override { calls.push_back("keys"); }
  // Zoom, FullscreenFit and Mute are in use as last stored.
  LiveValue<std::int32_t> live(const settings::Integer& value) override {
    if (&value != &settings::kZoom) return {};
    return {[this] { return zoom; }, nullptr,
            [this] {
              zoom = settings::read(store, settings::kZoom);
              calls.push_back("zoom " + std::to_string(zoom));
            }};
  }
  LiveValue<bool> live(const settings::Flag& value) override {
    bool* in_use = &value == &settings::kFullscreenFit ? &fit : &value == &settings::kMute ? &mute : nullptr;
    if (!in_use) return {};
    return {[in_use] { return *in_use; }, nullptr,
            [this, in_use, &value] { *in_use = settings::read(store, value); }};
  }
  void zoom_step(int direction) override { calls.push_back(direction > 0 ? "zoom in" : "zoom out"); }
  bool key_bound(int virtual_key) const override {
    return std::find(bound_keys.begin(), bound_keys.end(), virtual_key) != bound_keys.end();
  }
  void show_preferences() override { calls.push_back("preferences"); }
  std::optional<int> best_game_score(char game) const override { return game == 'A' ? best_a : std::nullopt; }
  void watch_best_game(char game) override { calls.push_back(std::string("watch ") + game); }
  void open_games_folder() override { calls.push_back("games folder"); }
  void set_game_menu_backdrop_size(QSize size) override { backdrop = size; }
  void game_menu_shown(bool) override {}
  void beep() override { calls.push_back("beep"); }
  void request_termination() override { calls.push_back("terminate"); }

  QWidget window;
  MemorySettingsStore store;
  bool checkbox = true;
  bool fullscreen = false;
  int zoom = 100;
  bool fit = false;
  bool mute = false;
  int hi_a = 120, hi_b = 340;
  QSize backdrop = kGameMenuClosedSize;
  std::vector<std::string> calls;
  std::optional<int> best_a;    // the best Game A kept, if any
  std::vector<int> bound_keys;  // virtual-key codes the bindings use
};

}  // namespace hero::test
