// Recording a session in the main window: what the script holds, the times
// it gives the events on a loaded machine, and that hero-trace plays every
// recording through the same states.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "replay_support.h"

namespace hero::test {
namespace {

using ms = std::chrono::milliseconds;
using us = std::chrono::microseconds;

std::vector<std::string> command_lines(const std::string& recording) {
  std::vector<std::string> out;
  for (const std::string& line : lines_of(recording))
    if (!line.empty() && line[0] != '#' && line.rfind("show", 0) != 0) out.push_back(line);
  return out;
}

// --- What a recording holds -----------------------------------------------

TEST(Recording, WritesThePressesTheDrawsAndAShowAfterEveryEvent) {
  RecordedWindow w;
  w.switch_on();
  w.at(ms(1000) + us(300));
  w.key(kGameA, true);
  w.at(ms(1100) + us(600));
  w.key(kGameA, false);
  w.deliver_next();
  const auto commands = command_lines(w.text());
  // The start offset the release drew comes before the wait that leads to it.
  const std::vector<std::string> tail(commands.end() - 6, commands.end());
  EXPECT_EQ(tail[0], "wait 1000");
  EXPECT_EQ(tail[1], "press game_a");
  EXPECT_EQ(tail[2].rfind("draw ", 0), 0u);
  EXPECT_EQ(tail[3], "wait 100");
  EXPECT_EQ(tail[4], "release game_a");
  EXPECT_EQ(tail[5].rfind("wait ", 0), 0u);
  const auto shows = noted_shows(w.text());
  ASSERT_EQ(shows.size(), 4u);
  EXPECT_EQ(time_of(shows[1]), 1000);
  EXPECT_EQ(field(shows[1], "mode"), "4");
  EXPECT_EQ(time_of(shows[2]), 1100);
  EXPECT_EQ(field(shows[2], "mode"), "5");
  EXPECT_EQ(time_of(shows[3]), 1100 + std::stoi(field(shows[2], "timers").substr(5)));
  expect_replays_exactly(w.text());
}

TEST(Recording, BeforeSwitchOnTheHandheldTakesNoControl) {
  RecordedWindow w;
  w.key(kAcl, true);
  w.key(kAcl, false);
  EXPECT_EQ(w.form().engine().state().game_mode, 0);
  EXPECT_FALSE(w.form().scene().is_visible(ElementId::im_hero_x2));
  EXPECT_TRUE(command_lines(w.text()).empty());
}

TEST(Recording, IsOnDiskLineByLineAsTheGameGoes) {
  const auto path = std::filesystem::temp_directory_path() / ("hero-recording-" + std::to_string(::getpid()));
  std::ofstream file(path);
  RecordedWindow w(&file);
  auto on_disk = [&] {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  w.switch_on();
  std::size_t lines_before = 0;
  for (int i = 0; i < 30; ++i) {
    if (i % 3 == 0) w.tap(i % 2 ? kLeft : kGameA);
    else if (w.next_due()) w.deliver_next();
    const std::string text = on_disk();
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n') << "every event ends with a whole line";
    const auto lines = lines_of(text);
    EXPECT_EQ(lines.back().rfind("show # ", 0), 0u) << "the event's show is written with it";
    EXPECT_GT(lines.size(), lines_before);
    lines_before = lines.size();
  }
  std::filesystem::remove(path);
}

TEST(Recording, AStopEndsItWithTheReasonAndTheHandheldPlaysOn) {
  RecordedWindow w;
  w.switch_on();
  w.tap(kGameA);
  w.recorder().stop("the high scores were reset");
  const std::string before = w.text();
  w.key(kLeft, true);
  EXPECT_EQ(w.form().engine().state().hero_lane, 3) << "the control still reaches the engine";
  EXPECT_EQ(w.text(), before);
  EXPECT_NE(before.find("# the high scores were reset\n"), std::string::npos);
  EXPECT_FALSE(w.recorder().recording());
}

TEST(Recording, AFileThatCannotBeWrittenIsReportedOnceAndTheGameGoesOn) {
  std::ofstream full("/dev/full");
  ASSERT_TRUE(full) << "this test needs /dev/full";
  std::vector<std::string> reports;
  qt_app();
  SilentSound sound;
  SteadyTime now = std::chrono::steady_clock::now();
  SessionRecorder recorder(
      full, [&] { return now; }, [&](const std::string& m) { reports.push_back(m); });
  TForm1 form(
      std::make_unique<MemorySettingsStore>(), sound, [&] { return now; }, nullptr, &recorder);
  recorder.start(form.engine());
  form.FormKeyDown(kGameA);
  form.FormKeyUp(kGameA);
  EXPECT_EQ(form.engine().state().game_mode, mode_game_a);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("could not be written"), std::string::npos);
  EXPECT_FALSE(recorder.recording());
}

// --- The engine's own time ------------------------------------------------

TEST(RecordingTime, AKeyAfterAnOverdueTickComesBeforeItAndTheTickKeepsItsDeadline) {
  RecordedWindow w;
  w.switch_on();
  w.at(ms(1000) + us(300));
  w.key(kGameA, true);
  w.at(ms(1100) + us(600));
  w.key(kGameA, false);
  const auto due = w.next_due();
  ASSERT_TRUE(due);
  const int interval = w.form().timer(TimerId::Game).interval_ms();
  // The event loop is 5 ms late with the tick, and the key comes first.
  w.now = due->second + ms(5);
  w.key(kLeft, true);
  w.deliver(due->first, w.now);
  const auto shows = noted_shows(w.text());
  ASSERT_GE(shows.size(), 2u);
  const std::string& key_show = shows[shows.size() - 2];
  const std::string& tick_show = shows.back();
  EXPECT_EQ(time_of(tick_show), 1100 + interval);
  EXPECT_EQ(time_of(key_show), 1100 + interval - 1);
  EXPECT_EQ(field(key_show, "hero"), "3");
  expect_replays_exactly(w.text());
}

TEST(RecordingTime, TicksKeepTheirBeatAfterALateDeliveryAndKeysCountFromTheDeadline) {
  RecordedWindow w;
  w.switch_on();
  w.tap(kGameA);
  w.deliver_next();
  const auto first = time_of(noted_shows(w.text()).back());
  const int interval = w.form().timer(TimerId::Game).interval_ms();
  w.deliver_next(ms(40));  // delivered 40 ms late
  const auto second = time_of(noted_shows(w.text()).back());
  EXPECT_EQ(second, first + interval);
  // 60 ms after the late tick's deadline, 20 ms after it was delivered.
  w.now += ms(20);
  w.key(kRight, true);
  EXPECT_EQ(time_of(noted_shows(w.text()).back()), second + 60);
  expect_replays_exactly(w.text());
}

TEST(RecordingTime, AStalledLoopThatSkipsBeatsStillReplays) {
  RecordedWindow w;
  w.switch_on();
  w.tap(kGameA);
  for (int i = 0; i < 5; ++i) w.deliver_next();
  const int interval = w.form().timer(TimerId::Game).interval_ms();
  const auto before = time_of(noted_shows(w.text()).back());
  // Three beats late: the window's timer skips them and restarts from now.
  w.deliver_next(ms(3 * interval + 2));
  w.deliver_next();
  const auto shows = noted_shows(w.text());
  EXPECT_EQ(time_of(shows[shows.size() - 2]), before + interval);
  EXPECT_EQ(time_of(shows.back()),
            before + interval + std::stoi(field(shows[shows.size() - 2], "timers").substr(5)));
  expect_replays_exactly(w.text());
}

TEST(RecordingTime, RestlessPlayOnALoadedMachineReplaysLineForLine) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RecordedWindow w;
    w.switch_on();
    const int overdue = w.play_randomly(seed, 4000);
    EXPECT_GT(overdue, 10) << "keys must also come after overdue deadlines";
    const std::string text = w.text();
    EXPECT_NE(text.find(" mode=5 "), std::string::npos);
    EXPECT_NE(text.find(" mode=8 "), std::string::npos) << "games must also run to their end";
    expect_replays_exactly(text);
  }
}

// --- The time of day ----------------------------------------------------------

// The engine on made-up services, so that the time of day can be set.
struct BareHandheld {
  BareHandheld() : recorder(out, [this] { return now; }) {
    engine = std::make_unique<Engine>(
        recorder.wire(EngineServices{lcd, time.timer_pointers(), sound, store, random, clock}));
  }
  void wait(std::int64_t span_ms) {
    time.advance(span_ms, [this](TimerId id) {
      now = origin + ms(time.now_ms());
      recorder.timer_expiring(id, now);
      engine->on_timer(id);
      recorder.timer_expired(id);
    });
    now = origin + ms(time.now_ms());
  }
  void tap(Button b) {
    recorder.control_arriving(b, true);
    engine->press(b);
    recorder.control_done(b, true);
    recorder.control_arriving(b, false);
    engine->release(b);
    recorder.control_done(b, false);
  }

  VirtualSurface lcd;
  VirtualTime time;
  ScriptedRandom random{7};
  FixedClock clock;
  RecordingSoundSink sound;
  MemorySettingsStore store;
  std::ostringstream out;
  SteadyTime origin = std::chrono::steady_clock::now();
  SteadyTime now = origin;
  SessionRecorder recorder;
  std::unique_ptr<Engine> engine;
};

TEST(RecordingClock, WritesTheTimeOfDayWhenTheClockReadsANewMinute) {
  BareHandheld h;
  h.clock.set({10, 59});
  h.recorder.start(*h.engine);
  h.tap(Button::time);
  h.wait(5000);
  h.clock.set({11, 0});
  h.wait(3000);
  const auto commands = command_lines(h.out.str());
  std::vector<std::string> clocks;
  for (const auto& c : commands)
    if (c.rfind("clock ", 0) == 0) clocks.push_back(c);
  EXPECT_EQ(clocks, (std::vector<std::string>{"clock 10:59", "clock 11:00"}));
  const auto shows = noted_shows(h.out.str());
  EXPECT_EQ(field(shows.back(), "panel"), "\"1100\"");
  expect_replays_exactly(h.out.str());
}

TEST(RecordingClock, NotesANewMinuteDuringAGameToo) {
  BareHandheld h;
  h.clock.set({23, 58});
  h.recorder.start(*h.engine);
  h.tap(Button::game_a);
  h.wait(1000);
  h.clock.set({23, 59});
  h.wait(1000);
  const auto commands = command_lines(h.out.str());
  const auto clocks = std::count_if(commands.begin(), commands.end(),
                                    [](const std::string& c) { return c.rfind("clock ", 0) == 0; });
  EXPECT_EQ(clocks, 2);
  EXPECT_NE(h.out.str().find("clock 23:59\nwait "), std::string::npos);
  expect_replays_exactly(h.out.str());
}

}  // namespace
}  // namespace hero::test
