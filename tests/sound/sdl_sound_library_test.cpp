// The sound library over SDL2_mixer, on SDL's dummy output (no sound device
// needed): what it accepts, that beeps overlap and stop together, and that a
// driver chosen after opening reopens the output.
#include "startup/sound/sdl_sound_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "tests/sound/sound_test_support.h"

namespace hero {
namespace {

namespace fs = std::filesystem;

constexpr int kLongFrames = 3 * 22050;  // long enough to still sound when checked

// Restores SDL_AUDIODRIVER and SDL_DISKAUDIOFILE when a test changed them.
class EnvironmentGuard {
 public:
  explicit EnvironmentGuard(std::vector<std::string> names) : names_(std::move(names)) {
    for (const auto& name : names_) {
      const char* value = std::getenv(name.c_str());
      saved_.emplace_back(value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~EnvironmentGuard() {
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (saved_[i]) setenv(names_[i].c_str(), saved_[i]->c_str(), 1);
      else unsetenv(names_[i].c_str());
    }
  }

 private:
  std::vector<std::string> names_;
  std::vector<std::optional<std::string>> saved_;
};

class SdlSoundLibraryTest : public ::testing::Test {
 protected:
  SdlSoundLibraryTest() : folder_(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
    // Run outside ctest, the tests still need no sound device.
    setenv("SDL_AUDIODRIVER", "dummy", /*overwrite=*/0);
    tone_ = (folder_.path() / "tone.wav").string();
    test::write_tone_wav(tone_, kLongFrames);
  }

  SampleHandle load(SdlSoundLibrary& library, const std::string& path) {
    return library.load_sample(kAnySampleSlot, path, kLoadMode2D, 0, 0);
  }

  test::TempFolder folder_;
  std::string tone_;
};

TEST_F(SdlSoundLibraryTest, CloseWithoutInitIsHarmless) {
  SdlSoundLibrary library;
  library.close();
  library.close();
  EXPECT_FALSE(library.output_open());
}

TEST_F(SdlSoundLibraryTest, NullHandlesAreAcceptedEverywhere) {
  SdlSoundLibrary library;
  EXPECT_EQ(library.play(kAnyFreeChannel, SampleHandle{}), -1);
  library.free_sample(SampleHandle{});
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  EXPECT_EQ(library.play(kAnyFreeChannel, SampleHandle{}), -1);
  library.free_sample(SampleHandle{});
  EXPECT_EQ(library.play(kAnyFreeChannel, SampleHandle{12345}), -1);
  library.free_sample(SampleHandle{12345});
  EXPECT_EQ(library.channels_playing(), 0);
}

TEST_F(SdlSoundLibraryTest, NothingLoadsOrPlaysBeforeInit) {
  SdlSoundLibrary library;
  EXPECT_FALSE(load(library, tone_));
  EXPECT_FALSE(library.stop(kAllChannels));
}

TEST_F(SdlSoundLibraryTest, InitOpensSixtyFourChannelsOnTheForcedDriver) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  EXPECT_TRUE(library.output_open());
  EXPECT_EQ(library.channel_count(), 64);
  EXPECT_EQ(library.current_driver(), "dummy");
}

TEST_F(SdlSoundLibraryTest, NonsenseInitArgumentsAreRefused) {
  SdlSoundLibrary library;
  EXPECT_FALSE(library.init(0, 64, 0));
  EXPECT_FALSE(library.init(22050, 0, 0));
  EXPECT_FALSE(library.init(22050, 64, 0x40));
  EXPECT_FALSE(library.output_open());
  EXPECT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
}

TEST_F(SdlSoundLibraryTest, BeepsOverlapOnDistinctChannels) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  const SampleHandle tick = load(library, tone_);
  ASSERT_TRUE(tick);
  const int first = library.play(kAnyFreeChannel, tick);
  const int second = library.play(kAnyFreeChannel, tick);
  EXPECT_GE(first, 0);
  EXPECT_GE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(library.channels_playing(), 2);
}

TEST_F(SdlSoundLibraryTest, EverySixtyFourChannelsCanSoundAndAnExtraBeepIsDropped) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  const SampleHandle tick = load(library, tone_);
  for (int i = 0; i < kSoftwareChannels; ++i) EXPECT_GE(library.play(kAnyFreeChannel, tick), 0) << i;
  EXPECT_EQ(library.channels_playing(), 64);
  EXPECT_EQ(library.play(kAnyFreeChannel, tick), -1);
}

TEST_F(SdlSoundLibraryTest, StopAllCutsEveryChannel) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  const SampleHandle tick = load(library, tone_);
  for (int i = 0; i < 5; ++i) library.play(kAnyFreeChannel, tick);
  ASSERT_EQ(library.channels_playing(), 5);
  EXPECT_TRUE(library.stop(kAllChannels));
  EXPECT_EQ(library.channels_playing(), 0);
}

TEST_F(SdlSoundLibraryTest, OneChannelCanBeStoppedAlone) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  const SampleHandle tick = load(library, tone_);
  const int first = library.play(kAnyFreeChannel, tick);
  library.play(kAnyFreeChannel, tick);
  EXPECT_TRUE(library.stop(first));
  EXPECT_EQ(library.channels_playing(), 1);
  EXPECT_FALSE(library.stop(64));
  EXPECT_FALSE(library.stop(-2));
}

TEST_F(SdlSoundLibraryTest, MissingOrUnplayableFilesGiveTheNullHandle) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  const fs::path junk = folder_.path() / "junk.wav";
  std::ofstream(junk) << "RIFF\x10\0\0\0WAVEfmt garbage that is no sound";
  const fs::path empty = folder_.path() / "empty.wav";
  std::ofstream{empty};
  EXPECT_FALSE(load(library, (folder_.path() / "absent.wav").string()));
  EXPECT_FALSE(load(library, junk.string()));
  EXPECT_FALSE(load(library, empty.string()));
  EXPECT_FALSE(load(library, folder_.path().string()));
  EXPECT_FALSE(load(library, ""));
  EXPECT_EQ(library.samples_loaded(), 0u);
}

TEST_F(SdlSoundLibraryTest, PartialLoadsAreNotOffered) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  EXPECT_FALSE(library.load_sample(kAnySampleSlot, tone_, kLoadMode2D, 100, 0));
  EXPECT_FALSE(library.load_sample(kAnySampleSlot, tone_, kLoadMode2D, 0, 100));
}

TEST_F(SdlSoundLibraryTest, FreeingASampleStopsItAndForgetsIt) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  const SampleHandle tick = load(library, tone_);
  library.play(kAnyFreeChannel, tick);
  library.free_sample(tick);
  EXPECT_EQ(library.channels_playing(), 0);
  EXPECT_EQ(library.play(kAnyFreeChannel, tick), -1);
  library.free_sample(tick);
  EXPECT_EQ(library.samples_loaded(), 0u);
}

TEST_F(SdlSoundLibraryTest, CloseFreesEverythingAndLeavesOldHandlesDead) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  const SampleHandle tick = load(library, tone_);
  library.play(kAnyFreeChannel, tick);
  library.close();
  EXPECT_EQ(library.samples_loaded(), 0u);
  EXPECT_FALSE(library.output_open());
  library.free_sample(tick);
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  EXPECT_EQ(library.play(kAnyFreeChannel, tick), -1);
  EXPECT_NE(load(library, tone_), tick);
}

TEST_F(SdlSoundLibraryTest, ForcedDriverWinsOverTheChosenOutputType) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  const SampleHandle tick = load(library, tone_);
  EXPECT_TRUE(library.set_output(kOutputWaveOut));
  EXPECT_EQ(library.current_driver(), "dummy");
  EXPECT_GE(library.play(kAnyFreeChannel, tick), 0);
  EXPECT_FALSE(library.set_output(7));
  EXPECT_TRUE(library.output_open());
}

// A machine whose sound device cannot be opened still loads the samples, so
// Play does not mistake it for a broken Sound folder; the beeps stay silent
// until an output opens.
TEST_F(SdlSoundLibraryTest, SamplesLoadWithoutAnOpenOutputAndSoundOnceOneOpens) {
  EnvironmentGuard guard({"SDL_AUDIODRIVER"});
  unsetenv("SDL_AUDIODRIVER");
  SdlSoundLibrary library(SoundDriverTable{"dummy", "no_such_driver"});
  EXPECT_FALSE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  EXPECT_FALSE(library.output_open());
  const SampleHandle tick = load(library, tone_);
  ASSERT_TRUE(tick);
  EXPECT_EQ(library.play(kAnyFreeChannel, tick), -1);
  EXPECT_FALSE(library.stop(kAllChannels));

  ASSERT_TRUE(library.set_output(kOutputWaveOut));
  EXPECT_EQ(library.current_driver(), "dummy");
  EXPECT_GE(library.play(kAnyFreeChannel, tick), 0);
  EXPECT_EQ(library.channels_playing(), 1);
}

TEST_F(SdlSoundLibraryTest, SamplesOfAnyWavFormatComeOutAtTheMixerRate) {
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  const fs::path other_rate = folder_.path() / "other.wav";
  test::write_tone_wav(other_rate, 44100, 44100);  // one second at 44.1 kHz
  EXPECT_TRUE(load(library, other_rate.string()));
  const fs::path silent = folder_.path() / "no_frames.wav";
  test::write_tone_wav(silent, 0);
  EXPECT_FALSE(load(library, silent.string()));
  // A header that promises more data than the file holds.
  const fs::path cut = folder_.path() / "cut.wav";
  test::write_tone_wav(cut, 22050);
  fs::resize_file(cut, 100);
  load(library, cut.string());  // may load what is there; must not crash
  EXPECT_EQ(library.channels_playing(), 0);
}

// Ctrl+C and a plain kill must still end the program while sound is on.
TEST_F(SdlSoundLibraryTest, OpenOutputLeavesTerminationSignalsAlone) {
  using Action = struct sigaction;
  Action before_int{};
  Action before_term{};
  Action after_int{};
  Action after_term{};
  sigaction(SIGINT, nullptr, &before_int);
  sigaction(SIGTERM, nullptr, &before_term);
  SdlSoundLibrary library;
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  sigaction(SIGINT, nullptr, &after_int);
  sigaction(SIGTERM, nullptr, &after_term);
  EXPECT_EQ(after_int.sa_handler, before_int.sa_handler);
  EXPECT_EQ(after_term.sa_handler, before_term.sa_handler);
}

TEST(SoundDriverChoice, OutputTypesMapToTheirDrivers) {
  const SoundDriverTable table{"alsa", ""};
  EXPECT_EQ(audio_driver_for_output(table, kOutputWaveOut, nullptr), "alsa");
  EXPECT_EQ(audio_driver_for_output(table, kOutputDefault, nullptr), "");
  EXPECT_EQ(audio_driver_for_output(table, kOutputDefault, ""), "");
  EXPECT_EQ(audio_driver_for_output(table, kOutputWaveOut, "dummy"), "dummy");
  EXPECT_EQ(audio_driver_for_output(table, kOutputDefault, "disk"), "disk");
  EXPECT_EQ(audio_driver_for_output(table, 0, nullptr), std::nullopt);
  EXPECT_EQ(audio_driver_for_output(table, 3, "dummy"), std::nullopt);
}

// Whether the raw 16-bit output written so far holds anything but silence.
bool holds_sound(const fs::path& raw) {
  std::ifstream in(raw, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    std::int16_t value;
    std::memcpy(&value, bytes.data() + i, 2);
    if (value > 1000 || value < -1000) return true;
  }
  return false;
}

// With nothing forced from outside, choosing the other output type after
// init moves the open output to that type's driver, and samples loaded
// before still play there: the disk driver's file receives the tone.
TEST_F(SdlSoundLibraryTest, OutputTypeChosenAfterInitReopensOnItsDriver) {
  EnvironmentGuard guard({"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE"});
  unsetenv("SDL_AUDIODRIVER");
  const fs::path raw = folder_.path() / "out.raw";
  setenv("SDL_DISKAUDIOFILE", raw.string().c_str(), 1);

  SdlSoundLibrary library(SoundDriverTable{"disk", "dummy"});
  ASSERT_TRUE(library.set_output(kOutputDefault));  // before init: init uses it
  ASSERT_TRUE(library.init(kMixRateHz, kSoftwareChannels, kInitFlags));
  EXPECT_EQ(library.current_driver(), "dummy");
  const SampleHandle tick = load(library, tone_);
  ASSERT_TRUE(tick);

  ASSERT_TRUE(library.set_output(kOutputWaveOut));
  EXPECT_EQ(library.current_driver(), "disk");
  ASSERT_GE(library.play(kAnyFreeChannel, tick), 0);
  // The disk driver writes in real time; wait for the tone to arrive (the
  // limit only keeps a broken build from hanging).
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  bool heard = false;
  while (!heard && std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    heard = holds_sound(raw);
  }
  EXPECT_TRUE(heard);
  library.close();
}

}  // namespace
}  // namespace hero
