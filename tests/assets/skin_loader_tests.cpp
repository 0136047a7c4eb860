// The generated skins loaded the way the program loads them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "display/skins/gfxinit.h"
#include "display/skins/picture_loader.h"
#include "display/skins/scene.h"
#include "display/skins/vector_picture.h"
#include "tests/assets/asset_test_support.h"
#include "tests/support/recording_errors.h"

namespace hero {
namespace {

bool is_marker(const Picture& picture) {
  return picture.image.convertToFormat(QImage::Format_RGB32) ==
         missing_picture_marker().image.convertToFormat(QImage::Format_RGB32);
}

TEST(GeneratedSkinLoadTest, BothSkinsLoadWithoutMissingPictures) {
  test::ensure_gui();
  test::RecordingErrors errors;
  const SkinCatalogue catalogue = read_skin_catalogue(test::install_dir(), errors);
  ASSERT_EQ(catalogue.listed_count(), 2);
  for (int skin = 1; skin <= 2; ++skin) {
    for (bool fullscreen : {false, true}) {
      Scene scene;
      SkinLoadRequest request;
      request.catalogue = &catalogue;
      request.selected_skin = skin;
      request.fullscreen_mode = fullscreen;
      request.screen_size = QSize(1920, 1080);
      request.program_folder = test::install_dir();
      request.current_folder = test::install_dir();
      ASSERT_NO_THROW(load_skin(scene, request, errors)) << skin;
      EXPECT_TRUE(errors.messages.empty()) << errors.messages.front();
      const IniFile ini = test::skin_ini(test::kSkinsUnderTest[skin - 1]);
      for (int n = 1; n <= kSkinImageCount; ++n) {
        const ElementId id = skin_image(n);
        const std::string file = ini.read_string(test::section_of(id), "Filename", "");
        if (file.empty() || file == "nil") continue;
        EXPECT_FALSE(scene.picture(id).empty()) << file;
        EXPECT_FALSE(is_marker(scene.picture(id))) << file << " came out as the missing-picture marker";
      }
      if (fullscreen) {
        EXPECT_FALSE(scene.picture(ElementId::im_backdrop).empty());
        EXPECT_FALSE(is_marker(scene.picture(ElementId::im_backdrop)));
        EXPECT_FALSE(scene.picture(ElementId::im_backdrop_logo).empty());
      }
    }
  }
}

// Each picture's drawing, beside it, is the same picture: drawn at the
// picture's own size it differs from it only by the edges' rounding, so the
// handheld looks the same whichever is drawn. The handheld loads the drawings
// only where it is shown at another size.
TEST(GeneratedSkinLoadTest, EveryPicturesDrawingDrawsThatPicture) {
  test::ensure_gui();
  for (const test::SkinUnderTest& skin : test::kSkinsUnderTest) {
    const IniFile ini = test::skin_ini(skin);
    const std::filesystem::path folder = test::install_dir() / skin.folder;
    int compared = 0;
    for (int n = 1; n <= kSkinImageCount; ++n) {
      const std::string file = ini.read_string(test::section_of(skin_image(n)), "Filename", "");
      if (file.empty() || file == "nil") continue;
      const Picture picture = load_picture(folder / file);
      std::shared_ptr<const VectorPicture> drawing;
      ASSERT_NO_THROW(drawing = load_vector_picture(folder / vector_twin_name(file), vector_twin_name(file)))
          << skin.folder << "/" << file;
      ASSERT_EQ(drawing->size, picture.size()) << file;
      const QImage drawn =
          render_vector_picture(*drawing, picture.size()).convertToFormat(QImage::Format_ARGB32);
      const QImage painted = picture.image.convertToFormat(QImage::Format_ARGB32);
      std::int64_t difference = 0;
      for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
          const QRgb a = drawn.pixel(x, y), b = painted.pixel(x, y);
          // Compared as seen: each over white.
          const auto seen = [](QRgb c, int channel) { return channel + (255 - qAlpha(c)); };
          difference += std::abs(seen(a, qRed(a)) - seen(b, qRed(b))) +
                        std::abs(seen(a, qGreen(a)) - seen(b, qGreen(b))) +
                        std::abs(seen(a, qBlue(a)) - seen(b, qBlue(b)));
        }
      const double mean = static_cast<double>(difference) / (3.0 * drawn.width() * drawn.height());
      EXPECT_LT(mean, 4.0) << skin.folder << "/" << file << " and its drawing differ by " << mean
                           << " a channel";
      ++compared;
    }
    EXPECT_GT(compared, 60) << skin.folder;
  }
}

TEST(GeneratedManualLoadTest, AllEightPagesLoadAtTheViewersSize) {
  test::ensure_gui();
  const ManualPages pages = load_manual_pages(test::install_dir(), test::install_dir());
  EXPECT_TRUE(pages.errors.empty());
  EXPECT_EQ(pages.client_size, QSize(540, 360));
  for (const Picture& page : pages.pages) {
    EXPECT_EQ(page.size(), QSize(540, 360));
    EXPECT_FALSE(is_marker(page));
  }
}

}  // namespace
}  // namespace hero
