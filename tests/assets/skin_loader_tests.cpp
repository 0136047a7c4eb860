// The generated skins loaded the way the program loads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/skins/gfxinit.h"
#include "display/skins/scene.h"
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
