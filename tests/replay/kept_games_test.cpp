// Every game kept: the program writes each session down by itself, keeps a
// game that beats the high score as the best game (a whole recording that
// verifies), the ten last games, a game the program ended in the middle, and
// what a killed copy left behind; a reset of the high scores makes the best
// games past ones.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <random>

#include "display/window/unit1.h"
#include "startup/session/kept_games.h"
#include "startup/session/recording_file.h"
#include "tests/program/program_fixture.h"
#include "tests/support/files.h"

namespace hero::test {
namespace {

namespace fs = std::filesystem;

class KeptGamesProgram : public ProgramTest {
 protected:
  fs::path games() const { return fs::path(dir.path().toStdString()) / "data"; }
  // Changes to a run's services before it starts.
  std::function<void(ProgramServices&)> stored_services_hook;

  void start_playing(std::vector<std::pair<std::string, std::string>> stored = {}) {
    stored.insert(stored.begin(), {{"SplashScreen", "0"}, {"Skin", "1"}, {"SoundMode", "0"}});
    program.reset();
    ProgramServices services = services_with(memory_store(stored));
    services.games_folder = games();
    if (stored_services_hook) stored_services_hook(services);
    program = std::make_unique<HeroProgram>(std::move(services));
  }

  void key(int qt_key, QEvent::Type type) {
    QKeyEvent event(type, qt_key, Qt::NoModifier);
    QApplication::sendEvent(&program->form(), &event);
  }
  void tap(int qt_key) {
    key(qt_key, QEvent::KeyPress);
    key(qt_key, QEvent::KeyRelease);
  }

  // The window's timer due first gets its expiry.
  void deliver_next() {
    std::optional<std::pair<TimerId, SteadyTime>> best;
    for (int i = 0; i < kTimerCount; ++i) {
      const auto id = static_cast<TimerId>(i);
      const auto due = program->form().timer(id).deadline();
      if (due && (!best || *due < best->second)) best = std::make_pair(id, *due);
    }
    ASSERT_TRUE(best);
    program->form().timer(best->first).deliver_expiry();
  }

  const EngineState& state() { return program->form().engine().state(); }

  // GAME A, played with moves now and then until its game over; its score.
  int play_game_a(std::uint32_t seed) {
    tap(Qt::Key_1);
    std::mt19937 rng(seed);
    for (int step = 0; step < 200000 && state().game_mode != mode_game_over; ++step) {
      if (rng() % 6 == 0) tap(rng() % 2 ? Qt::Key_Left : Qt::Key_Right);
      deliver_next();
    }
    EXPECT_EQ(state().game_mode, mode_game_over);
    return state().score;
  }

  static RecordingCheck checked(const fs::path& file) {
    std::string error;
    const std::optional<Recording> recording = open_recording(file.string(), error);
    EXPECT_TRUE(recording) << error;
    return recording ? check_recording(*recording) : RecordingCheck{};
  }
};

// A game that beats the stored score is kept whole as the best game: it
// verifies with the score the store now holds. A lesser game is only a past
// game; a reset makes the best game a past game too, and nothing is lost.
TEST_F(KeptGamesProgram, TheGameThatSetTheHighScoreIsKeptAndVerifies) {
  start_playing();
  int score = 0;
  for (std::uint32_t seed = 1; seed < 20 && score == 0; ++seed) score = play_game_a(seed);
  ASSERT_GT(score, 0);
  ASSERT_EQ(stored("HiScore1"), std::to_string(score));
  const RecordingCheck best = checked(games() / "best-game-a.trace");
  EXPECT_TRUE(best.verified()) << best.summary();
  EXPECT_EQ(best.score, score);
  ASSERT_TRUE(program->kept_games()->best('A'));
  EXPECT_EQ(program->kept_games()->best('A')->score, score);
  EXPECT_FALSE(program->kept_games()->best('B'));
  const std::size_t past = program->kept_games()->past_games().size();
  EXPECT_GE(past, 1U);

  // Three more games: each is a past game, and the best game is always the
  // one whose score the store holds (untouched by a lesser game).
  for (int n = 0; n < 3; ++n) {
    const std::string best_before = read_file(games() / "best-game-a.trace");
    const std::string hi_before = *stored("HiScore1");
    const int next = play_game_a(100 + n);
    if (next <= std::stoi(hi_before)) {
      EXPECT_EQ(read_file(games() / "best-game-a.trace"), best_before);
    }
    const RecordingCheck again = checked(games() / "best-game-a.trace");
    EXPECT_TRUE(again.verified()) << again.summary();
    EXPECT_EQ(std::to_string(again.score), stored("HiScore1"));
  }
  EXPECT_EQ(program->kept_games()->past_games().size(), past + 3);

  program->menu().run_command(pm_8_hiscore);
  EXPECT_EQ(stored("HiScore1"), "0");
  EXPECT_FALSE(fs::exists(games() / "best-game-a.trace"));
  const auto games_now = program->kept_games()->past_games();
  ASSERT_EQ(games_now.size(), past + 4);
  EXPECT_NE(games_now.back().filename().string().find("former-best-game-a"), std::string::npos)
      << games_now.back();
  EXPECT_TRUE(checked(games_now.back()).verified());
}

// "Watch best Game A" pauses a game under way and plays the best game back
// with the program's own --replay in the handheld's place, which comes back
// when that ends; Game B, with no game kept, cannot be watched.
TEST_F(KeptGamesProgram, WatchingTheBestGamePlaysItBackInTheHandheldsPlace) {
  const fs::path player = fs::path(dir.path().toStdString()) / "player.sh";
  const fs::path arguments = fs::path(dir.path().toStdString()) / "arguments";
  std::ofstream(player) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << arguments.string() << "'\n";
  fs::permissions(player, fs::perms::owner_all);
  stored_services_hook = [&](ProgramServices& services) { services.program_file = player; };
  start_playing();
  int score = 0;
  for (std::uint32_t seed = 1; seed < 20 && score == 0; ++seed) score = play_game_a(seed);
  ASSERT_GT(score, 0);
  for (int i = 0; i < 4 && state().game_mode == mode_game_over; ++i) deliver_next();
  tap(Qt::Key_1);
  for (int i = 0; i < 10; ++i) deliver_next();
  ASSERT_EQ(state().game_mode, mode_game_a);

  const auto& items = program->menu().best_games_items();
  emit program->menu().best_games_menu()->aboutToShow();
  EXPECT_EQ(items[0]->text(), QString("Watch best Game A (%1)").arg(score));
  EXPECT_FALSE(items[1]->isEnabled());
  items[1]->trigger();
  EXPECT_FALSE(fs::exists(arguments));
  items[0]->trigger();
  EXPECT_TRUE(state().paused) << "the game under way waits";
  EXPECT_FALSE(program->form().isVisible());
  ASSERT_TRUE(QTest::qWaitFor([&] { return program->form().isVisible(); }, 10000));
  EXPECT_EQ(read_file(arguments), "--replay\n" + (games() / "best-game-a.trace").string() + "\n");
  EXPECT_TRUE(state().paused);
}

// A game played below full speed stores no high score (a reset still does
// its work) and is kept apart, as the best assisted game, verifying alike.
TEST_F(KeptGamesProgram, AnAssistedGameStoresNoHighScoreAndIsKeptApart) {
  start_playing({{"GameSpeed", "60"}, {"HiScore1", "0"}});
  EXPECT_EQ(program->form().game_speed(), 60);
  int score = 0;
  for (std::uint32_t seed = 1; seed < 20 && score == 0; ++seed) score = play_game_a(seed);
  ASSERT_GT(score, 0);
  EXPECT_TRUE(program->form().assisted_game());
  EXPECT_EQ(stored("HiScore1"), "0");
  EXPECT_FALSE(fs::exists(games() / "best-game-a.trace"));
  ASSERT_TRUE(program->kept_games()->best('A', true));
  EXPECT_EQ(program->kept_games()->best('A', true)->score, score);
  EXPECT_TRUE(checked(games() / "best-game-a-assist.trace").verified());
  EXPECT_NE(program->kept_games()->past_games().back().filename().string().find("-assist"),
            std::string::npos);
  store->write_text("HiScore1", "5");
  program->menu().run_command(pm_8_hiscore);
  EXPECT_EQ(stored("HiScore1"), "0") << "a reset goes through";
}

// The program's end during a game keeps it as an unfinished past game, and
// the session's own file goes; a session outside any game keeps nothing.
TEST_F(KeptGamesProgram, AGameUnderWayAtTheEndIsKeptUnfinished) {
  start_playing();
  program.reset();
  EXPECT_TRUE(fs::is_empty(games() / "sessions"));
  EXPECT_FALSE(fs::exists(games() / "past-games"));

  start_playing();
  tap(Qt::Key_1);
  for (int i = 0; i < 30; ++i) deliver_next();
  ASSERT_EQ(state().game_mode, mode_game_a);
  program->FormClose();
  program.reset();
  EXPECT_TRUE(fs::is_empty(games() / "sessions"));
  KeptGames kept(games());
  ASSERT_EQ(kept.past_games().size(), 1U);
  const std::string name = kept.past_games().front().filename().string();
  EXPECT_NE(name.find("-game-a-"), std::string::npos) << name;
  EXPECT_NE(name.find("-unfinished.trace"), std::string::npos) << name;
  const RecordingCheck unfinished = checked(kept.past_games().front());
  EXPECT_EQ(unfinished.agreed, unfinished.noted);
  EXPECT_GT(unfinished.noted, 20);
  EXPECT_FALSE(unfinished.verified());
}

// A game the program ended in goes on at the next start from the menu,
// paused exactly where it was left, and its whole recording verifies once
// played on to its game over. A session a killed copy left in the middle of
// a game (here, that continued game) goes on the same way, without its last
// PAUSE, here by the setting that continues at start; a recording changed by
// hand is refused and stays a past game.
TEST_F(KeptGamesProgram, AGameLeftUnfinishedGoesOnWhereItWasLeftAndVerifiesWhole) {
  const auto same_game = [](const EngineState& a, const EngineState& b) {
    EXPECT_EQ(a.game_mode, b.game_mode);
    EXPECT_EQ(a.score, b.score);
    EXPECT_EQ(a.misses, b.misses);
    EXPECT_EQ(a.hero_lane, b.hero_lane);
    EXPECT_EQ(a.rogue_side, b.rogue_side);
    EXPECT_EQ(a.rogue_phase, b.rogue_phase);
    EXPECT_EQ(a.thrower_lane, b.thrower_lane);
    EXPECT_EQ(a.object_cells, b.object_cells);
    EXPECT_TRUE(b.paused);
  };
  const auto continue_item = [this] {
    program->menu().pm_0_menu()->popup(QPoint(0, 0));
    QAction* item = program->menu().continue_item();
    program->menu().pm_0_menu()->hide();
    return item;
  };
  start_playing();
  EXPECT_FALSE(continue_item()->isVisible()) << "nothing to go on with yet";
  tap(Qt::Key_1);
  std::mt19937 rng(5);
  for (int i = 0; i < 60; ++i) {
    if (rng() % 5 == 0) tap(rng() % 2 ? Qt::Key_Left : Qt::Key_Right);
    deliver_next();
  }
  ASSERT_EQ(state().game_mode, mode_game_a);
  program->FormClose();
  const EngineState left = state();
  ASSERT_TRUE(left.paused) << "ended as if PAUSE had been pressed";
  program.reset();

  start_playing();
  QAction* item = continue_item();
  ASSERT_TRUE(item->isVisible());
  EXPECT_EQ(item->text().toStdString(),
            "Continue the game left unfinished (Game A, score " + std::to_string(left.score) + ")");
  item->trigger();
  same_game(left, state());
  EXPECT_FALSE(fs::exists(games() / "unfinished-game.trace"));
  EXPECT_FALSE(continue_item()->isVisible()) << "a game under way is not given up";

  // Played on, and left by a kill half-way.
  tap(Qt::Key_Space);
  ASSERT_FALSE(state().paused);
  for (int i = 0; i < 40; ++i) deliver_next();
  const fs::path sessions = games() / "sessions";
  ASSERT_EQ(std::distance(fs::directory_iterator(sessions), fs::directory_iterator()), 1);
  fs::copy_file(fs::directory_iterator(sessions)->path(), sessions / "session-999999999.trace");
  const EngineState killed = state();
  for (int step = 0; step < 200000 && state().game_mode != mode_game_over; ++step) {
    if (rng() % 6 == 0) tap(rng() % 2 ? Qt::Key_Left : Qt::Key_Right);
    deliver_next();
  }
  ASSERT_EQ(state().game_mode, mode_game_over);
  const int final_score = state().score;
  program->FormClose();
  program.reset();
  KeptGames kept(games());
  const RecordingCheck whole = checked(kept.past_games().back());
  EXPECT_TRUE(whole.verified()) << whole.summary();
  EXPECT_EQ(whole.score, final_score);
  EXPECT_FALSE(fs::exists(games() / "unfinished-game.trace"));

  // Asked for in the settings, it goes on at the start without the menu.
  ASSERT_TRUE(fs::exists(sessions / "session-999999999.trace"));
  start_playing({{"ContinueUnfinished", "1"}});
  same_game(killed, state());
  program->FormClose();
  program.reset();

  // One draw changed by hand: refused, naming its line, and kept as it was.
  const std::string text = read_file(games() / "unfinished-game.trace");
  const auto draw = text.find("\ndraw ");
  ASSERT_NE(draw, std::string::npos);
  std::string changed = text;
  changed.replace(draw + 6, 1, changed[draw + 6] == '1' ? "2" : "1");
  std::ofstream(games() / "unfinished-game.trace", std::ios::binary) << changed;
  std::vector<std::string> failures;
  stored_services_hook = [&failures](ProgramServices& services) {
    services.show_failure = [&failures](const std::string& message) { failures.push_back(message); };
  };
  start_playing();
  continue_item()->trigger();
  EXPECT_NE(state().game_mode, mode_game_a);
  ASSERT_EQ(failures.size(), 1U);
  EXPECT_NE(failures[0].find("cannot be continued: unfinished-game.trace:"), std::string::npos)
      << failures[0];
  EXPECT_FALSE(continue_item()->isVisible());
  EXPECT_EQ(read_file(kept.past_games().back()), text);
}

// Sessions left by copies that were killed: one holding a game becomes an
// unfinished past game at the next start, one without a game just goes; a
// running copy's session stays. Only the ten last games are kept.
TEST(KeptGames, LeftSessionsAreGatheredAndTenLastGamesKept) {
  const fs::path folder = fs::temp_directory_path() / ("hero-kept-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "sessions");
  const std::string game = "start\nshow\npress game_a\nshow\n";
  std::ofstream(folder / "sessions" / "session-999999999.trace") << game;
  std::ofstream(folder / "sessions" / "session-999999998.trace") << "start\nshow\n";
  std::ofstream(folder / "sessions" / ("session-" + std::to_string(::getppid()) + ".trace")) << game;
  KeptGames kept(folder);
  kept.gather_left_sessions();
  ASSERT_EQ(kept.past_games().size(), 1U);
  EXPECT_NE(read_file(kept.past_games().front()).find(game), std::string::npos);
  EXPECT_TRUE(fs::exists(folder / "sessions" / ("session-" + std::to_string(::getppid()) + ".trace")));
  EXPECT_FALSE(fs::exists(folder / "sessions" / "session-999999998.trace"));

  const fs::path source = folder / "source.trace";
  for (int n = 1; n <= 12; ++n) {
    std::ofstream(source) << "# game " << n << "\n" << game;
    kept.keep(source, 'B', n, n == 12, true);
  }
  const auto past = kept.past_games();
  ASSERT_EQ(past.size(), 10U);
  EXPECT_NE(read_file(past.front()).find("# game 3\n"), std::string::npos) << "the oldest went first";
  EXPECT_NE(read_file(past.back()).find("# game 12\n"), std::string::npos);
  ASSERT_TRUE(kept.best('B'));
  EXPECT_EQ(kept.best('B')->score, 12);
  EXPECT_EQ(read_file(kept.best_file('B')), read_file(past.back()));
  fs::remove_all(folder);
}

// A copy killed (SIGKILL) at any moment while it keeps new best games leaves
// the best game whole: the old one or a new one, never a torn file.
TEST(KeptGames, AKillAtAnyMomentLeavesAWholeBestGame) {
  const fs::path folder = fs::temp_directory_path() / ("hero-killed-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  // Versions of different sizes, each whole only with its last line.
  const auto version = [](int n) {
    std::string text = "# version " + std::to_string(n) + "\n";
    for (int line = 0; line < 20000 + 5000 * (n % 7); ++line) text += "wait 1\nshow\n";
    return text + "# end of version " + std::to_string(n) + "\n";
  };
  std::ofstream(folder / "source.trace") << version(0);
  KeptGames(folder).keep(folder / "source.trace", 'A', 0, true, true);
  std::mt19937 rng(7);
  for (int kill = 0; kill < 25; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      KeptGames kept(folder);
      const fs::path source = folder / ("source-" + std::to_string(::getpid()) + ".trace");
      for (int n = 1;; ++n) {
        std::ofstream(source) << version(n);
        kept.keep(source, 'A', n, true, true);
      }
    }
    ::usleep(static_cast<useconds_t>(2000 + rng() % 60000));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::string best = read_file(folder / "best-game-a.trace");
    const auto first_line_end = best.find('\n');
    ASSERT_NE(first_line_end, std::string::npos) << "kill " << kill;
    const std::string content = best.substr(first_line_end + 1);
    const int n = std::stoi(content.substr(10));
    EXPECT_EQ(content, version(n)) << "kill " << kill << ": a torn best game";
    EXPECT_EQ(KeptGames(folder).best('A')->score, n);
  }
  fs::remove_all(folder);
}

}  // namespace
}  // namespace hero::test
