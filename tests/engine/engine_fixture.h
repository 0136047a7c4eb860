// Shared set-up for the engine suites: a virtual handheld, switched on, with
// helpers to start games and step from one timer event to the next.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "startup/session/virtual_handheld.h"

namespace hero::test {

class EngineTest : public ::testing::Test {
 protected:
  VirtualHandheld hh;

  Engine& engine() { return hh.engine(); }
  // The state as tests set it up and read it.
  EngineState& st() { return hh.state_for_tests(); }
  bool lit(ElementId id) const { return const_cast<VirtualHandheld&>(hh).surface().is_visible(id); }
  std::int64_t now() { return hh.time().now_ms(); }
  const VirtualTimer& timer(TimerId id) { return hh.time().timer(id); }
  std::vector<std::string> sounds() { return hh.sound().take(); }

  // Switched on (all segments lit), then a game started with the given
  // start offset and the hero in the middle lane.
  void start_game(int start_offset, Button game = Button::game_a) {
    hh.start();
    hh.press(game);
    hh.random().queue(start_offset);
    hh.release(game);
    sounds();
  }

  // Runs up to and including the next timer event and returns which it was.
  TimerId next_event() {
    const auto id = hh.next_event(10'000'000);
    if (!id) ADD_FAILURE() << "no timer event is due";
    return id.value_or(TimerId::Clock);
  }

  // Runs events until the given timer fires; returns the moment it fired.
  std::int64_t run_until(TimerId wanted, int max_events = 10'000) {
    for (int i = 0; i < max_events; ++i)
      if (next_event() == wanted) return now();
    ADD_FAILURE() << "timer " << timer_name(wanted) << " never fired";
    return -1;
  }

  void tick() { run_until(TimerId::Game); }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) tick();
  }

  // Clears the object grid and places single objects for a scenario.
  void clear_cells() {
    for (auto& lane : st().object_cells) lane.fill(cell_empty);
  }
};

}  // namespace hero::test
