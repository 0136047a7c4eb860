// The beeps' back end as the rest of the program sees it: what the driver
// choice at Play writes and asks of the sound library, what a missing sample
// does, and that beep requests and the release reach the library as they
// should. The recording library shows every call.
#include "startup/sound/sound_output.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "startup/sound/sdl_sound_library.h"
#include "tests/sound/sound_test_support.h"
#include "tests/support/recording_sound_library.h"

namespace hero {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::array<const char*, kSoundCount> kFileNames = {"Chance.wav", "Got.wav", "Miss1.wav",
                                                             "Miss2.wav", "Tick.wav"};

class SoundOutputTest : public ::testing::Test {
 protected:
  SoundOutputTest()
      : folder_(::testing::UnitTest::GetInstance()->current_test_info()->name(), /*enter=*/true),
        errors_(&settings_) {}

  // The installation's Sound folder, leaving out the files named.
  void install_samples(std::initializer_list<std::string_view> missing = {}, int frames = 2205) {
    fs::create_directories("Sound");
    for (const char* name : kFileNames) {
      if (std::find(missing.begin(), missing.end(), name) == missing.end()) {
        test::write_tone_wav(fs::path("Sound") / name, frames);
      }
    }
  }

  bool initialise(int driver_position) {
    return output_.initialise(driver_position, settings_, errors_, [this](bool on) {
      snd_enabled_ = on;
      ++snd_enabled_calls_;
    });
  }

  static std::string load_line(const char* name, const std::string& result) {
    return "load -1 " + (fs::current_path() / "Sound" / name).string() + " 0x2000 0 0 -> " + result;
  }

  test::TempFolder folder_;
  test::RecordingStore settings_;
  test::RecordingErrors errors_;
  RecordingSoundLibrary library_;
  SoundOutput output_{library_};
  bool snd_enabled_ = false;
  int snd_enabled_calls_ = 0;
};

TEST_F(SoundOutputTest, NoSoundTouchesTheLibraryOnlyToFreeAndCloseAtRelease) {
  install_samples();
  EXPECT_TRUE(initialise(kDriverNone));
  EXPECT_FALSE(snd_enabled_);
  EXPECT_EQ(snd_enabled_calls_, 1);
  EXPECT_THAT(settings_.writes, ElementsAre("SoundMode=2"));
  output_.play(SoundId::got);
  output_.play(SoundId::tick);
  output_.stop_all();
  EXPECT_THAT(library_.calls(), IsEmpty());

  output_.release();
  EXPECT_THAT(library_.calls(),
              ElementsAre("free null", "free null", "free null", "free null", "free null", "close"));
}

TEST_F(SoundOutputTest, RealDriverOpensTheLibraryThenLoadsTheFiveSamplesInOrder) {
  install_samples();
  EXPECT_TRUE(initialise(kDriverDirect));
  EXPECT_TRUE(snd_enabled_);
  EXPECT_THAT(settings_.writes, ElementsAre("SoundMode=0"));
  EXPECT_THAT(library_.calls(), ElementsAre("init 22050 64 0", "set_output 2", load_line("Chance.wav", "#1"),
                                            load_line("Got.wav", "#2"), load_line("Miss1.wav", "#3"),
                                            load_line("Miss2.wav", "#4"), load_line("Tick.wav", "#5")));
  EXPECT_THAT(errors_.messages, IsEmpty());
}

TEST_F(SoundOutputTest, SecondDriverAsksForOutputTypeOne) {
  install_samples();
  EXPECT_TRUE(initialise(kDriverMultimedia));
  EXPECT_TRUE(snd_enabled_);
  EXPECT_THAT(settings_.writes, ElementsAre("SoundMode=1"));
  ASSERT_GE(library_.calls().size(), 2u);
  EXPECT_EQ(library_.calls()[1], "set_output 1");
}

TEST_F(SoundOutputTest, MissingChanceSampleReportsTheSoundFolderAndResetsTheChoice) {
  install_samples({"Chance.wav"});
  EXPECT_FALSE(initialise(kDriverDirect));
  EXPECT_THAT(errors_.messages, ElementsAre("Sound folder unproperly installed. Please reinstall the game."));
  // The box comes first; the store is reset once it is dismissed.
  EXPECT_THAT(errors_.writes_at_report, ElementsAre("SoundMode=0"));
  EXPECT_THAT(settings_.writes, ElementsAre("SoundMode=0", "SoundMode=-1", "SplashScreen=1"));
  // All five loads are made before the first one is checked.
  EXPECT_EQ(library_.calls().size(), 7u);
  EXPECT_EQ(library_.calls()[2], load_line("Chance.wav", "null"));
  EXPECT_EQ(library_.calls()[6], load_line("Tick.wav", "#4"));
}

TEST_F(SoundOutputTest, NoSoundFolderUnderTheCurrentFolderIsTheSameError) {
  EXPECT_FALSE(initialise(kDriverMultimedia));
  EXPECT_EQ(errors_.messages.size(), 1u);
  EXPECT_EQ(settings_.read_text("SoundMode"), "-1");
  EXPECT_EQ(settings_.read_text("SplashScreen"), "1");
}

TEST_F(SoundOutputTest, NoSoundNeverChecksTheSoundFolder) {
  EXPECT_TRUE(initialise(kDriverNone));
  EXPECT_THAT(errors_.messages, IsEmpty());
}

TEST_F(SoundOutputTest, MissingTickLeavesTicksSilentAndEveryOtherBeepSounding) {
  install_samples({"Tick.wav"});
  EXPECT_TRUE(initialise(kDriverDirect));
  EXPECT_THAT(errors_.messages, IsEmpty());
  EXPECT_THAT(settings_.writes, ElementsAre("SoundMode=0"));
  library_.clear();

  output_.play(SoundId::tick);
  EXPECT_THAT(library_.calls(), IsEmpty());
  output_.play(SoundId::chance);
  output_.play(SoundId::got);
  output_.play(SoundId::miss1);
  output_.play(SoundId::miss2);
  EXPECT_THAT(library_.calls(),
              ElementsAre("play -1 #1 -> 0", "play -1 #2 -> 1", "play -1 #3 -> 2", "play -1 #4 -> 3"));
}

TEST_F(SoundOutputTest, BeepsOverlapOnAnyFreeChannelWithNothingStoppedFirst) {
  install_samples();
  initialise(kDriverDirect);
  library_.clear();
  output_.play(SoundId::tick);
  output_.play(SoundId::got);
  output_.play(SoundId::tick);
  EXPECT_THAT(library_.calls(), ElementsAre("play -1 #5 -> 0", "play -1 #2 -> 1", "play -1 #5 -> 2"));
}

TEST_F(SoundOutputTest, SilenceStopsEveryChannelAtOnce) {
  install_samples();
  initialise(kDriverDirect);
  library_.clear();
  output_.play(SoundId::miss2);
  output_.stop_all();
  EXPECT_THAT(library_.calls(), ElementsAre("play -1 #4 -> 0", "stop -3"));
}

TEST_F(SoundOutputTest, BeforePlayNoBeepReachesTheLibrary) {
  install_samples();
  output_.play(SoundId::chance);
  output_.stop_all();
  EXPECT_THAT(library_.calls(), IsEmpty());
  EXPECT_FALSE(output_.enabled());
}

TEST_F(SoundOutputTest, ReleaseFreesTheFiveSamplesInOrderThenCloses) {
  install_samples({"Miss1.wav"});
  initialise(kDriverDirect);
  library_.clear();
  output_.release();
  EXPECT_THAT(library_.calls(),
              ElementsAre("free #1", "free #2", "free null", "free #3", "free #4", "close"));
  // Nothing plays from freed samples once the window has closed.
  library_.clear();
  output_.play(SoundId::got);
  output_.stop_all();
  EXPECT_THAT(library_.calls(), IsEmpty());
}

TEST_F(SoundOutputTest, ReleaseWithoutPlayStillFreesAndCloses) {
  output_.release();
  EXPECT_THAT(library_.calls(),
              ElementsAre("free null", "free null", "free null", "free null", "free null", "close"));
  EXPECT_THAT(settings_.writes, IsEmpty());
}

TEST_F(SoundOutputTest, SampleNamesMatchWithoutRegardToCase) {
  fs::create_directories("sound");
  for (const char* name : {"CHANCE.WAV", "got.wav", "Miss1.WAV", "miss2.wav", "tick.Wav"}) {
    test::write_tone_wav(fs::path("sound") / name, 100);
  }
  EXPECT_TRUE(initialise(kDriverDirect));
  EXPECT_THAT(errors_.messages, IsEmpty());
  for (int i = 0; i < kSoundCount; ++i) EXPECT_TRUE(output_.sample(static_cast<SoundId>(i))) << i;
}

TEST_F(SoundOutputTest, DriverIsChosenOncePerRun) {
  install_samples();
  initialise(kDriverNone);
  EXPECT_TRUE(initialise(kDriverDirect));
  EXPECT_FALSE(snd_enabled_);
  EXPECT_EQ(snd_enabled_calls_, 1);
  EXPECT_THAT(library_.calls(), IsEmpty());
  EXPECT_THAT(settings_.writes, ElementsAre("SoundMode=2"));
}

TEST_F(SoundOutputTest, DriverPositionOutsideTheListEnablesAndWritesNothing) {
  install_samples();
  EXPECT_TRUE(initialise(3));
  EXPECT_TRUE(initialise(-1));
  EXPECT_EQ(snd_enabled_calls_, 0);
  EXPECT_THAT(settings_.writes, IsEmpty());
  EXPECT_THAT(library_.calls(), IsEmpty());
}

TEST_F(SoundOutputTest, DriverListKeepsItsPositions) {
  const auto& names = sound_driver_names();
  EXPECT_EQ(names[kDriverNone], "(no sound)");
  EXPECT_NE(names[kDriverDirect], names[kDriverMultimedia]);
  EXPECT_FALSE(names[kDriverDirect].empty());
  EXPECT_FALSE(names[kDriverMultimedia].empty());
}

// The same sequence against the real mixer (dummy output): the samples load,
// and beeps start on distinct channels.
TEST_F(SoundOutputTest, RealMixerLoadsAndPlaysTheInstalledSamples) {
  install_samples({"Miss2.wav"}, 2 * 22050);
  SdlSoundLibrary mixer;
  RecordingSoundLibrary recorder(&mixer);
  SoundOutput output(recorder);
  ASSERT_TRUE(output.initialise(kDriverDirect, settings_, errors_, {}));
  EXPECT_EQ(mixer.samples_loaded(), 4u);
  EXPECT_EQ(recorder.calls()[5], load_line("Miss2.wav", "null"));
  recorder.clear();
  output.play(SoundId::got);
  output.play(SoundId::got);
  output.play(SoundId::miss2);
  EXPECT_THAT(recorder.calls(), ElementsAre("play -1 #2 -> 0", "play -1 #2 -> 1"));
  output.release();
  EXPECT_EQ(mixer.samples_loaded(), 0u);
  EXPECT_FALSE(mixer.output_open());
}

// No sound device at all: the samples are there, so the game starts, silent.
TEST_F(SoundOutputTest, MissingSoundDeviceIsNotMistakenForAMissingSoundFolder) {
  install_samples();
  const char* forced = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = forced != nullptr ? forced : "";
  unsetenv("SDL_AUDIODRIVER");
  {
    SdlSoundLibrary mixer(SoundDriverTable{"no_such_driver", "no_such_driver"});
    SoundOutput output(mixer);
    EXPECT_TRUE(output.initialise(kDriverMultimedia, settings_, errors_, {}));
    EXPECT_FALSE(mixer.output_open());
    EXPECT_EQ(mixer.samples_loaded(), 5u);
    output.play(SoundId::got);
    output.stop_all();
    output.release();
  }
  if (!saved.empty()) setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  EXPECT_THAT(errors_.messages, IsEmpty());
  EXPECT_THAT(settings_.writes, ElementsAre("SoundMode=1"));
}

}  // namespace
}  // namespace hero
