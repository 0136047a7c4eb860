// Whole games in virtual time with the beeps' back end behind the engine: every
// beep the handheld asks for reaches the sound library in the same order, a
// missing sample silences only its own beep, ACL cuts everything, and with
// "(no sound)" the library hears nothing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "startup/session/virtual_handheld.h"
#include "startup/sound/sound_output.h"
#include "tests/sound/sound_test_support.h"
#include "tests/support/recording_sound_library.h"

namespace hero {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Hands every request to the recorder of what the engine asked for and to
// the back end under test.
class TeeSink final : public SoundSink {
 public:
  TeeSink(SoundSink& first, SoundSink& second) : first_(first), second_(second) {}
  void play(SoundId id) override {
    first_.play(id);
    second_.play(id);
  }
  void stop_all() override {
    first_.stop_all();
    second_.stop_all();
  }

 private:
  SoundSink& first_;
  SoundSink& second_;
};

constexpr std::array<const char*, kSoundCount> kFileNames = {"Chance.wav", "Got.wav", "Miss1.wav",
                                                             "Miss2.wav", "Tick.wav"};
constexpr int kLastRow = 7;

class EngineSoundTest : public ::testing::Test {
 protected:
  EngineSoundTest()
      : folder_(::testing::UnitTest::GetInstance()->current_test_info()->name(), /*enter=*/true),
        engine_(EngineServices{surface_, time_.timer_pointers(), tee_, store_, random_, clock_}) {}

  void install_samples(std::initializer_list<std::string_view> missing = {}) {
    fs::create_directories("Sound");
    for (const char* name : kFileNames) {
      if (std::find(missing.begin(), missing.end(), name) == missing.end()) {
        test::write_tone_wav(fs::path("Sound") / name, 200);
      }
    }
  }

  // The start-up of the handheld and Play's sound step, in Play's order.
  void switch_on(int driver) {
    engine_.start();
    ASSERT_TRUE(
        output_.initialise(driver, store_, errors_, [this](bool on) { engine_.set_snd_enabled(on); }));
    library_.clear();
  }

  void start_game_a() {
    engine_.Inp_game_a_down();
    engine_.Inp_game_a_up();
    // Well into a game, so that chance time at 200 points comes soon.
    engine_.state_for_tests().score = 190;
  }

  // A player who runs to whichever object is about to land.
  void steer() {
    const EngineState& s = engine_.state();
    if (s.game_mode != mode_game_a || !s.moves_enabled) return;
    const int next_checked = s.thrower_lane == 3 ? 1 : s.thrower_lane + 1;
    int target = s.hero_lane;
    for (int lane = 1; lane <= 3; ++lane) {
      if (s.object_cells[lane][kLastRow] == cell_object && (target == s.hero_lane || lane == next_checked)) {
        target = lane;
      }
    }
    for (int guard = 0; guard < 3 && s.hero_lane != target; ++guard) {
      if (target > s.hero_lane) {
        engine_.Inp_left_down();
        engine_.Inp_left_up();
      } else {
        engine_.Inp_right_down();
        engine_.Inp_right_up();
      }
    }
  }

  // Plays games one after another, event by event, until every one of the
  // five beeps was asked for or `max_events` timer events have passed.
  void play_until_every_beep(int max_events) {
    for (int i = 0; i < max_events && requested_names().size() < kSoundCount; ++i) {
      const int mode = engine_.state().game_mode;
      if (mode == mode_all_lit || mode == mode_clock || mode == mode_game_over) start_game_a();
      const auto fired = time_.step(3'600'000, [this](TimerId id) { engine_.on_timer(id); });
      if (!fired) break;
      steer();
    }
  }

  std::set<std::string> requested_names() const {
    std::set<std::string> names(requests_.events().begin(), requests_.events().end());
    names.erase("silence");
    return names;
  }

  // The library's play and stop calls in the engine's words: the handles are
  // numbered in load order, skipping samples that did not load.
  std::vector<std::string> library_beeps(std::initializer_list<SoundId> missing = {}) const {
    std::map<std::string, std::string> by_handle;
    int next = 1;
    for (int i = 0; i < kSoundCount; ++i) {
      const auto id = static_cast<SoundId>(i);
      if (std::find(missing.begin(), missing.end(), id) != missing.end()) continue;
      by_handle["#" + std::to_string(next++)] = std::string(sound_name(id));
    }
    std::vector<std::string> beeps;
    for (const std::string& call : library_.calls()) {
      if (call == "stop -3") {
        beeps.push_back("silence");
      } else if (call.rfind("play -1 ", 0) == 0) {
        const std::string handle = call.substr(8, call.find(' ', 8) - 8);
        beeps.push_back(by_handle.count(handle) ? by_handle[handle] : "unknown " + handle);
      } else {
        beeps.push_back("unexpected: " + call);
      }
    }
    return beeps;
  }

  test::TempFolder folder_;
  VirtualTime time_;
  VirtualSurface surface_;
  ScriptedRandom random_{7};
  FixedClock clock_;
  MemorySettingsStore store_;
  test::RecordingErrors errors_;
  RecordingSoundLibrary library_;
  SoundOutput output_{library_};
  RecordingSoundSink requests_;
  TeeSink tee_{requests_, output_};
  Engine engine_;
};

TEST_F(EngineSoundTest, EveryBeepOfAGameReachesTheLibraryInOrder) {
  install_samples();
  switch_on(kDriverDirect);
  play_until_every_beep(20'000);
  EXPECT_THAT(requested_names(), ElementsAre("chance", "got", "miss1", "miss2", "tick"));
  EXPECT_EQ(library_beeps(), requests_.events());
}

TEST_F(EngineSoundTest, AclCutsEverySoundAtOnce) {
  install_samples();
  switch_on(kDriverMultimedia);
  start_game_a();
  while (library_.calls().empty()) {
    ASSERT_TRUE(time_.step(3'600'000, [this](TimerId id) { engine_.on_timer(id); }));
    steer();
  }
  engine_.Inp_acl_down();
  ASSERT_FALSE(library_.calls().empty());
  EXPECT_EQ(library_.calls().back(), "stop -3");
  EXPECT_EQ(requests_.events().back(), "silence");
}

TEST_F(EngineSoundTest, MissingTickSampleSilencesOnlyTheTicks) {
  install_samples({"Tick.wav"});
  switch_on(kDriverDirect);
  play_until_every_beep(20'000);
  ASSERT_THAT(requested_names(), ElementsAre("chance", "got", "miss1", "miss2", "tick"));
  std::vector<std::string> expected;
  for (const std::string& event : requests_.events()) {
    if (event != "tick") expected.push_back(event);
  }
  EXPECT_EQ(library_beeps({SoundId::tick}), expected);
  EXPECT_THAT(errors_.messages, IsEmpty());
}

TEST_F(EngineSoundTest, NoSoundKeepsEveryGameSilent) {
  install_samples();
  switch_on(kDriverNone);
  start_game_a();
  int game_ticks = 0;
  for (int i = 0; i < 2'000; ++i) {
    const auto fired = time_.step(3'600'000, [this](TimerId id) { engine_.on_timer(id); });
    if (!fired) break;
    if (*fired == TimerId::Game) ++game_ticks;
    steer();
  }
  engine_.Inp_acl_down();
  EXPECT_GT(game_ticks, 100);  // the games did run
  EXPECT_THAT(requests_.events(), IsEmpty());
  EXPECT_THAT(library_.calls(), IsEmpty());
  output_.release();
  EXPECT_THAT(library_.calls(),
              ElementsAre("free null", "free null", "free null", "free null", "free null", "close"));
}

}  // namespace
}  // namespace hero
