// Pieces that a recorded and a replayed session both put between the engine
// and the window: an LCD that also remembers which glyph each digit position
// shows, and a sound sink that also notes every request for the show line.
#pragma once

#include <string>
#include <vector>

#include "startup/session/virtual_handheld.h"

namespace hero {

// Every change goes on to the window's LCD; the picture copies are followed
// as the virtual LCD follows them, so the panel can be read as digits.
class TrackingSurface final : public SegmentSurface {
 public:
  explicit TrackingSurface(SegmentSurface& lcd) : lcd_(lcd) {}
  void set_visible(ElementId id, bool visible) override;
  bool is_visible(ElementId id) const override { return lcd_.is_visible(id); }
  void copy_picture(ElementId to, ElementId from) override;
  void clear_picture(ElementId id) override;

  // The four digit positions as the panel field of a show line.
  std::string panel_text() const { return copy_.panel_text(); }

 private:
  SegmentSurface& lcd_;
  VirtualSurface copy_;
};

// Every request goes on to the window's sound output (which stays silent
// while no driver plays), and is noted as hero-trace's sound sink notes it.
class TeeSoundSink final : public SoundSink {
 public:
  explicit TeeSoundSink(SoundSink& out) : out_(out) {}
  void play(SoundId id) override;
  void stop_all() override;
  // The requests since the previous call.
  std::vector<std::string> take() { return noted_.take(); }

 private:
  SoundSink& out_;
  RecordingSoundSink noted_;
};

// A show line's fields by name, in order; the panel's quoted digits stay one
// field. Used to say which field of two lines differs.
std::vector<std::pair<std::string, std::string>> show_fields(std::string_view line);

// The first field in which `actual` differs from `expected`, in words
// ("score is 5, the recording says 6"); empty when both are equal.
std::string show_difference(std::string_view expected, std::string_view actual);

}  // namespace hero
