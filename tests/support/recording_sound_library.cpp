#include "tests/support/recording_sound_library.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace hero {

std::string RecordingSoundLibrary::describe(SampleHandle sample) {
  return sample ? "#" + std::to_string(sample.id) : std::string("null");
}

bool RecordingSoundLibrary::init(int mix_rate_hz, int max_channels, unsigned flags) {
  calls_.push_back("init " + std::to_string(mix_rate_hz) + " " + std::to_string(max_channels) + " " +
                   std::to_string(flags));
  if (forward_ != nullptr) return forward_->init(mix_rate_hz, max_channels, flags);
  if (initialised_) return true;
  if (mix_rate_hz <= 0 || max_channels <= 0 || flags != 0) return false;
  initialised_ = true;
  channel_count_ = max_channels;
  next_channel_ = 0;
  return true;
}

bool RecordingSoundLibrary::set_output(int output_type) {
  calls_.push_back("set_output " + std::to_string(output_type));
  if (forward_ != nullptr) return forward_->set_output(output_type);
  return output_type == kOutputWaveOut || output_type == kOutputDefault;
}

SampleHandle RecordingSoundLibrary::load_sample(int slot, const std::string& path, unsigned mode, int offset,
                                                int length) {
  char mode_text[16];
  std::snprintf(mode_text, sizeof mode_text, "0x%x", mode);
  std::string line = "load " + std::to_string(slot) + " " + path + " " + mode_text + " " +
                     std::to_string(offset) + " " + std::to_string(length);
  SampleHandle handle;
  if (forward_ != nullptr) {
    handle = forward_->load_sample(slot, path, mode, offset, length);
  } else {
    std::error_code error;
    if (initialised_ && offset == 0 && length == 0 && std::filesystem::is_regular_file(path, error)) {
      handle = SampleHandle{next_id_++};
      loaded_.insert(handle.id);
    }
  }
  calls_.push_back(line + " -> " + describe(handle));
  return handle;
}

int RecordingSoundLibrary::play(int channel, SampleHandle sample) {
  int result = -1;
  if (forward_ != nullptr) {
    result = forward_->play(channel, sample);
  } else if (initialised_ && loaded_.count(sample.id) != 0) {
    if (channel == kAnyFreeChannel) {
      result = next_channel_;
      next_channel_ = (next_channel_ + 1) % channel_count_;
    } else if (channel >= 0 && channel < channel_count_) {
      result = channel;
    }
  }
  calls_.push_back("play " + std::to_string(channel) + " " + describe(sample) + " -> " +
                   std::to_string(result));
  return result;
}

bool RecordingSoundLibrary::stop(int channel) {
  calls_.push_back("stop " + std::to_string(channel));
  if (forward_ != nullptr) return forward_->stop(channel);
  return initialised_;
}

void RecordingSoundLibrary::free_sample(SampleHandle sample) {
  calls_.push_back("free " + describe(sample));
  if (forward_ != nullptr) forward_->free_sample(sample);
  loaded_.erase(sample.id);
}

void RecordingSoundLibrary::set_master_volume(int percent) {
  calls_.push_back("volume " + std::to_string(percent));
  if (forward_ != nullptr) forward_->set_master_volume(percent);
}

void RecordingSoundLibrary::close() {
  calls_.push_back("close");
  if (forward_ != nullptr) forward_->close();
  initialised_ = false;
  loaded_.clear();
}

}  // namespace hero
