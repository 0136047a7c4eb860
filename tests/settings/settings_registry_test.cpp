// The declared settings: every value's name, default, range and encoding,
// and the layering of a skin's default under the player's own value.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "engine/memory_settings_store.h"
#include "engine/settings_values.h"
#include "tests/support/files.h"

namespace hero {
namespace {

using settings::Entry;

std::string folded(std::string_view name) {
  std::string text(name);
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// Every name written in a declaration ({"Name", ...}) of the header.
std::set<std::string> declared_names() {
  const std::string header =
      test::read_file(std::filesystem::path(std::getenv("HERO_SOURCE_DIR")) / "engine" / "settings_values.h");
  std::set<std::string> names;
  for (std::size_t at = header.find("{\""); at != std::string::npos; at = header.find("{\"", at + 1)) {
    const std::size_t start = at + 2;
    std::size_t end = start;
    while (end < header.size() && std::isalnum(static_cast<unsigned char>(header[end]))) ++end;
    if (end > start && header.compare(end, 2, "\",") == 0) names.insert(header.substr(start, end - start));
  }
  return names;
}

// all() lists every declared value (at least the handheld's 13 settings:
// eleven values, seven keys and seven pad buttons), and the store finds
// names without regard to case: no two may meet there.
TEST(SettingsRegistry, EveryNameIsDeclaredOnceWithADefaultInsideItsRange) {
  const auto entries = settings::all();
  std::set<std::string> listed;
  for (const Entry& e : entries) listed.insert(std::string(e.name));
  EXPECT_EQ(listed, declared_names()) << "a value declared in settings_values.h is missing from all()";
  EXPECT_GE(entries.size(), 25u);
  std::set<std::string> names;
  for (const Entry& e : entries) {
    EXPECT_TRUE(names.insert(folded(e.name)).second) << e.name;
    if (e.kind == Entry::Kind::integer) {
      EXPECT_LE(e.min, e.max) << e.name;
      const int value = std::stoi(e.default_text);
      EXPECT_TRUE(value >= e.min && value <= e.max) << e.name;
    }
  }
}

// Missing, unreadable or out of range: the default. Stored as decimal text;
// a flag as "1"/"0", read as true for any number but 0.
TEST(SettingsRegistry, EachEntryReadsItsDefaultUntilAGoodValueIsStored) {
  for (const Entry& e : settings::all()) {
    MemorySettingsStore store;
    switch (e.kind) {
      case Entry::Kind::flag: {
        const settings::Flag flag{e.name, e.default_text == "1"};
        EXPECT_EQ(settings::read(store, flag), flag.default_value) << e.name;
        store.write_text(e.name, "yes");
        EXPECT_EQ(settings::read(store, flag), flag.default_value) << e.name;
        for (const char* on : {"1", "2", "-1", "0x10"}) {
          store.write_text(e.name, on);
          EXPECT_TRUE(settings::read(store, flag)) << e.name << "=" << on;
        }
        settings::write(store, flag, false);
        EXPECT_EQ(store.read_text(e.name), "0");
        EXPECT_FALSE(settings::read(store, flag)) << e.name;
        settings::write(store, flag, true);
        EXPECT_EQ(store.read_text(e.name), "1");
        break;
      }
      case Entry::Kind::integer: {
        const settings::Integer integer{e.name, std::stoi(e.default_text), e.min, e.max, e.skin_key};
        EXPECT_EQ(settings::read(store, integer), integer.default_value) << e.name;
        EXPECT_FALSE(settings::read_stored(store, integer)) << e.name;
        for (const char* bad : {"", "lots", "5 ", "1e3", "99999999999"}) {
          store.write_text(e.name, bad);
          EXPECT_EQ(settings::read(store, integer), integer.default_value) << e.name << "=" << bad;
        }
        if (integer.min > std::numeric_limits<std::int32_t>::min()) {
          store.write_text(e.name, std::to_string(std::int64_t{integer.min} - 1));
          EXPECT_EQ(settings::read(store, integer), integer.default_value) << e.name;
        }
        if (integer.max < std::numeric_limits<std::int32_t>::max()) {
          store.write_text(e.name, std::to_string(std::int64_t{integer.max} + 1));
          EXPECT_EQ(settings::read(store, integer), integer.default_value) << e.name;
        }
        settings::write(store, integer, integer.max);
        EXPECT_EQ(store.read_text(e.name), std::to_string(integer.max));
        EXPECT_EQ(settings::read(store, integer), integer.max) << e.name;
        store.write_text(
            e.name, "$" + [&] {
              char hex[16];
              std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(integer.min));
              return std::string(hex);
            }());
        EXPECT_EQ(settings::read(store, integer), integer.min) << e.name << " in hexadecimal";
        break;
      }
      case Entry::Kind::text: {
        const settings::Text text{e.name, e.default_text};
        EXPECT_EQ(settings::read(store, text), e.default_text);
        settings::write(store, text, "leftshoulder");
        EXPECT_EQ(settings::read(store, text), "leftshoulder");
        break;
      }
    }
  }
}

TEST(SettingsRegistry, ThePlayersValueWinsOverTheSkinsWhichWinsOverTheBuiltIn) {
  const settings::Integer& ghost = settings::kGhostSegments;
  EXPECT_EQ(ghost.skin_key, "GhostSegments");
  EXPECT_EQ(settings::layered(std::nullopt, std::nullopt, ghost), 0);
  EXPECT_EQ(settings::layered(std::nullopt, 12, ghost), 12);
  EXPECT_EQ(settings::layered(std::nullopt, 500, ghost), 30)
      << "a skin's value out of range: its nearest end";
  EXPECT_EQ(settings::layered(std::nullopt, -4, ghost), 0);
  EXPECT_EQ(settings::layered(5, 12, ghost), 5);
  EXPECT_EQ(settings::layered(0, 12, ghost), 0) << "the player's 0 is a choice, not nothing";
}

}  // namespace
}  // namespace hero
