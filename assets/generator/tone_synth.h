// The handheld's beeps: a piezo buzzer driven with a square wave. A tone
// description is a small text file, one command a line ('#' starts a comment):
//   volume V            loudness 0..1 of the following notes (default 0.5)
//   duty D              share of each period the buzzer is on, 0.05..0.95 (0.5)
//   fade MS             fade in and out of each note, so no note clicks (2)
//   note HZ MS          a steady note
//   slide HZ1 HZ2 MS    a note gliding from HZ1 to HZ2
//   rest MS             silence
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hero::assetgen {

inline constexpr int kSampleRateHz = 22050;

// Parses a description and returns 16-bit mono samples at kSampleRateHz.
// Throws std::runtime_error naming the line of any malformed command.
std::vector<std::int16_t> synthesise_tone(const std::string& description);

// Writes 16-bit mono PCM WAV through libsndfile; throws on failure.
void write_wav(const std::string& path, const std::vector<std::int16_t>& samples);

}  // namespace hero::assetgen
