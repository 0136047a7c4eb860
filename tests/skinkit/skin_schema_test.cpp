// The skin file's one schema: what `hero-skin check` says of a number is
// what the handheld's loader does with it, for every numeric key and the
// values at and past the ends of its range.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <climits>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "display/lcd/element_ids.h"
#include "display/skins/gfxinit.h"
#include "display/skins/skin_schema.h"
#include "tests/skinkit/skinkit_support.h"
#include "tests/support/recording_errors.h"
#include "tools/skin/skin_check.h"

namespace hero::skinkit {
namespace {

namespace fs = std::filesystem;
using skin_schema::Key;

struct Loaded {
  std::optional<std::string> refused;  // the loader's message
  QRect element;                       // [Image2] in skin pixels
  QSize game;
};

// A skin without pictures whose line 5 sets `key` to `value`.
std::string config_with(const Key& key, const std::string& value) {
  const std::string section = key.section == "Image" ? "Image2" : std::string(key.section);
  std::string text = "; a skin of no pictures\n[" + section + "]\n; the value\n; under test\n" +
                     std::string(key.name) + "=" + value + "\n";
  text +=
      "[Common]\nGameWidth=300\nGameHeight=200\n[Image2]\nFilename=nil\nLeft=10\nTop=20\nWidth=30\nHeight="
      "40\n";
  return text;
}

Loaded load(const fs::path& program_folder) {
  SkinCatalogue catalogue;
  catalogue.skin_count = 1;
  catalogue.entries[0].path = "Skin\\";
  Loaded loaded;
  for (const bool fullscreen : {false, true}) {
    Scene scene;
    SkinLoadRequest request;
    request.catalogue = &catalogue;
    request.fullscreen_mode = fullscreen;
    request.screen_size = QSize(1920, 1080);
    request.program_folder = program_folder;
    request.current_folder = program_folder;
    test::RecordingErrors errors;
    try {
      load_skin(scene, request, errors);
    } catch (const SkinError& e) {
      loaded.refused = e.what();
      return loaded;
    }
    if (!fullscreen) {
      loaded.element = scene.geometry(skin_image(2));
      loaded.game = scene.layout_size();
    }
  }
  return loaded;
}

TEST(SkinSchema, TheCheckerSaysWhatTheLoaderDoesWithEveryNumber) {
  test::qt_app();
  QTemporaryDir dir;
  const fs::path program_folder = dir.path().toStdString();
  fs::create_directories(program_folder / "Skin");
  int judged = 0;
  for (const Key& key : skin_schema::keys()) {
    if (key.type != skin_schema::Type::integer) continue;
    std::vector<long long> values = {key.min, key.max, 0, -1, 1, INT_MIN, INT_MAX};
    if (key.min > INT_MIN) values.push_back(static_cast<long long>(key.min) - 1);
    if (key.max < INT_MAX) values.push_back(static_cast<long long>(key.max) + 1);
    for (const long long value : values) {
      std::ofstream(program_folder / "Skin" / "Config.ini") << config_with(key, std::to_string(value));
      const Loaded loaded = load(program_folder);
      std::optional<Finding> said;
      for (const Finding& f : check_skin(program_folder / "Skin"))
        if (f.line == 5) said = f;
      const std::string what = std::string(key.name) + "=" + std::to_string(value);
      const bool inside = value >= key.min && value <= key.max;
      if (loaded.refused) {
        ASSERT_TRUE(said) << what << ": the loader refuses it, the checker says nothing";
        EXPECT_EQ(said->level, Level::error) << what;
        EXPECT_EQ(said->message, *loaded.refused) << what;
      } else {
        EXPECT_TRUE(!said || said->level == Level::warning) << what << ": " << said->message;
        EXPECT_EQ(said.has_value(), !inside) << what;
        if (said && key.outside == skin_schema::Outside::clamped) {
          EXPECT_NE(said->message.find("clamps"), std::string::npos) << what;
        }
      }
      // What the loader used where the checker says it clamps.
      const auto clamped = static_cast<int>(std::clamp<long long>(value, key.min, key.max));
      if (key.section == "Image" && key.name == "Width") {
        EXPECT_EQ(loaded.element.width(), clamped) << what;
      }
      if (key.section == "Image" && key.name == "Left") {
        EXPECT_EQ(loaded.element.x(), clamped) << what;
      }
      if (key.name == "GameWidth" && !loaded.refused) {
        EXPECT_EQ(loaded.game.width(), value) << what;
      }
      ++judged;
    }
  }
  EXPECT_GT(judged, 60);
}

// A refused game area is one error, the loader's, with no warnings that
// follow from laying the skin out in a size the handheld never uses.
TEST(SkinSchema, ARefusedGameAreaIsTheLoadersOneError) {
  test::qt_app();
  for (const char* width : {"40000", "-5", "0"}) {
    QTemporaryDir dir;
    const fs::path skin = fs::path(dir.path().toStdString()) / "Skin";
    fs::copy(test::install_dir() / "Graphics" / "Skin1", skin, fs::copy_options::recursive);
    std::string config = test::read_file(skin / "Config.ini");
    const auto at = config.find("GameWidth=1475");
    ASSERT_NE(at, std::string::npos);
    config.replace(at, 14, std::string("GameWidth=") + width);
    std::ofstream(skin / "Config.ini") << config;
    const auto findings = check_skin(skin);
    ASSERT_EQ(findings.size(), 1u) << width << ": " << format_finding(findings.back());
    EXPECT_EQ(findings[0].level, Level::error);
    EXPECT_EQ(findings[0].message, std::string("Skin configuration file (Skin\\Config.ini): GameWidth is ") +
                                       width +
                                       ", but the game area must be from 1 to 8192 pixels wide and high.");
    EXPECT_EQ(findings[0].message.find("clamp"), std::string::npos);
  }
}

}  // namespace
}  // namespace hero::skinkit
