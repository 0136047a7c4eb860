#include "assets/generator/tone_synth.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include <sndfile.h>

namespace hero::assetgen {
namespace {

struct Voice {
  double volume = 0.5;
  double duty = 0.5;
  double fade_ms = 2.0;
};

std::runtime_error bad_line(int line, const std::string& text, const std::string& why) {
  return std::runtime_error("tone description line " + std::to_string(line) + " (\"" + text + "\"): " + why);
}

void play(std::vector<std::int16_t>& out, const Voice& voice, double from_hz, double to_hz, double ms) {
  const auto count = static_cast<long>(std::lround(ms * kSampleRateHz / 1000.0));
  const double fade = voice.fade_ms * kSampleRateHz / 1000.0;
  double phase = 0.0;
  for (long i = 0; i < count; ++i) {
    const double t = count > 1 ? static_cast<double>(i) / static_cast<double>(count - 1) : 0.0;
    // A glide is exponential in pitch, as the ear hears it.
    const double hz = from_hz * std::pow(to_hz / from_hz, t);
    phase += hz / kSampleRateHz;
    phase -= std::floor(phase);
    double envelope = 1.0;
    if (fade > 0)
      envelope =
          std::min({1.0, (static_cast<double>(i) + 1.0) / fade, static_cast<double>(count - i) / fade});
    const double level = (phase < voice.duty ? 1.0 : -1.0) * voice.volume * envelope;
    out.push_back(static_cast<std::int16_t>(std::lround(level * 32767.0)));
  }
}

}  // namespace

std::vector<std::int16_t> synthesise_tone(const std::string& description) {
  std::vector<std::int16_t> out;
  Voice voice;
  std::istringstream lines(description);
  std::string raw;
  int number = 0;
  while (std::getline(lines, raw)) {
    ++number;
    std::string text = raw.substr(0, raw.find('#'));
    std::istringstream words(text);
    std::string command;
    if (!(words >> command)) continue;
    std::vector<double> values;
    std::string word;
    while (words >> word) {
      std::size_t used = 0;
      double value = 0;
      try {
        value = std::stod(word, &used);
      } catch (const std::exception&) {
        used = 0;
      }
      if (used != word.size() || !std::isfinite(value))
        throw bad_line(number, raw, "'" + word + "' is not a number");
      values.push_back(value);
    }
    const auto want = [&](std::size_t n) {
      if (values.size() != n)
        throw bad_line(number, raw, "'" + command + "' takes " + std::to_string(n) + " number(s)");
    };
    const auto in_range = [&](double v, double lo, double hi, const char* what) {
      if (v < lo || v > hi) throw bad_line(number, raw, std::string(what) + " out of range");
      return v;
    };
    if (command == "volume") {
      want(1);
      voice.volume = in_range(values[0], 0.0, 1.0, "volume");
    } else if (command == "duty") {
      want(1);
      voice.duty = in_range(values[0], 0.05, 0.95, "duty");
    } else if (command == "fade") {
      want(1);
      voice.fade_ms = in_range(values[0], 0.0, 100.0, "fade");
    } else if (command == "note") {
      want(2);
      const double hz = in_range(values[0], 20.0, kSampleRateHz / 2.0, "frequency");
      play(out, voice, hz, hz, in_range(values[1], 0.0, 5000.0, "duration"));
    } else if (command == "slide") {
      want(3);
      play(out, voice, in_range(values[0], 20.0, kSampleRateHz / 2.0, "frequency"),
           in_range(values[1], 20.0, kSampleRateHz / 2.0, "frequency"),
           in_range(values[2], 0.0, 5000.0, "duration"));
    } else if (command == "rest") {
      want(1);
      out.insert(out.end(),
                 static_cast<std::size_t>(
                     std::lround(in_range(values[0], 0.0, 5000.0, "duration") * kSampleRateHz / 1000.0)),
                 std::int16_t{0});
    } else {
      throw bad_line(number, raw, "unknown command '" + command + "'");
    }
  }
  if (out.empty()) throw std::runtime_error("tone description makes no sound");
  return out;
}

void write_wav(const std::string& path, const std::vector<std::int16_t>& samples) {
  SF_INFO info{};
  info.samplerate = kSampleRateHz;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
  const auto count = static_cast<sf_count_t>(samples.size());
  const sf_count_t written = sf_write_short(file, samples.data(), count);
  const int closed = sf_close(file);
  if (written != count || closed != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace hero::assetgen
