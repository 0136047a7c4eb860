// The beeps' loudness: Volume and Mute as stored, what the back end passes
// to the library (recording library), and what leaves the mixer (SDL's disk
// driver, measured with sox).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "startup/sound/sdl_sound_library.h"
#include "startup/sound/sound_output.h"
#include "tests/sound/sound_test_support.h"
#include "tests/support/recording_sound_library.h"

namespace hero {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

// ---- Stored values ---------------------------------------------------------

TEST(SoundLevelSettings, NothingStoredIsFullVolumeAndSound) {
  test::RecordingStore settings;
  EXPECT_EQ(read_sound_level(settings), (SoundLevel{100, false}));
}

TEST(SoundLevelSettings, StoredValuesReadBackAfterAWrite) {
  test::RecordingStore settings;
  write_sound_level(settings, SoundLevel{30, true});
  EXPECT_THAT(settings.writes, ElementsAre("Volume=30", "Mute=1"));
  EXPECT_EQ(read_sound_level(settings), (SoundLevel{30, true}));
  write_sound_level(settings, SoundLevel{0, false});
  EXPECT_EQ(read_sound_level(settings), (SoundLevel{0, false}));
}

TEST(SoundLevelSettings, BadStoredValuesReadAsTheDefaults) {
  for (const char* volume : {"101", "-1", "loud", "", "30 %", "99999999999"}) {
    for (const char* mute : {"yes", "", "0"}) {
      test::RecordingStore settings;
      settings.write_text("Volume", volume);
      settings.write_text("Mute", mute);
      EXPECT_EQ(read_sound_level(settings), (SoundLevel{100, false})) << volume << " / " << mute;
    }
  }
}

// Mute is a flag like every other: any number but 0 silences the beeps.
TEST(SoundLevelSettings, AnyNumberButZeroMutes) {
  for (const char* mute : {"1", "2", "-1", "$10"}) {
    test::RecordingStore settings;
    settings.write_text("Mute", mute);
    EXPECT_TRUE(read_sound_level(settings).muted) << mute;
  }
}

// ---- What reaches the library ------------------------------------------------

class VolumeToLibraryTest : public ::testing::Test {
 protected:
  VolumeToLibraryTest()
      : folder_(::testing::UnitTest::GetInstance()->current_test_info()->name(), /*enter=*/true) {
    fs::create_directories("Sound");
    for (std::string_view name : kSampleFiles) {
      test::write_tone_wav(fs::path("Sound") / fs::path(std::string(name.substr(6))), 2205);
    }
  }
  bool initialise(int driver_position) {
    return output_.initialise(driver_position, settings_, errors_, nullptr);
  }

  test::TempFolder folder_;
  test::RecordingStore settings_;
  test::RecordingErrors errors_;
  RecordingSoundLibrary library_;
  SoundOutput output_{library_};
};

TEST_F(VolumeToLibraryTest, FullVolumeAddsNothingToPlaysOwnSequence) {
  ASSERT_TRUE(initialise(kDriverDirect));
  EXPECT_THAT(library_.calls(), Not(Contains(::testing::StartsWith("volume"))));
}

TEST_F(VolumeToLibraryTest, AQuieterLevelIsGivenRightAfterTheOutputIsChosen) {
  output_.set_level(SoundLevel{30, false});
  EXPECT_THAT(library_.calls(), IsEmpty());  // no driver chosen yet
  ASSERT_TRUE(initialise(kDriverDirect));
  ASSERT_GE(library_.calls().size(), 3u);
  EXPECT_EQ(library_.calls()[1], "set_output 2");
  EXPECT_EQ(library_.calls()[2], "volume 30");
}

TEST_F(VolumeToLibraryTest, ChangesReachTheLibraryAtOnceAndMuteIsSilence) {
  ASSERT_TRUE(initialise(kDriverDirect));
  library_.clear();
  output_.set_level(SoundLevel{55, false});
  output_.set_level(SoundLevel{55, true});
  output_.set_level(SoundLevel{55, false});
  output_.set_level(SoundLevel{140, false});
  EXPECT_THAT(library_.calls(), ElementsAre("volume 55", "volume 0", "volume 55", "volume 100"));
  EXPECT_EQ(output_.level().volume_percent, 100);
}

TEST_F(VolumeToLibraryTest, WithoutSoundTheLibraryIsNeverCalled) {
  output_.set_level(SoundLevel{30, true});
  ASSERT_TRUE(initialise(kDriverNone));
  output_.set_level(SoundLevel{60, false});
  EXPECT_THAT(library_.calls(), IsEmpty());
}

TEST(SdlMasterVolume, OutOfRangeValuesTakeTheNearestEndAndSurviveAReopen) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SdlSoundLibrary library;
  library.set_master_volume(-20);
  EXPECT_EQ(library.master_volume_percent(), 0);
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  library.set_master_volume(250);
  EXPECT_EQ(library.master_volume_percent(), 100);
  library.set_master_volume(40);
  EXPECT_TRUE(library.set_output(kOutputWaveOut));
  EXPECT_EQ(library.master_volume_percent(), 40);
  library.close();
}

// ---- What leaves the mixer -----------------------------------------------------

// Plays one tone through the disk driver at the given level and returns the
// peak level sox measures in the written file (0..1), or -1 when sox fails.
double peak_at(const fs::path& folder, const std::string& tone, int percent, bool muted) {
  const fs::path raw = folder / ("out" + std::to_string(percent) + (muted ? "m" : "") + ".raw");
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", raw.string().c_str(), 1);
  {
    SdlSoundLibrary library;
    library.set_master_volume(SoundLevel{percent, muted}.effective_percent());
    if (!library.init(kMixRateHz, kSoftwareChannels, kInitFlags)) return -1;
    const SampleHandle tone_sample = library.load_sample(kAnySampleSlot, tone, kLoadMode2D, 0, 0);
    if (!tone_sample || library.play(kAnyFreeChannel, tone_sample) < 0) return -1;
    // The disk driver writes in real time: let the whole tone through.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    library.close();
  }
  const std::string command = "sox -t raw -r 22050 -e signed -b 16 -c 2 '" + raw.string() + "' -n stats 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  double peak = -1;
  std::array<char, 256> line{};
  while (std::fgets(line.data(), static_cast<int>(line.size()), pipe) != nullptr) {
    double value = 0;
    if (std::sscanf(line.data(), "Max level %lf", &value) == 1) peak = value;
  }
  pclose(pipe);
  return peak;
}

TEST(SoundLevelOnTheDiskDriver, ThirtyPercentGivesAboutThirtyPercentOfTheFullPeaksAndMuteNone) {
  if (std::system("sox --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "sox is not installed";
  test::TempFolder folder("SoundLevelOnTheDiskDriver");
  const std::string tone = (folder.path() / "tone.wav").string();
  test::write_tone_wav(tone, 2205, 22050, 0.8);
  const char* saved_driver = std::getenv("SDL_AUDIODRIVER");
  const std::string driver = saved_driver != nullptr ? saved_driver : "dummy";

  const double full = peak_at(folder.path(), tone, 100, false);
  const double thirty = peak_at(folder.path(), tone, 30, false);
  const double muted = peak_at(folder.path(), tone, 100, true);
  setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
  unsetenv("SDL_DISKAUDIOFILE");

  ASSERT_GT(full, 0.5) << "the tone did not reach the file";
  EXPECT_NEAR(thirty / full, 0.30, 0.03);
  EXPECT_EQ(muted, 0.0);
}

}  // namespace
}  // namespace hero
