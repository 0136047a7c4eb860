#include "startup/session/session_parts.h"

#include "display/files/printable.h"
#include "startup/session/trace_script.h"

namespace hero {

void TrackingSurface::set_visible(ElementId id, bool visible) {
  lcd_.set_visible(id, visible);
  copy_.set_visible(id, visible);
}

void TrackingSurface::copy_picture(ElementId to, ElementId from) {
  lcd_.copy_picture(to, from);
  copy_.copy_picture(to, from);
}

void TrackingSurface::clear_picture(ElementId id) {
  lcd_.clear_picture(id);
  copy_.clear_picture(id);
}

void TeeSoundSink::play(SoundId id) {
  noted_.play(id);
  out_.play(id);
}

void TeeSoundSink::stop_all() {
  noted_.stop_all();
  out_.stop_all();
}

std::vector<std::pair<std::string, std::string>> show_fields(std::string_view line) {
  std::vector<std::pair<std::string, std::string>> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i >= line.size()) break;
    const std::size_t start = i;
    bool quoted = false;
    while (i < line.size() && (quoted || line[i] != ' ')) {
      if (line[i] == '"') quoted = !quoted;
      ++i;
    }
    const std::string_view field = line.substr(start, i - start);
    const auto equals = field.find('=');
    if (equals == std::string_view::npos) {
      fields.emplace_back(std::string(field), std::string());
    } else {
      fields.emplace_back(std::string(field.substr(0, equals)), std::string(field.substr(equals + 1)));
    }
  }
  return fields;
}

std::string show_difference(std::string_view expected, std::string_view actual) {
  if (expected == actual) return {};
  const auto want = show_fields(expected);
  const auto have = show_fields(actual);
  for (std::size_t i = 0; i < want.size() && i < have.size(); ++i) {
    if (want[i].first != have[i].first) break;
    if (want[i].second != have[i].second)
      return want[i].first + " is " + have[i].second + ", the recording says " +
             printable(want[i].second, kMaxScriptLineChars);
  }
  // Fields missing, added or in another order: another version's line.
  return "the handheld shows \"" + std::string(actual) + "\", the recording says \"" +
         printable(expected, kMaxScriptLineChars) + "\"";
}

}  // namespace hero
