// Playing a recording back on the window's engine: to its end at the times
// it gives, the LCD as it was, and a clear stop at the line where a changed
// recording no longer matches. The program with --record and --replay.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "replay_support.h"
#include "startup/session/session_replay.h"
#include "tests/program/program_fixture.h"
#include "tests/support/files.h"

namespace hero::test {
namespace {

// A recorded game of restless play, made once for all tests here.
const std::string& recorded_game() {
  static const std::string text = [] {
    RecordedWindow w;
    w.switch_on();
    w.play_randomly(11, 1500);
    return w.text();
  }();
  return text;
}

Recording read(const std::string& text, const std::string& name = "game.trace") {
  std::istringstream in(text);
  std::string error;
  auto recording = read_recording(in, name, error);
  EXPECT_TRUE(recording) << error;
  return recording ? *recording : Recording{};
}

// The recording with line `number` (1-based) replaced, or dropped when empty.
std::string edited(const std::string& text, int number, const std::string& replacement) {
  std::string out;
  int n = 0;
  for (const std::string& line : lines_of(text)) {
    ++n;
    if (n != number) out += line + "\n";
    else if (!replacement.empty()) out += replacement + "\n";
  }
  return out;
}

int first_line_starting(const std::string& text, const std::string& start, int from = 1) {
  int n = 0;
  for (const std::string& line : lines_of(text))
    if (++n >= from && line.rfind(start, 0) == 0) return n;
  return 0;
}

class ReplayWindow {
 public:
  explicit ReplayWindow(Recording recording) : replay_(std::move(recording)) {
    qt_app();
    form_ =
        std::make_unique<TForm1>(std::make_unique<MemorySettingsStore>(), sound_, nullptr, nullptr, &replay_);
  }
  SessionReplay& replay() { return replay_; }
  TForm1& form() { return *form_; }
  std::string lcd() {
    std::string text;
    for (const auto& name : lit_names(form_->scene())) text += name + ",";
    return text;
  }

 private:
  SilentSound sound_;
  SessionReplay replay_;
  std::unique_ptr<TForm1> form_;
};

// --- Reading ---------------------------------------------------------------

TEST(ReadingARecording, KeepsTheNotedShowsAndLeavesOutALineCutOffByAKill) {
  const Recording r = read("start\nshow # t=0 mode=1 sounds=-\nshow\nshow # a remark\nwait 5\nsho");
  ASSERT_EQ(r.lines.size(), 5u) << "the cut-off last line is left out";
  EXPECT_EQ(r.lines[1].expected, "t=0 mode=1 sounds=-");
  EXPECT_FALSE(r.lines[2].expected);
  EXPECT_FALSE(r.lines[3].expected) << "a remark is no show line";
  EXPECT_EQ(r.lines[4].number, 5);
  // A show cut off inside its noted line is still run, but checks nothing.
  const Recording cut = read("start\nshow # t=0 mode=1 sco");
  ASSERT_EQ(cut.lines.size(), 2u);
  EXPECT_FALSE(cut.lines[1].expected);
}

// --- Playing back ------------------------------------------------------------

TEST(Replay, ShowsAtEachMomentWhatTheRecordingShowedThen) {
  const std::string& text = recorded_game();
  const auto shows = noted_shows(text);
  ReplayWindow w(read(text));
  w.replay().begin(w.form().engine());
  std::size_t next_show = 0;
  for (std::int64_t t = 0; w.replay().state() == SessionReplay::State::playing; t += 97) {
    w.replay().play_until(t);
    if (w.replay().state() != SessionReplay::State::playing) break;
    ASSERT_EQ(w.replay().now_ms(), t);
    const auto next = w.replay().next_moment_ms();
    ASSERT_TRUE(next);
    EXPECT_GT(*next, t) << "everything due by now has been played";
    // The last show up to now names what the LCD lights at this moment.
    while (next_show + 1 < shows.size() && time_of(shows[next_show + 1]) <= t) ++next_show;
    std::string lit = field(shows[next_show], "lit");
    if (lit == "-") lit.clear();
    else lit += ",";
    ASSERT_EQ(w.lcd(), lit) << "at " << t << " ms";
  }
  EXPECT_EQ(w.replay().state(), SessionReplay::State::ended) << w.replay().message();
}

TEST(Replay, AChangedShowStopsAtItsLineNamingTheField) {
  const std::string& text = recorded_game();
  const int line = first_line_starting(text, "show # ", 40);
  std::string changed = lines_of(text)[static_cast<std::size_t>(line - 1)];
  const auto at = changed.find(" hero=");
  changed[at + 6] = changed[at + 6] == '1' ? '2' : '1';
  ReplayWindow w(read(edited(text, line, changed)));
  w.replay().begin(w.form().engine());
  w.replay().play_until(1'000'000'000);
  EXPECT_EQ(w.replay().state(), SessionReplay::State::differs);
  EXPECT_EQ(w.replay().line(), line);
  EXPECT_EQ(w.replay().message().rfind("game.trace:" + std::to_string(line) + ": ", 0), 0u)
      << w.replay().message();
  EXPECT_NE(w.replay().message().find("hero is "), std::string::npos) << w.replay().message();
  // Stopped for good: time stands still however long the window waits.
  const auto stopped_at = w.replay().now_ms();
  w.replay().play_until(2'000'000'000);
  EXPECT_EQ(w.replay().now_ms(), stopped_at);
  EXPECT_FALSE(w.replay().next_moment_ms());
}

TEST(Replay, ARemovedPressIsFoundAtTheNextShow) {
  const std::string& text = recorded_game();
  const int press = first_line_starting(text, "press left", 20);
  ASSERT_GT(press, 0);
  ReplayWindow w(read(edited(text, press, "")));
  w.replay().begin(w.form().engine());
  w.replay().play_until(1'000'000'000);
  EXPECT_EQ(w.replay().state(), SessionReplay::State::differs);
  // The press's own show is the line after it, one line up once it is gone.
  EXPECT_EQ(w.replay().line(), press);
}

TEST(Replay, ADrawOutsideItsRangeStopsAtTheLineThatDrawsIt) {
  const std::string& text = recorded_game();
  const int draw = first_line_starting(text, "draw ");
  ASSERT_GT(draw, 0);
  ReplayWindow w(read(edited(text, draw, "draw 7")));
  w.replay().begin(w.form().engine());
  w.replay().play_until(1'000'000'000);
  EXPECT_EQ(w.replay().state(), SessionReplay::State::differs);
  EXPECT_GT(w.replay().line(), draw);
  EXPECT_NE(w.replay().message().find("draw value 7 is outside 0..2"), std::string::npos)
      << w.replay().message();
}

// ---- Checking a recording --------------------------------------------------

// A game of A played from the clock to its game over with a few moves, and a
// few ticks of the game over after it; the score it ended with.
std::pair<std::string, int> game_to_its_end() {
  RecordedWindow w;
  w.switch_on();
  w.tap(kGameA);
  std::mt19937 rng(5);
  int score = -1;
  for (int step = 0; step < 200000 && score < 0; ++step) {
    if (rng() % 8 == 0) w.tap(rng() % 2 ? kLeft : kRight);
    w.deliver_next();
    if (w.form().engine().state().game_mode == mode_game_over) score = w.form().engine().state().score;
  }
  for (int step = 0; step < 5; ++step) w.deliver_next();
  return {w.text(), score};
}

// The recording's first draw, drawn otherwise: its line and the new line.
std::pair<int, std::string> other_first_draw(const std::string& text) {
  const int line = first_line_starting(text, "draw ");
  if (line == 0) return {0, ""};
  const int value = std::stoi(lines_of(text)[static_cast<std::size_t>(line - 1)].substr(5));
  return {line, "draw " + std::to_string((value + 1) % 3)};
}

// A whole game verifies with its score; an edit anywhere (a key, a draw, a
// noted score) is found at the line where the game no longer agrees, and a
// game cut short of its game over, or a script with nothing noted, proves
// nothing.
TEST(CheckingARecording, OnlyAWholeUntouchedGameIsVerified) {
  const auto [text, score] = game_to_its_end();
  ASSERT_GE(score, 0) << "the game never ended";
  const RecordingCheck whole = check_recording(read(text));
  EXPECT_TRUE(whole.verified()) << whole.summary();
  EXPECT_EQ(whole.game, 'A');
  EXPECT_EQ(whole.score, score);
  EXPECT_EQ(whole.summary(), "Game A, score " + std::to_string(score) + ": " + std::to_string(whole.noted) +
                                 " of " + std::to_string(whole.noted) +
                                 " noted lines agree, game over reached: verified");

  const int press = first_line_starting(text, "press left", first_line_starting(text, "release game_a"));
  const auto [draw, other_draw] = other_first_draw(text);
  const int noted = first_line_starting(text, "show # ", press + 1);
  ASSERT_GT(press, 0);
  ASSERT_GT(draw, 0);
  const std::string noted_line = lines_of(text)[static_cast<std::size_t>(noted - 1)];
  const std::string with_score = noted_line.substr(0, noted_line.find(" score=")) + " score=999" +
                                 noted_line.substr(noted_line.find(' ', noted_line.find(" score=") + 1));
  for (const auto& [line, replacement] : {std::pair{press, std::string("press right")},
                                          std::pair{draw, other_draw}, std::pair{noted, with_score}}) {
    const RecordingCheck changed = check_recording(read(edited(text, line, replacement)));
    EXPECT_FALSE(changed.verified()) << "line " << line;
    EXPECT_LT(changed.agreed, changed.noted);
    const std::string at = "game.trace:";
    ASSERT_EQ(changed.difference.rfind(at, 0), 0U) << changed.difference;
    const int named = std::stoi(changed.difference.substr(at.size()));
    EXPECT_GE(named, line) << changed.difference;
    if (line == noted) {
      EXPECT_EQ(named, noted) << changed.difference;
    }
    EXPECT_NE(changed.summary().find("not verified: game.trace:" + std::to_string(named)), std::string::npos);
  }

  // Cut off just before the first show of the game over.
  std::string cut;
  for (const std::string& line : lines_of(text)) {
    if (line.rfind("show # ", 0) == 0 && line.find(" mode=8 ") != std::string::npos) break;
    cut += line + "\n";
  }
  ASSERT_LT(cut.size(), text.size());
  const RecordingCheck unfinished = check_recording(read(cut));
  EXPECT_FALSE(unfinished.verified());
  EXPECT_EQ(unfinished.agreed, unfinished.noted);
  EXPECT_NE(unfinished.summary().find("not verified: the game does not reach its game over"),
            std::string::npos)
      << unfinished.summary();

  std::string bare;
  for (const std::string& line : lines_of(text)) bare += line.substr(0, line.find('#')) + "\n";
  EXPECT_NE(check_recording(read(bare)).summary().find("not verified: the recording notes no line to check"),
            std::string::npos);
}

// hero-trace --check prints the one line, with status 0 only when verified.
TEST(CheckingARecording, HeroTraceSaysItInOneLine) {
  const auto [text, score] = game_to_its_end();
  char dir_template[] = "/tmp/hero-check-XXXXXX";
  const std::string dir = mkdtemp(dir_template);
  const auto run = [&](const std::string& recording) {
    std::ofstream(dir + "/game.trace") << recording;
    const int status = std::system(
        (std::string(HERO_TRACE_PATH) + " --check " + dir + "/game.trace >" + dir + "/out").c_str());
    return std::pair{WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::read_file(dir + "/out")};
  };
  const auto [verified_status, verified_out] = run(text);
  EXPECT_EQ(verified_status, 0);
  EXPECT_EQ(verified_out.find("Game A, score " + std::to_string(score) + ": "), 0U) << verified_out;
  EXPECT_NE(verified_out.find(": verified\n"), std::string::npos) << verified_out;
  EXPECT_EQ(std::count(verified_out.begin(), verified_out.end(), '\n'), 1);
  const auto [draw, other_draw] = other_first_draw(text);
  const auto [changed_status, changed_out] = run(edited(text, draw, other_draw));
  EXPECT_EQ(changed_status, 1);
  EXPECT_NE(changed_out.find("not verified: " + dir + "/game.trace:"), std::string::npos) << changed_out;
  std::filesystem::remove_all(dir);
}

TEST(Replay, ThePlayersControlsNeverReachTheReplayedHandheld) {
  ReplayWindow w(read(recorded_game()));
  w.replay().begin(w.form().engine());
  w.replay().play_until(50);
  const EngineState before = w.form().engine().state();
  const std::string lcd = w.lcd();
  for (VirtualKey k : {kGameA, kAcl, kLeft, kPause}) {
    w.form().FormKeyDown(k);
    w.form().FormKeyUp(k);
  }
  QTest::mouseClick(w.form().hot_area(ElementId::btn_acl_top), Qt::LeftButton);
  EXPECT_EQ(w.form().engine().state().game_mode, before.game_mode);
  EXPECT_EQ(w.form().engine().state().paused, before.paused);
  EXPECT_EQ(w.lcd(), lcd);
}

// --- The program ---------------------------------------------------------------

class SessionProgram : public ProgramTest {
 protected:
  // The player's store says: no splash, first skin, no sound, so Play comes
  // at once and switches the handheld on.
  void start_session(std::ostream* record_to, std::optional<Recording> replay,
                     std::vector<std::pair<std::string, std::string>> stored = {}) {
    stored.insert(stored.begin(), {{"SplashScreen", "0"}, {"Skin", "1"}, {"SoundMode", "0"}});
    program.reset();
    ProgramServices services = services_with(memory_store(stored));
    services.record_to = record_to;
    services.replay = std::move(replay);
    services.replay_news = [this](ReplayNews kind, const std::string& message) {
      news.emplace_back(kind, message);
    };
    program = std::make_unique<HeroProgram>(std::move(services));
  }

  void key(int qt_key, QEvent::Type type = QEvent::KeyPress) {
    QKeyEvent event(type, qt_key, Qt::NoModifier);
    QApplication::sendEvent(&program->form(), &event);
  }

  std::vector<std::pair<ReplayNews, std::string>> news;
  // Outlives the program, which writes its closing line when it goes.
  std::ostringstream out;
};

TEST_F(SessionProgram, RecordingStartsAtPlayWithTheStoredHighScores) {
  start_session(&out, std::nullopt, {{"HiScore1", "42"}, {"HiScore2", "not a number"}});
  ASSERT_TRUE(program->recorder());
  EXPECT_TRUE(program->recorder()->recording());
  const std::string text = out.str();
  EXPECT_EQ(text.rfind("# ", 0), 0u) << "a heading comment first";
  // What the engine read, not the damaged text.
  EXPECT_NE(text.find("store HiScore1 42\nstore HiScore2 0\nclock "), std::string::npos);
  EXPECT_NE(text.find("\nstart\nshow # t=0 mode=1 "), std::string::npos);
  key(Qt::Key_1);
  EXPECT_NE(out.str().find("press game_a\nshow # "), std::string::npos);
}

TEST_F(SessionProgram, ResettingTheHighScoresEndsTheRecording) {
  start_session(&out, std::nullopt, {{"HiScore1", "42"}});
  program->menu().run_command(pm_8_hiscore);
  EXPECT_EQ(stored("HiScore1"), "0");
  EXPECT_FALSE(program->recorder()->recording());
  EXPECT_NE(out.str().find("# the high scores were reset"), std::string::npos);
}

TEST_F(SessionProgram, ReplayTakesOnlyEscAndPauseFromTheKeyboard) {
  start_session(nullptr, read(recorded_game()));
  ASSERT_TRUE(program->replay_player());
  ASSERT_FALSE(news.empty());
  EXPECT_EQ(news[0].first, ReplayNews::started);
  program->replay()->play_until(3000);
  const EngineState before = program->form().engine().state();
  const bool fullscreen = program->form().fullscreen_mode();
  key(Qt::Key_5);
  key(Qt::Key_5, QEvent::KeyRelease);
  key(Qt::Key_F12);
  EXPECT_EQ(program->form().engine().state().game_mode, before.game_mode) << "ACL is ignored";
  EXPECT_EQ(program->form().fullscreen_mode(), fullscreen) << "the menu's shortcuts too";
  const bool label = program->form().scene().is_visible(ElementId::la_pause);
  key(Qt::Key_Space);
  EXPECT_TRUE(program->replay_player()->paused());
  EXPECT_TRUE(program->form().scene().is_visible(ElementId::la_pause));
  EXPECT_EQ(program->form().engine().state().paused, before.paused) << "the recorded handheld is not paused";
  key(Qt::Key_Space);
  EXPECT_FALSE(program->replay_player()->paused());
  EXPECT_EQ(program->form().scene().is_visible(ElementId::la_pause), label);
  const int before_esc = terminations;
  key(Qt::Key_Escape);
  EXPECT_EQ(terminations, before_esc + 1);
}

// A replay plays at once with the skin last chosen, even when the player has
// the splash screen on; the player's own store keeps saying so.
TEST_F(SessionProgram, AReplayStartsWithoutTheSplashScreen) {
  start_session(nullptr, read(recorded_game()), {{"SplashScreen", "1"}});
  EXPECT_FALSE(program->splash().isVisible());
  ASSERT_FALSE(news.empty());
  EXPECT_EQ(news[0].first, ReplayNews::started);
}

TEST_F(SessionProgram, ReplayReportsItsEndAndWhereItDiffers) {
  start_session(nullptr, read(recorded_game()));
  program->replay()->play_until(1'000'000'000);
  program->replay_player()->catch_up();
  ASSERT_EQ(news.size(), 2u);
  EXPECT_EQ(news[1].first, ReplayNews::ended);
  const std::string& text = recorded_game();
  const int line = first_line_starting(text, "show # ", 10);
  std::string changed = lines_of(text)[static_cast<std::size_t>(line - 1)] + "x";
  news.clear();
  start_session(nullptr, read(edited(text, line, changed)));
  program->replay()->play_until(1'000'000'000);
  program->replay_player()->catch_up();
  ASSERT_EQ(news.size(), 2u);
  EXPECT_EQ(news[1].first, ReplayNews::differs);
  EXPECT_NE(news[1].second.find(":" + std::to_string(line) + ":"), std::string::npos) << news[1].second;
}

}  // namespace
}  // namespace hero::test
