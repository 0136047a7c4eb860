// The skin catalogue, the skin loader's two layouts, its failures and edge
// cases, and the manual's page loader, on installations made in temporary
// folders.
#include "display/skins/gfxinit.h"

#include <gtest/gtest.h>

#include "display/files/ini_file.h"
#include "tests/skins/test_support.h"

namespace hero {
namespace {

using test::RecordingErrors;
using test::TempFolder;

class GfxinitTest : public ::testing::Test {
 protected:
  void SetUp() override { test::qt_app(); }

  void write_catalogue(const std::string& text) { folder_.write("Config.ini", text); }
  void write_skin(const std::string& text, const std::string& path = "Graphics/Skin1/") {
    folder_.write(path + "Config.ini", text);
  }

  // Reads the catalogue and loads skin `selected` the way Play does.
  void load(bool fullscreen, QSize screen = {1920, 1080}, int selected = 1) {
    catalogue_ = read_skin_catalogue(folder_.path(), errors_);
    SkinLoadRequest request;
    request.catalogue = &catalogue_;
    request.selected_skin = selected;
    request.fullscreen_mode = fullscreen;
    request.screen_size = screen;
    request.program_folder = folder_.path();
    request.current_folder = folder_.path();
    load_skin(scene_, request, errors_);
  }

  TempFolder folder_;
  RecordingErrors errors_;
  SkinCatalogue catalogue_;
  Scene scene_;
};

// ---- Catalogue --------------------------------------------------------------

TEST_F(GfxinitTest, MissingCatalogueIsAnInstallationErrorWithAnEmptyList) {
  const SkinCatalogue c = read_skin_catalogue(folder_.path(), errors_);
  ASSERT_EQ(errors_.messages.size(), 1u);
  EXPECT_EQ(errors_.messages[0], "Configuration file (Config.ini) not found. Please reinstall the game.");
  EXPECT_EQ(c.listed_count(), 0);
}

TEST_F(GfxinitTest, CatalogueWithoutSkinsKeyListsTwoDefaultEntries) {
  write_catalogue("[Skin2]\nName=Night\n");
  const SkinCatalogue c = read_skin_catalogue(folder_.path(), errors_);
  EXPECT_TRUE(errors_.messages.empty());
  ASSERT_EQ(c.listed_count(), 2);
  EXPECT_EQ(c.entry(1).path, "Graphics\\Skin1\\");
  EXPECT_EQ(c.entry(1).name, "Nameless Skin");
  EXPECT_EQ(c.entry(2).path, "Graphics\\Skin2\\");
  EXPECT_EQ(c.entry(2).name, "Night");
}

TEST_F(GfxinitTest, SkinCountsOutsideTheTableAreHeldToIt) {
  write_catalogue("[Common]\nSkins=0\n");
  EXPECT_EQ(read_skin_catalogue(folder_.path(), errors_).listed_count(), 0);
  write_catalogue("[Common]\nSkins=-4\n");
  EXPECT_EQ(read_skin_catalogue(folder_.path(), errors_).listed_count(), 0);
  write_catalogue("[Common]\nSkins=1000\n[Skin99]\nName=Last\n");
  const SkinCatalogue c = read_skin_catalogue(folder_.path(), errors_);
  EXPECT_EQ(c.skin_count, 1000);
  ASSERT_EQ(c.listed_count(), 99);
  EXPECT_EQ(c.entry(99).name, "Last");
  EXPECT_EQ(c.entry(99).path, "Graphics\\Skin99\\");
}

TEST_F(GfxinitTest, SkinPathGetsItsDelimiterAppended) {
  write_catalogue("[Common]\nSkins=2\n[Skin1]\nPath=Graphics\\Retro\n[Skin2]\nPath=Graphics\\Done\\\n");
  const SkinCatalogue c = read_skin_catalogue(folder_.path(), errors_);
  EXPECT_EQ(c.entry(1).path, "Graphics\\Retro\\");
  EXPECT_EQ(c.entry(2).path, "Graphics\\Done\\");
}

// A player's own skins (folders holding a Config.ini) follow the
// installation's in name order, by their whole path, and load as any skin;
// the list still ends at 99.
TEST_F(GfxinitTest, APlayersOwnSkinsFollowTheInstallationsAndLoad) {
  write_catalogue("[Common]\nSkins=1\n[Skin1]\nName=Classic\n");
  write_skin("[Common]\nGameWidth=300\nGameHeight=200\n");
  folder_.write("mine/Zebra/config.ini", "[Common]\nGameWidth=123\nGameHeight=45\n");
  folder_.write("mine/Apple/Config.ini", "[Common]\n");
  folder_.write("mine/not a skin/readme.txt", "hello");
  folder_.write("mine/stray.ini", "[Common]\n");
  const std::filesystem::path mine = folder_.path() / "mine";
  const SkinCatalogue c = read_skin_catalogue(folder_.path(), errors_, mine);
  ASSERT_EQ(c.listed_count(), 3);
  EXPECT_EQ(c.entry(1).name, "Classic");
  EXPECT_EQ(c.entry(2).name, "Apple");
  EXPECT_EQ(c.entry(2).path, (mine / "Apple").string() + "/");
  EXPECT_EQ(c.entry(3).name, "Zebra");

  SkinLoadRequest request;
  request.catalogue = &c;
  request.selected_skin = 3;
  request.program_folder = folder_.path();
  request.current_folder = folder_.path();
  load_skin(scene_, request, errors_);
  EXPECT_TRUE(errors_.messages.empty()) << errors_.messages[0];
  EXPECT_EQ(scene_.client_size(), QSize(123, 45));

  // The catalogue's own paths stay inside the program folder, even one
  // written as the player's skin's whole path.
  write_catalogue("[Common]\nSkins=1\n[Skin1]\nPath=" + (mine / "Zebra").string() + "\n");
  const SkinCatalogue installed_only = read_skin_catalogue(folder_.path(), errors_);
  request.catalogue = &installed_only;
  request.selected_skin = 1;
  load_skin(scene_, request, errors_);
  ASSERT_EQ(errors_.messages.size(), 1u);
  EXPECT_NE(errors_.messages[0].find("not found"), std::string::npos) << errors_.messages[0];

  write_catalogue("[Common]\nSkins=99\n");
  EXPECT_EQ(read_skin_catalogue(folder_.path(), errors_, mine).listed_count(), 99);
  EXPECT_EQ(read_skin_catalogue(folder_.path(), errors_, folder_.path() / "nowhere").listed_count(), 99);
}

TEST_F(GfxinitTest, CatalogueIsFoundWhateverTheCaseOfItsName) {
  folder_.write("CONFIG.INI", "[Common]\nSkins=1\n");
  EXPECT_EQ(read_skin_catalogue(folder_.path(), errors_).listed_count(), 1);
  EXPECT_TRUE(errors_.messages.empty());
}

// ---- Loader failures ----------------------------------------------------------

TEST_F(GfxinitTest, MissingSkinFileIsReportedAndOnlyTheMenuButtonIsSet) {
  write_catalogue("[Common]\nSkins=1\n[Skin1]\nPath=Graphics\\Gone\n");
  load(true);
  ASSERT_EQ(errors_.messages.size(), 1u);
  EXPECT_EQ(errors_.messages[0],
            "Skin configuration file (Graphics\\Gone\\Config.ini) not found. Please reinstall the skin.");
  EXPECT_EQ(scene_.client_size(), Scene::kClientSizeBeforeSkin);
  EXPECT_TRUE(scene_.is_visible(ElementId::btn_game_menu_top));
  EXPECT_TRUE(scene_.is_visible(ElementId::btn_game_menu_background));
  EXPECT_EQ(scene_.geometry(ElementId::btn_game_menu_background).size(), QSize(36, 32));

  load(false);
  EXPECT_FALSE(scene_.is_visible(ElementId::btn_game_menu_top));
  EXPECT_FALSE(scene_.is_visible(ElementId::btn_game_menu_background));
}

TEST_F(GfxinitTest, EmptyCatalogueCannotLoadAnySkin) {
  // The catalogue itself must not be taken for a skin file.
  write_catalogue("[Common]\nSkins=0\nGameWidth=10\n");
  load(false);
  ASSERT_EQ(errors_.messages.size(), 1u);
  EXPECT_EQ(errors_.messages[0],
            "Skin configuration file (Config.ini) not found. Please reinstall the skin.");
  EXPECT_EQ(scene_.client_size(), Scene::kClientSizeBeforeSkin);
}

// The conversion message first, then the key, the file and its line, as
// hero-skin check words it.
TEST_F(GfxinitTest, ColourThatIsNoNumberStopsTheLoadNamingItsFileLineAndKey) {
  write_catalogue("[Common]\nSkins=1\n");
  write_skin(
      "[Fullscreen]\nBgColor=red\n[Shaped]\n; the key colour\nTranspColor=0x12zz\n[Image1]\nWidth=50\n");
  try {
    load(true);
    FAIL() << "loaded";
  } catch (const SkinError& e) {
    EXPECT_STREQ(e.what(),
                 "'red' is not a valid integer value: BgColor must be a colour number such as $00ff00ff "
                 "(Graphics\\Skin1\\Config.ini, line 2, [Fullscreen])");
  }
  EXPECT_EQ(scene_.geometry(ElementId::im_background).width(), 0);  // never reached
  try {
    load(false);
    FAIL() << "loaded";
  } catch (const SkinError& e) {
    EXPECT_STREQ(
        e.what(),
        "'0x12zz' is not a valid integer value: TranspColor must be a colour number such as $00ff00ff "
        "(Graphics\\Skin1\\Config.ini, line 5, [Shaped])");
  }
}

TEST_F(GfxinitTest, UndecodablePictureStopsTheLoadAtThatElement) {
  write_catalogue("[Common]\nSkins=1\n");
  write_skin("[Image1]\nFilename=back.png\nWidth=5\n[Image2]\nFilename=top.png\nWidth=7\n");
  folder_.write("Graphics/Skin1/back.png", "garbage");
  try {
    load(true);
    FAIL() << "loaded";
  } catch (const PictureError& e) {
    EXPECT_NE(std::string(e.what()).find("'Graphics\\Skin1\\back.png'"), std::string::npos) << e.what();
  }
  EXPECT_EQ(scene_.geometry(ElementId::im_background_screen_top).width(), 0);
  EXPECT_FALSE(scene_.is_visible(ElementId::btn_game_menu_top));  // the rest of the load is not done
}

// ---- Windowed layout ----------------------------------------------------------

TEST_F(GfxinitTest, WindowedLayoutUsesTheGameSizeAndTheColourKey) {
  write_catalogue("[Common]\nSkins=1\n");
  write_skin(
      "[Common]\nGameWidth=800\nGameHeight=400\n[Shaped]\nTranspColor=$0000ff00\n"
      "[Fullscreen]\nGameOffsetX=50\n[Image3]\nLeft=10\nTop=20\nWidth=30\nHeight=40\n");
  load(false);
  EXPECT_TRUE(errors_.messages.empty());
  EXPECT_EQ(scene_.client_size(), QSize(800, 400));
  EXPECT_TRUE(scene_.colour_key_enabled());
  EXPECT_EQ(scene_.key_colour(), QColor(0, 255, 0));
  EXPECT_EQ(scene_.background_colour(), QColor(0, 255, 0));
  EXPECT_EQ(scene_.geometry(ElementId::btn_game_a_down), QRect(10, 20, 30, 40));
  EXPECT_EQ(scene_.geometry(ElementId::la_pause), QRect(350, 187, 100, 25));
  EXPECT_FALSE(scene_.is_visible(ElementId::btn_game_menu_top));
}

TEST_F(GfxinitTest, DefaultsGiveTheWideSkinSizeAndMagentaKey) {
  write_catalogue("");
  write_skin("");
  load(false);
  EXPECT_EQ(scene_.client_size(), QSize(1475, 870));
  EXPECT_EQ(scene_.key_colour(), QColor(255, 0, 255));
  // A missing section leaves its element 0 x 0 at the game area's corner.
  EXPECT_EQ(scene_.geometry(ElementId::im_rogue_x1y4), QRect(0, 0, 0, 0));
}

TEST_F(GfxinitTest, NegativeElementSizesBecomeEmpty) {
  write_catalogue("");
  write_skin("[Common]\nGameWidth=10\nGameHeight=8\n[Image5]\nWidth=-3\nHeight=-9\nLeft=-4\n");
  load(false);
  EXPECT_EQ(scene_.client_size(), QSize(10, 8));
  EXPECT_EQ(scene_.geometry(ElementId::btn_game_b_down), QRect(-4, 0, 0, 0));
  // A label larger than the window is centred by truncating division.
  EXPECT_EQ(scene_.geometry(ElementId::la_pause).topLeft(), QPoint(-45, -8));
}

TEST_F(GfxinitTest, GameAreaWithoutPixelsIsASkinError) {
  write_catalogue("");
  write_skin("[Common]\nGameWidth=-5\nGameHeight=-1\n");
  EXPECT_THROW(load(false), SkinError);
}

// ---- Full-screen layout -------------------------------------------------------

TEST_F(GfxinitTest, FullScreenLayoutCentresTheGameAreaOnTheScreen) {
  write_catalogue("");
  write_skin("[Fullscreen]\nBgColor=$00336699\n[Image1]\nLeft=10\nTop=5\nWidth=100\nHeight=50\n");
  load(true, {1920, 1080});
  EXPECT_EQ(scene_.client_size(), QSize(1920, 1080));
  EXPECT_FALSE(scene_.colour_key_enabled());
  EXPECT_EQ(scene_.background_colour(), QColor(0x99, 0x66, 0x33));
  // (1920 - 1475) / 2 = 222, (1080 - 870) / 2 = 105
  EXPECT_EQ(scene_.geometry(ElementId::im_background), QRect(232, 110, 100, 50));
  EXPECT_EQ(scene_.geometry(ElementId::la_pause), QRect(910, 527, 100, 25));
  EXPECT_TRUE(scene_.is_visible(ElementId::btn_game_menu_top));
  EXPECT_EQ(scene_.geometry(ElementId::btn_game_menu_background), QRect(0, 0, 36, 32));
}

TEST_F(GfxinitTest, GameOffsetsCentreOnZeroOrTextAndOtherwiseApply) {
  write_catalogue("");
  write_skin("[Fullscreen]\nGameOffsetX=-20\nGameOffsetY=abc\n[Image1]\nWidth=1\n");
  load(true, {1920, 1080});
  EXPECT_EQ(scene_.geometry(ElementId::im_background).topLeft(), QPoint(-20, 105));
  write_skin("[Fullscreen]\nGameOffsetX=0\nGameOffsetY=7\n[Image1]\nWidth=1\n");
  load(true, {1920, 1080});
  EXPECT_EQ(scene_.geometry(ElementId::im_background).topLeft(), QPoint(222, 7));
}

TEST_F(GfxinitTest, NarrowScreenGivesANegativeOffsetTruncatedTowardZero) {
  write_catalogue("");
  write_skin("[Common]\nGameHeight=871\n[Image1]\nWidth=1\n");
  load(true, {1280, 720});
  // (1280 - 1475) / 2 = -97.5 and (720 - 871) / 2 = -75.5, truncated toward zero.
  EXPECT_EQ(scene_.geometry(ElementId::im_background).topLeft(), QPoint(-97, -75));
}

TEST_F(GfxinitTest, BackdropCoversTheScreenCentredOrStretched) {
  write_catalogue("");
  folder_.save("Graphics/Skin1/back.png", test::solid(64, 32, Qt::darkBlue, Qt::darkBlue), "PNG");
  write_skin("[Fullscreen]\nBackdropFile=back.png\n");
  load(true, {1024, 768});
  EXPECT_TRUE(scene_.is_visible(ElementId::im_backdrop));
  EXPECT_EQ(scene_.geometry(ElementId::im_backdrop), QRect(0, 0, 1024, 768));
  EXPECT_EQ(scene_.picture_mode(ElementId::im_backdrop), PictureMode::centre);
  write_skin("[Fullscreen]\nBackdropFile=back.png\nBackdropStretch=1\n");
  load(true, {1024, 768});
  EXPECT_EQ(scene_.picture_mode(ElementId::im_backdrop), PictureMode::stretch);
  EXPECT_EQ(scene_.geometry(ElementId::im_backdrop), QRect(0, 0, 1024, 768));
}

TEST_F(GfxinitTest, LogoGoesToTheCornerItsPositionNames) {
  write_catalogue("");
  folder_.save("Graphics/Skin1/logo.bmp", test::solid(40, 20, Qt::red, Qt::white), "BMP");
  const struct {
    const char* position;
    QPoint at;
  } cases[] = {{"0", {0, 0}}, {"1", {760, 0}}, {"2", {0, 580}}, {"3", {760, 580}}, {"", {760, 0}}};
  for (const auto& c : cases) {
    write_skin(std::string("[Fullscreen]\nLogoFile=logo.bmp\n") +
               (*c.position ? std::string("LogoPosition=") + c.position + "\n" : std::string()));
    load(true, {800, 600});
    EXPECT_EQ(scene_.geometry(ElementId::im_backdrop_logo), QRect(c.at, QSize(40, 20))) << c.position;
    EXPECT_TRUE(scene_.is_visible(ElementId::im_backdrop_logo));
  }
}

TEST_F(GfxinitTest, LogoPositionSevenShowsTheLogoWhereItIs) {
  write_catalogue("");
  folder_.save("Graphics/Skin1/logo.bmp", test::solid(40, 20, Qt::red, Qt::white), "BMP");
  write_skin("[Fullscreen]\nLogoFile=logo.bmp\nLogoPosition=7\n");
  load(true, {800, 600});
  EXPECT_EQ(scene_.geometry(ElementId::im_backdrop_logo), QRect(0, 0, 40, 20));
  EXPECT_TRUE(scene_.is_visible(ElementId::im_backdrop_logo));
}

TEST_F(GfxinitTest, MissingBackdropAndLogoFilesAreSilentlyNotShown) {
  write_catalogue("");
  write_skin("[Fullscreen]\nBackdropFile=none.png\nLogoFile=nil\n");
  load(true);
  EXPECT_TRUE(errors_.messages.empty());
  EXPECT_FALSE(scene_.is_visible(ElementId::im_backdrop));
  EXPECT_FALSE(scene_.is_visible(ElementId::im_backdrop_logo));
}

TEST_F(GfxinitTest, SwitchingLayoutsHidesAndRestoresBackdropAndLogo) {
  write_catalogue("");
  folder_.save("Graphics/Skin1/back.jpg", test::solid(64, 32, Qt::darkBlue, Qt::darkBlue), "JPEG");
  folder_.save("Graphics/Skin1/logo.png", test::solid(40, 20, Qt::red, Qt::white), "PNG");
  write_skin("[Fullscreen]\nBackdropFile=back.jpg\nLogoFile=logo.png\n");
  load(true);
  load(false);
  EXPECT_FALSE(scene_.is_visible(ElementId::im_backdrop));
  EXPECT_FALSE(scene_.is_visible(ElementId::im_backdrop_logo));
  EXPECT_TRUE(scene_.colour_key_enabled());
  load(true);
  EXPECT_TRUE(scene_.is_visible(ElementId::im_backdrop));
  EXPECT_TRUE(scene_.is_visible(ElementId::im_backdrop_logo));
  EXPECT_EQ(scene_.geometry(ElementId::im_backdrop), QRect(0, 0, 1920, 1080));
}

// ---- Skin images -------------------------------------------------------------

TEST_F(GfxinitTest, NilOrEmptyFileNameKeepsThePictureButTakesTheGeometry) {
  write_catalogue("");
  folder_.save("Graphics/Skin1/hero.png", test::solid(8, 8, Qt::green, Qt::white), "PNG");
  write_skin("[Image66]\nFilename=hero.png\nWidth=8\n[Image67]\nFilename=hero.png\n");
  load(false);
  const qint64 key = scene_.picture(ElementId::im_hero_x1).image.cacheKey();
  write_skin("[Image66]\nFilename=nil\nLeft=3\nTop=4\nWidth=5\nHeight=6\n[Image67]\nFilename=\n");
  load(false);
  EXPECT_EQ(scene_.picture(ElementId::im_hero_x1).image.cacheKey(), key);
  EXPECT_EQ(scene_.geometry(ElementId::im_hero_x1), QRect(3, 4, 5, 6));
  EXPECT_EQ(scene_.picture(ElementId::im_hero_x2).size(), QSize(8, 8));
}

TEST_F(GfxinitTest, AbsentPictureFileGetsTheMissingPictureMarker) {
  write_catalogue("");
  write_skin("[Image40]\nFilename=gone.png\nWidth=10\nHeight=10\n");
  load(false);
  EXPECT_TRUE(errors_.messages.empty());
  const Picture& p = scene_.picture(ElementId::im_lady_1);
  ASSERT_EQ(p.size(), QSize(10, 10));
  EXPECT_EQ(p.image.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(p.image.pixelColor(0, 0), QColor(0, 0, 0));
}

TEST_F(GfxinitTest, SegmentVisibilitySurvivesALoad) {
  write_catalogue("");
  write_skin("[Image48]\nWidth=4\n");
  scene_.set_visible(ElementId::im_enemy_x1y1, true);
  load(false);
  EXPECT_TRUE(scene_.is_visible(ElementId::im_enemy_x1y1));
  EXPECT_FALSE(scene_.is_visible(ElementId::im_enemy_x1y2));
}

TEST_F(GfxinitTest, MixedFormatSkinWithUpperCaseFilesPlacesEveryElement) {
  write_catalogue("[Common]\nSkins=2\n[Skin2]\nPath=graphics\\retro\nName=Retro\n");
  // On disk in upper case, in the skin file in lower case.
  folder_.save("Graphics/RETRO/BACK.PNG", test::solid(300, 200, Qt::gray, Qt::magenta), "PNG");
  folder_.save("Graphics/RETRO/SEG.JPG", test::solid(6, 6, Qt::black, Qt::white), "JPEG", 100);
  folder_.save("Graphics/RETRO/BTN.BMP", test::solid(12, 8, Qt::blue, Qt::blue), "BMP");
  std::string skin = "[Common]\nGameWidth=300\nGameHeight=200\n";
  for (int n = 1; n <= 81; ++n) {
    const char* file = n == 1 ? "back.png" : n <= 15 ? "btn.bmp" : "seg.jpg";
    skin += "[Image" + std::to_string(n) + "]\nFilename=" + file + "\nLeft=" + std::to_string(n) +
            "\nTop=" + std::to_string(2 * n) + "\nWidth=" + std::to_string(n % 7 + 1) +
            "\nHeight=" + std::to_string(n % 5 + 1) + "\n";
  }
  folder_.write("Graphics/RETRO/config.ini", skin);
  load(false, {1920, 1080}, 2);
  ASSERT_TRUE(errors_.messages.empty()) << errors_.messages[0];
  for (int n = 1; n <= 81; ++n) {
    const ElementId id = skin_image(n);
    EXPECT_EQ(scene_.geometry(id), QRect(n, 2 * n, n % 7 + 1, n % 5 + 1)) << element_name(id);
    const QSize expected = n == 1 ? QSize(300, 200) : n <= 15 ? QSize(12, 8) : QSize(6, 6);
    EXPECT_EQ(scene_.picture(id).size(), expected) << element_name(id);
  }
  EXPECT_EQ(scene_.picture(ElementId::btn_left_down).image.pixelColor(3, 3), QColor(Qt::blue));
  // One file named by many sections is decoded once and shared.
  EXPECT_EQ(scene_.picture(ElementId::im_lady_0).image.cacheKey(),
            scene_.picture(ElementId::im_rogue_x1y4).image.cacheKey());
}

// ---- Manual pages ------------------------------------------------------------

TEST_F(GfxinitTest, ManualDefaultsApplyWithoutCatalogue) {
  const ManualPages m = load_manual_pages(folder_.path(), folder_.path());
  EXPECT_EQ(m.folder, "Graphics\\Manual\\");
  EXPECT_EQ(m.client_size, QSize(540, 360));
  for (const Picture& page : m.pages) EXPECT_EQ(page.size(), QSize(10, 10));
}

TEST_F(GfxinitTest, ManualPagesLoadFromTheNamedFolderWithMarkersForGaps) {
  write_catalogue("[Manual]\nManualDir=pages\nManualWidth=800\nManualHeight=wide\n");
  folder_.save("Pages/1.bmp", test::solid(800, 360, Qt::white, Qt::white), "BMP");
  folder_.save("Pages/8.BMP", test::solid(20, 20, Qt::cyan, Qt::cyan), "BMP");
  folder_.write("Pages/5.bmp", "BM broken");
  const ManualPages m = load_manual_pages(folder_.path(), folder_.path());
  EXPECT_EQ(m.folder, "pages\\");
  EXPECT_EQ(m.client_size, QSize(800, 360));
  EXPECT_EQ(m.pages[0].size(), QSize(800, 360));
  EXPECT_EQ(m.pages[7].image.pixelColor(1, 1), QColor(Qt::cyan));
  EXPECT_EQ(m.pages[1].size(), QSize(10, 10));
  EXPECT_EQ(m.pages[4].size(), QSize(10, 10));  // damaged: marker, and the message kept
  ASSERT_EQ(m.errors.size(), 1u);
  EXPECT_NE(m.errors[0].find("pages\\5.bmp"), std::string::npos);
}

// The player's language has its pages in a folder named for it; a language
// without its first page there (or English) reads ManualDir's own.
TEST_F(GfxinitTest, ManualPagesInThePlayersLanguageComeFromItsFolder) {
  folder_.save("Graphics/Manual/1.bmp", test::solid(54, 36, Qt::white, Qt::white), "BMP");
  folder_.save("Graphics/Manual/de/1.bmp", test::solid(54, 36, Qt::cyan, Qt::cyan), "BMP");
  folder_.save("Graphics/Manual/fr/2.bmp", test::solid(54, 36, Qt::cyan, Qt::cyan), "BMP");
  for (const auto& [language, folder] : std::vector<std::pair<std::string, std::string>>{
           {"de", "Graphics\\Manual\\de\\"}, {"fr", "Graphics\\Manual\\"}, {"", "Graphics\\Manual\\"}}) {
    ManualPages m = read_manual_section(folder_.path());
    choose_manual_language(m, language, folder_.path());
    EXPECT_EQ(m.folder, folder) << language;
    load_manual_page_pictures(m, folder_.path());
    EXPECT_EQ(m.pages[0].image.pixelColor(1, 1), language == "de" ? QColor(Qt::cyan) : QColor(Qt::white))
        << language;
  }
}

// A page's @2x twin is taken on a screen of two device pixels per pixel when
// it is twice the page; a twin of another size or a damaged one leaves the
// page as it is and says so, and without twins none is read.
TEST_F(GfxinitTest, ManualPageTwinsAreTakenOnlyWhenTwiceThePage) {
  folder_.save("Graphics/Manual/1.bmp", test::solid(54, 36, Qt::white, Qt::white), "BMP");
  folder_.save("Graphics/Manual/1@2x.bmp", test::solid(108, 72, Qt::cyan, Qt::cyan), "BMP");
  folder_.save("Graphics/Manual/2.bmp", test::solid(54, 36, Qt::white, Qt::white), "BMP");
  folder_.save("Graphics/Manual/2@2x.bmp", test::solid(100, 72, Qt::cyan, Qt::cyan), "BMP");
  folder_.save("Graphics/Manual/3.bmp", test::solid(54, 36, Qt::white, Qt::white), "BMP");
  folder_.write("Graphics/Manual/3@2x.bmp", "BM broken");
  const ManualPages plain = load_manual_pages(folder_.path(), folder_.path());
  EXPECT_TRUE(plain.pages[0].twin.isNull());
  EXPECT_TRUE(plain.errors.empty());

  const ManualPages m = load_manual_pages(folder_.path(), folder_.path(), true);
  EXPECT_EQ(m.pages[0].twin.size(), QSize(108, 72));
  EXPECT_EQ(m.pages[0].twin.pixelColor(5, 5), QColor(Qt::cyan));
  for (int n : {1, 2}) {
    EXPECT_TRUE(m.pages[n].twin.isNull());
    EXPECT_EQ(m.pages[n].size(), QSize(54, 36));
  }
  ASSERT_EQ(m.errors.size(), 2u);
  EXPECT_NE(m.errors[0].find("2@2x.bmp is not twice the size"), std::string::npos) << m.errors[0];
  EXPECT_NE(m.errors[1].find("3@2x.bmp"), std::string::npos) << m.errors[1];
}

}  // namespace
}  // namespace hero

namespace hero {
namespace {

class SkinTwinsTest : public GfxinitTest {
 protected:
  void load_at(double zoom, double device_ratio) {
    catalogue_ = read_skin_catalogue(folder_.path(), errors_);
    SkinLoadRequest request;
    request.catalogue = &catalogue_;
    request.selected_skin = 1;
    request.zoom = zoom;
    request.device_pixel_ratio = device_ratio;
    request.screen_size = {1920, 1080};
    request.program_folder = folder_.path();
    request.current_folder = folder_.path();
    load_skin(scene_, request, errors_);
  }
  // A skin of two pictures: back.png (40 x 20) with its twin, and down.png.
  void write_back_and_down() {
    write_catalogue("[Common]\nSkins=1\n");
    write_skin(
        "[Common]\nGameWidth=40\nGameHeight=20\n[Image1]\nFilename=back.png\nWidth=40\nHeight=20\n"
        "[Image3]\nFilename=down.png\nLeft=2\nTop=2\nWidth=6\nHeight=4\n");
    folder_.save("Graphics/Skin1/back.png", test::solid(40, 20, Qt::gray, Qt::magenta), "PNG");
    folder_.save("Graphics/Skin1/back@2x.png", test::solid(80, 40, Qt::darkGray, Qt::magenta), "PNG");
    folder_.save("Graphics/Skin1/down.png", test::solid(6, 4, Qt::red, Qt::red), "PNG");
  }
};

// back@2x.png beside back.png is taken where the handheld is magnified, and
// only there; a skin without twins still lays out at every zoom.
TEST_F(SkinTwinsTest, TwinsComeWithTheirPicturesWhereMagnified) {
  write_back_and_down();
  load_at(1.0, 1.0);
  EXPECT_TRUE(scene_.picture(ElementId::im_background).twin.isNull());
  for (auto [zoom, ratio] : {std::pair{2.0, 1.0}, std::pair{1.0, 2.0}, std::pair{1.25, 1.0}}) {
    load_at(zoom, ratio);
    ASSERT_TRUE(errors_.messages.empty());
    EXPECT_EQ(scene_.picture(ElementId::im_background).twin.size(), QSize(80, 40)) << zoom << " " << ratio;
    EXPECT_TRUE(scene_.picture(skin_image(3)).twin.isNull());  // none beside it
    EXPECT_EQ(scene_.client_size(), QSize(static_cast<int>(40 * zoom), static_cast<int>(20 * zoom)));
  }
  // Zoomed out on a HiDPI screen: one device pixel per skin pixel, no twins.
  load_at(0.5, 2.0);
  EXPECT_TRUE(scene_.picture(ElementId::im_background).twin.isNull());
  EXPECT_EQ(scene_.client_size(), QSize(20, 10));
}

TEST_F(SkinTwinsTest, DamagedTwinIsReportedLikeAnyPicture) {
  write_catalogue("[Common]\nSkins=1\n");
  write_skin("[Common]\nGameWidth=40\nGameHeight=20\n[Image1]\nFilename=back.png\nWidth=40\nHeight=20\n");
  folder_.save("Graphics/Skin1/back.png", test::solid(40, 20, Qt::gray, Qt::magenta), "PNG");
  folder_.write("Graphics/Skin1/back@2x.png", "\x89PNG\r\n\x1a\n not a picture");
  EXPECT_THROW(load_at(2.0, 1.0), PictureError);
  EXPECT_NO_THROW(load_at(1.0, 1.0));  // at 100 % the twin is not read
}

// back.svg beside back.png is the picture's drawing: read wherever the
// handheld is shown at any size but its own (then in place of the @2x
// twin), never at 100 % on a plain screen; one of another size is not the
// picture's, and a hostile one stops the load like a damaged twin.
TEST_F(SkinTwinsTest, DrawingsBesideThePicturesAreTakenAtAnyOtherSize) {
  const std::string drawing =
      "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20'><rect width='9' height='9'/></svg>";
  write_back_and_down();
  folder_.write("Graphics/Skin1/back.svg", drawing);
  folder_.write("Graphics/Skin1/down.svg", drawing);  // 40 x 20: not the picture's
  load_at(1.0, 1.0);
  EXPECT_FALSE(scene_.picture(ElementId::im_background).vector);
  for (auto [zoom, ratio] : {std::pair{3.0, 1.0}, std::pair{1.0, 2.0}, std::pair{0.5, 1.0}}) {
    load_at(zoom, ratio);
    ASSERT_TRUE(errors_.messages.empty());
    EXPECT_TRUE(scene_.picture(ElementId::im_background).vector) << zoom << " " << ratio;
    EXPECT_TRUE(scene_.picture(ElementId::im_background).twin.isNull()) << zoom << " " << ratio;
    EXPECT_FALSE(scene_.picture(skin_image(3)).vector) << zoom << " " << ratio;
  }
  folder_.write("Graphics/Skin1/back.svg",
                "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='20'>"
                "<image href='back.png' width='40' height='20'/></svg>");
  EXPECT_THROW(load_at(2.0, 1.0), PictureError);
  EXPECT_NO_THROW(load_at(1.0, 1.0));
}

TEST(TwinNames, TwinTakesAt2xBeforeTheExtension) {
  EXPECT_EQ(twin_name("back.png"), "back@2x.png");
  EXPECT_EQ(twin_name("Seg\\im_hero.Bmp"), "Seg\\im_hero@2x.Bmp");
  EXPECT_EQ(twin_name("a.b\\noext"), "a.b\\noext@2x");
}

}  // namespace
}  // namespace hero
