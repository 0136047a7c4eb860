#include "startup/session/virtual_handheld.h"

#include <algorithm>
#include <memory>

namespace hero {

// --- Timers -----------------------------------------------------------------

void VirtualTimer::set_interval_ms(int interval_ms) { beat_.set_interval_ms(interval_ms, time_.now_ms()); }

void VirtualTimer::set_enabled(bool enabled) { beat_.set_enabled(enabled, time_.now_ms()); }

VirtualTime::VirtualTime() {
  for (auto& t : timers_) t = std::make_unique<VirtualTimer>(*this);
}

std::array<EngineTimer*, kTimerCount> VirtualTime::timer_pointers() {
  std::array<EngineTimer*, kTimerCount> out{};
  for (int i = 0; i < kTimerCount; ++i) out[i] = timers_[i].get();
  return out;
}

std::optional<TimerId> VirtualTime::next_due(std::int64_t end_ms) const {
  std::optional<TimerId> best;
  std::int64_t best_deadline = 0;
  // Strictly earlier wins, so equal deadlines keep the timers' own order.
  for (int i = 0; i < kTimerCount; ++i) {
    const VirtualTimer& t = *timers_[i];
    if (!t.armed() || t.deadline_ms() > end_ms) continue;
    if (!best || t.deadline_ms() < best_deadline) {
      best = static_cast<TimerId>(i);
      best_deadline = t.deadline_ms();
    }
  }
  return best;
}

void VirtualTime::advance(std::int64_t ms, const std::function<void(TimerId)>& fire) {
  const std::int64_t end_ms = now_ms_ + std::max<std::int64_t>(ms, 0);
  while (const auto id = next_due(end_ms)) {
    VirtualTimer& t = timer(*id);
    now_ms_ = t.deadline_ms();
    t.fired();
    fire(*id);
  }
  now_ms_ = end_ms;
}

std::optional<TimerId> VirtualTime::step(std::int64_t limit_ms, const std::function<void(TimerId)>& fire) {
  const auto id = next_due(now_ms_ + std::max<std::int64_t>(limit_ms, 0));
  if (!id) return std::nullopt;
  VirtualTimer& t = timer(*id);
  now_ms_ = t.deadline_ms();
  t.fired();
  fire(*id);
  return id;
}

// --- Surface ----------------------------------------------------------------

VirtualSurface::VirtualSurface() {
  for (int i = 0; i < kElementCount; ++i) picture_[i] = static_cast<ElementId>(i);
}

std::optional<int> VirtualSurface::digit_at(int position) const {
  if (position < 1 || position > 4) return std::nullopt;
  static constexpr std::array<ElementId, 4> kDigits = {
      ElementId::im_panel_digit_1, ElementId::im_panel_digit_2, ElementId::im_panel_digit_3,
      ElementId::im_panel_digit_4};
  const ElementId digit = kDigits[position - 1];
  const auto picture = picture_of(digit);
  if (!is_visible(digit) || !picture) return std::nullopt;
  const int glyph = index_of(*picture) - index_of(ElementId::im_panel_number_0);
  if (glyph < 0 || glyph > 9) return std::nullopt;
  return glyph;
}

std::string VirtualSurface::panel_text() const {
  std::string text;
  for (int p = 1; p <= 4; ++p) {
    const auto d = digit_at(p);
    text += d ? static_cast<char>('0' + *d) : ' ';
  }
  return text;
}

std::vector<std::string> VirtualSurface::lit_names() const { return hero::lit_names(*this); }

std::vector<std::string> lit_names(const SegmentSurface& surface) {
  std::vector<std::string> names;
  for (int i = 0; i < kElementCount; ++i) {
    const auto id = static_cast<ElementId>(i);
    if (!surface.is_visible(id)) continue;
    const bool digit_position = id == ElementId::im_panel_digit_1 || id == ElementId::im_panel_digit_2 ||
                                id == ElementId::im_panel_digit_3 || id == ElementId::im_panel_digit_4;
    const bool glyph =
        i >= index_of(ElementId::im_panel_number_0) && i <= index_of(ElementId::im_panel_number_9);
    const bool button = id == ElementId::btn_game_a_down || id == ElementId::btn_game_b_down ||
                        id == ElementId::btn_time_down || id == ElementId::btn_acl_down ||
                        id == ElementId::btn_left_down || id == ElementId::btn_right_down;
    if ((is_segment(id) && !digit_position && !glyph) || button || id == ElementId::la_pause)
      names.emplace_back(element_name(id));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// --- Random, sound ------------------------------------------------------------

int ScriptedRandom::draw(int lo, int hi) {
  ++draw_count_;
  if (!scripted_.empty()) {
    const int value = scripted_.front();
    scripted_.pop_front();
    if (value < lo || value > hi)
      throw ScriptedDrawError("draw value " + std::to_string(value) + " is outside " + std::to_string(lo) +
                              ".." + std::to_string(hi));
    return value;
  }
  // Plain modulo of a 64-bit value keeps the sequence the same on every
  // standard library; the bias over ranges of at most 30 is negligible.
  const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
  const std::uint64_t r = (static_cast<std::uint64_t>(generator_()) << 32) | generator_();
  return static_cast<int>(lo + static_cast<std::int64_t>(r % span));
}

std::string_view sound_name(SoundId id) {
  switch (id) {
    case SoundId::chance:
      return "chance";
    case SoundId::got:
      return "got";
    case SoundId::miss1:
      return "miss1";
    case SoundId::miss2:
      return "miss2";
    case SoundId::tick:
      return "tick";
  }
  return "?";
}

std::string_view timer_name(TimerId id) {
  switch (id) {
    case TimerId::Chance_Time:
      return "Chance_Time";
    case TimerId::Clock:
      return "Clock";
    case TimerId::Game:
      return "Game";
    case TimerId::Game_Over:
      return "Game_Over";
    case TimerId::Miss:
      return "Miss";
  }
  return "?";
}

void RecordingSoundSink::play(SoundId id) { events_.emplace_back(sound_name(id)); }

std::vector<std::string> RecordingSoundSink::take() {
  std::vector<std::string> out;
  out.swap(events_);
  return out;
}

namespace {
constexpr std::array<std::pair<std::string_view, Button>, 7> kButtons = {{
    {"game_a", Button::game_a},
    {"game_b", Button::game_b},
    {"time", Button::time},
    {"acl", Button::acl},
    {"left", Button::left},
    {"right", Button::right},
    {"pause", Button::pause},
}};
}  // namespace

std::optional<Button> button_by_name(std::string_view name) {
  for (const auto& [n, b] : kButtons)
    if (n == name) return b;
  return std::nullopt;
}

std::string_view button_name(Button b) {
  for (const auto& [n, button] : kButtons)
    if (button == b) return n;
  return "?";
}

// --- The whole handheld ---------------------------------------------------------

VirtualHandheld::VirtualHandheld(std::uint32_t seed)
    : random_(seed),
      engine_(EngineServices{surface_, time_.timer_pointers(), sound_, store_, random_, clock_}) {
  engine_.set_snd_enabled(true);
}

void VirtualHandheld::press(Button b) { engine_.press(b); }

void VirtualHandheld::release(Button b) { engine_.release(b); }

void VirtualHandheld::wait(std::int64_t ms) {
  time_.advance(ms, [this](TimerId id) { engine_.on_timer(id); });
}

std::optional<TimerId> VirtualHandheld::next_event(std::int64_t limit_ms) {
  return time_.step(limit_ms, [this](TimerId id) { engine_.on_timer(id); });
}

namespace {
std::string join(const std::vector<std::string>& items) {
  if (items.empty()) return "-";
  std::string out;
  for (const auto& item : items) {
    if (!out.empty()) out += ',';
    out += item;
  }
  return out;
}
}  // namespace

std::string show_line(std::int64_t t_ms, const EngineState& s,
                      const std::array<const EngineTimer*, kTimerCount>& timer_list,
                      const SegmentSurface& lcd, const std::string& panel,
                      const std::vector<std::string>& sounds) {
  std::vector<std::string> timers;
  for (int i = 0; i < kTimerCount; ++i) {
    const EngineTimer& t = *timer_list[static_cast<std::size_t>(i)];
    if (t.enabled())
      timers.push_back(std::string(timer_name(static_cast<TimerId>(i))) + ":" +
                       std::to_string(t.interval_ms()));
  }
  std::string line;
  line += "t=" + std::to_string(t_ms);
  line += " mode=" + std::to_string(s.game_mode);
  line += " score=" + std::to_string(s.score);
  line += " hi_a=" + std::to_string(s.hi_score_a);
  line += " hi_b=" + std::to_string(s.hi_score_b);
  line += " misses=" + std::to_string(s.misses);
  line += std::string(" half=") + (s.half_miss ? "1" : "0");
  line += " hero=" + std::to_string(s.hero_lane);
  line += " rogue=" + std::to_string(s.rogue_side) + "/" + std::to_string(s.rogue_phase);
  line += std::string(" paused=") + (s.paused ? "1" : "0");
  line += std::string(" moves=") + (s.moves_enabled ? "1" : "0");
  line += " panel=\"" + panel + "\"";
  line += " timers=" + join(timers);
  line += " lit=" + join(lit_names(lcd));
  line += " sounds=" + join(sounds);
  return line;
}

std::string VirtualHandheld::show_line() {
  std::array<const EngineTimer*, kTimerCount> timers{};
  for (int i = 0; i < kTimerCount; ++i)
    timers[static_cast<std::size_t>(i)] = &time_.timer(static_cast<TimerId>(i));
  return hero::show_line(time_.now_ms(), engine_.state(), timers, surface_, surface_.panel_text(),
                         sound_.take());
}

std::string VirtualHandheld::dump_store() const {
  std::string out;
  for (const auto& [name, value] : store_.all()) out.append(name).append("=").append(value).append("\n");
  return out;
}

}  // namespace hero
