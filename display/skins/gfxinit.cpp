#include "display/skins/gfxinit.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "display/files/ini_file.h"
#include "display/files/path_resolver.h"
#include "display/lcd/element_ids.h"
#include "display/skins/skin_schema.h"
#include "display/skins/vector_picture.h"

namespace hero {
namespace {

namespace fs = std::filesystem;

constexpr char kCatalogueFile[] = "Config.ini";

bool ends_in_delimiter(const std::string& s) { return !s.empty() && (s.back() == '\\' || s.back() == '/'); }

std::string with_delimiter(std::string s) {
  if (!ends_in_delimiter(s)) s += '\\';
  return s;
}

// "nil" (exactly so) and the empty value both mean that no file is given.
bool names_a_file(const std::string& value) { return !value.empty() && value != "nil"; }

// Skin colours are written 0x00BBGGRR, red in the low byte.
QColor colour_from(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

int clamp_coordinate(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, -Scene::kMaxCoordinate, Scene::kMaxCoordinate));
}

int clamp_side(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, Scene::kMaxSide)); }

// A file in the program folder, named as Windows would join the folder and
// the name, so a name starting with "\" still stays inside the folder.
fs::path in_program_folder(const fs::path& program_folder, const std::string& name) {
  return PathResolver().resolve(program_folder.string() + "/" + name);
}

bool is_file(const fs::path& p) {
  std::error_code ec;
  return fs::exists(p, ec) && !fs::is_directory(p, ec);
}

// Where a picture name's extension starts: the last dot after the last folder
// separator, or the end of the name when it has none.
std::size_t extension_start(const std::string& name) {
  const std::size_t folder = name.find_last_of("\\/");
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || (folder != std::string::npos && dot < folder)) return name.size();
  return dot;
}

}  // namespace

std::string twin_name(const std::string& name) {
  const std::size_t ext = extension_start(name);
  return name.substr(0, ext) + "@2x" + name.substr(ext);
}

std::string vector_twin_name(const std::string& name) {
  return name.substr(0, extension_start(name)) + ".svg";
}

SkinPictures::SkinPictures(const std::filesystem::path& current_folder, std::string skin_path, bool twins,
                           bool vectors)
    : resolver_(std::make_unique<PathResolver>(current_folder)),
      skin_path_(std::move(skin_path)),
      twins_(twins),
      vectors_(vectors) {}

SkinPictures::~SkinPictures() = default;

bool SkinPictures::exists(const std::string& name) const { return resolver_->file_exists(skin_path_ + name); }

std::filesystem::path SkinPictures::resolve(const std::string& name) const {
  return resolver_->resolve(skin_path_ + name);
}

Picture SkinPictures::load(const std::string& name) {
  const fs::path file = resolve(name);
  auto it = decoded_.find(file);
  if (it == decoded_.end()) {
    Picture picture = load_counted(file, skin_path_ + name);
    // The drawing beside the picture is drawn instead wherever the picture
    // would be magnified or reduced; one of another size is not its drawing.
    const std::string drawing = vector_twin_name(name);
    if (vectors_ && !picture.vector && drawing != name && exists(drawing)) {
      std::shared_ptr<const VectorPicture> vector =
          load_vector_picture(resolve(drawing), skin_path_ + drawing);
      if (vector->size == picture.size()) picture.vector = std::move(vector);
    }
    const std::string twin = twin_name(name);
    if (twins_ && !picture.vector && twin != name && exists(twin)) {
      const Picture drawn_twice = load_counted(resolve(twin), skin_path_ + twin);
      picture.twin = drawn_twice.image;
      picture.twin_has_alpha = drawn_twice.has_alpha;
    }
    it = decoded_.emplace(file, std::move(picture)).first;
  }
  return it->second;
}

Picture SkinPictures::load_counted(const std::filesystem::path& file, const std::string& shown_name) {
  PixelAllowance allowance;
  allowance.max_pixels = std::min(kMaxPicturePixels, kMaxSkinPixels - pixels_used_);
  allowance.budget_note = "the skin's pictures together past " + std::to_string(kMaxSkinPixels) + " pixels";
  Picture picture = load_picture(file, shown_name, allowance);
  pixels_used_ += std::int64_t{picture.size().width()} * picture.size().height();
  return picture;
}

Scene::View fullscreen_view(QSize game, QSize screen, std::int32_t offset_x, std::int32_t offset_y,
                            bool fit) {
  Scene::View view;
  view.skin_only = true;
  double scale = 1.0;
  if (fit && game.width() > 0 && game.height() > 0) {
    // Each axis limits the scale: a centred one by the area alone, a stated
    // one by the offset and the area together.
    const double across = static_cast<double>(screen.width()) /
                          (offset_x != 0 ? double(offset_x) + game.width() : game.width());
    const double down = static_cast<double>(screen.height()) /
                        (offset_y != 0 ? double(offset_y) + game.height() : game.height());
    scale = std::min(across, down);
    if (!(scale > 0.0) || scale > 16.0) scale = 1.0;
  }
  view.scale = scale;
  auto place = [scale](std::int32_t offset, int screen_side, int game_side) {
    if (offset != 0) return static_cast<std::int64_t>(std::llround(offset * scale));
    return (std::int64_t{screen_side} - static_cast<std::int64_t>(std::llround(game_side * scale))) / 2;
  };
  view.origin = QPoint(clamp_coordinate(place(offset_x, screen.width(), game.width())),
                       clamp_coordinate(place(offset_y, screen.height(), game.height())));
  return view;
}

// ---- Skin catalogue ---------------------------------------------------------

int SkinCatalogue::listed_count() const { return std::clamp(skin_count, 0, kMaxSkins); }

std::vector<SkinEntry> read_player_skins(const fs::path& folder) {
  std::vector<SkinEntry> skins;
  std::error_code ec;
  if (folder.empty() || !fs::is_directory(folder, ec)) return skins;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_directory(ec)) continue;
    const std::string path = it->path().string() + "/";
    if (!PathResolver().file_exists(path + "Config.ini")) continue;
    skins.push_back({path, it->path().filename().string(), true});
    // Far more folders than the list can offer are not looked at.
    if (skins.size() > static_cast<std::size_t>(kMaxSkins) * 4) break;
  }
  std::sort(skins.begin(), skins.end(),
            [](const SkinEntry& a, const SkinEntry& b) { return a.name < b.name; });
  return skins;
}

SkinCatalogue read_skin_catalogue(const fs::path& program_folder, InstallationErrors& errors,
                                  const fs::path& player_skins) {
  SkinCatalogue catalogue;
  const fs::path file = in_program_folder(program_folder, kCatalogueFile);
  if (!is_file(file)) {
    errors.report("Configuration file (Config.ini) not found. Please reinstall the game.");
    return catalogue;
  }
  const IniFile ini = IniFile::load(file);
  catalogue.skin_count = ini.read_integer("Common", "Skins", 2);
  for (int k = 1; k <= catalogue.listed_count(); ++k) {
    const std::string section = "Skin" + std::to_string(k);
    SkinEntry& entry = catalogue.entries[static_cast<std::size_t>(k - 1)];
    entry.path =
        with_delimiter(ini.read_string(section, "Path", "Graphics\\Skin" + std::to_string(k) + "\\"));
    entry.name = ini.read_string(section, "Name", "Nameless Skin");
  }
  int count = catalogue.listed_count();
  for (SkinEntry& skin : read_player_skins(player_skins)) {
    if (count >= kMaxSkins) break;
    catalogue.entries[static_cast<std::size_t>(count++)] = std::move(skin);
  }
  if (count > catalogue.listed_count()) catalogue.skin_count = count;
  return catalogue;
}

// ---- Skin loader ------------------------------------------------------------

void load_skin(Scene& scene, const SkinLoadRequest& request, InstallationErrors& errors) {
  const SkinCatalogue* catalogue = request.catalogue;
  const bool chosen = catalogue != nullptr && request.selected_skin >= 1 &&
                      request.selected_skin <= catalogue->listed_count();
  const std::string skin_path = chosen ? catalogue->entry(request.selected_skin).path : std::string();
  // A player's own skin is named by its whole path; the catalogue's stay
  // inside the program folder.
  const fs::path config = chosen && catalogue->entry(request.selected_skin).players_own
                              ? PathResolver().resolve(skin_path + "Config.ini")
                              : in_program_folder(request.program_folder, skin_path + "Config.ini");

  if (!chosen || !is_file(config)) {
    errors.report("Skin configuration file (" + skin_path +
                  "Config.ini) not found. Please reinstall the skin.");
  } else {
    std::vector<IniLine> lines;  // where each key stands, for the messages
    const IniFile ini = IniFile::load(config, &lines);
    const std::string config_name = skin_path + "Config.ini";
    // Height first, then width, as the window takes them.
    // Every number as the skin file's schema says: its default, its range,
    // and a value outside it refused, clamped or without effect.
    const auto number = [&](std::string_view section, std::string_view name) {
      return skin_schema::read(ini, section, skin_schema::key(section, name), config_name);
    };
    const int game_height = number("Common", "GameHeight");
    const int game_width = number("Common", "GameWidth");
    const QSize game(game_width, game_height);
    Scene::View view;
    if (request.fullscreen_mode) {
      // "Center", 0 and anything that is not an integer centre the game area.
      const bool too_large =
          game.width() > request.screen_size.width() || game.height() > request.screen_size.height();
      view = fullscreen_view(game, request.screen_size, number("Fullscreen", "GameOffsetX"),
                             number("Fullscreen", "GameOffsetY"),
                             request.fullscreen_fit || (request.fit_when_too_large && too_large));
    } else {
      view.scale = request.zoom > 0.0 && request.zoom <= 16.0 ? request.zoom : 1.0;
    }
    // Twice the pixels are worth loading only where they are shown.
    const double density = view.scale * request.device_pixel_ratio;
    SkinPictures files(request.current_folder, skin_path, density > 1.0, density != 1.0);
    scene.set_view(view);
    scene.set_client_size(game);
    // The skin's own faintness of unlit segments; out of range is the nearest end.
    scene.set_skin_ghost_percent(number("Common", settings::kGhostSegments.skin_key));
    // And how slowly its segments darken and clear.
    scene.set_skin_response_ms(number("Common", settings::kLcdResponse.skin_key));
    // And the shadows its segments cast on the reflector, when shown.
    scene.set_skin_shadow_look({number("Common", settings::kShadowOffsetX.skin_key),
                                number("Common", settings::kShadowOffsetY.skin_key),
                                number("Common", settings::kShadowBlur.skin_key),
                                number("Common", settings::kShadowOpacity.skin_key)});
    const QSize client = scene.layout_size();  // as the window took it

    if (request.fullscreen_mode) {
      const std::string backdrop = ini.read_string("Fullscreen", "BackdropFile", "nil");
      if (names_a_file(backdrop) && files.exists(backdrop)) {
        scene.set_picture(ElementId::im_backdrop, files.load(backdrop));
        scene.set_picture_mode(ElementId::im_backdrop, number("Fullscreen", "BackdropStretch") != 0
                                                           ? PictureMode::stretch
                                                           : PictureMode::centre);
        scene.set_visible(ElementId::im_backdrop, true);
        scene.set_geometry(ElementId::im_backdrop, QRect(QPoint(0, 0), client));
      }

      scene.set_background_colour(colour_from(skin_schema::read_colour(
          ini, "Fullscreen", skin_schema::key("Fullscreen", "BgColor"), config_name, lines)));
      scene.set_colour_key(false, scene.key_colour());
      scene.set_client_size(request.screen_size);

      const std::string logo = ini.read_string("Fullscreen", "LogoFile", "nil");
      if (names_a_file(logo) && files.exists(logo)) {
        scene.set_picture(ElementId::im_backdrop_logo, files.load(logo));
        const QSize size = scene.picture(ElementId::im_backdrop_logo).size();
        const QSize screen = scene.layout_size();
        QPoint at = scene.geometry(ElementId::im_backdrop_logo).topLeft();
        switch (number("Fullscreen", "LogoPosition")) {
          case 0:
            at = QPoint(0, 0);
            break;
          case 1:
            at = QPoint(screen.width() - size.width(), 0);
            break;
          case 2:
            at = QPoint(0, screen.height() - size.height());
            break;
          case 3:
            at = QPoint(screen.width() - size.width(), screen.height() - size.height());
            break;
          default:
            break;  // any other corner number leaves the logo where it is
        }
        scene.set_visible(ElementId::im_backdrop_logo, true);
        scene.set_geometry(ElementId::im_backdrop_logo, QRect(at, size));
      }
    } else {
      const QColor key = colour_from(skin_schema::read_colour(
          ini, "Shaped", skin_schema::key("Shaped", "TranspColor"), config_name, lines));
      scene.set_background_colour(key);
      scene.set_colour_key(true, key);
      scene.set_visible(ElementId::im_backdrop, false);
      scene.set_visible(ElementId::im_backdrop_logo, false);
    }

    const QSize window = scene.layout_size();
    const QSize label = Scene::kPauseLabelSize;
    scene.set_geometry(ElementId::la_pause,
                       QRect((window.width() - label.width()) / 2, (window.height() - label.height()) / 2,
                             label.width(), label.height()));

    for (int n = 1; n <= kSkinImageCount; ++n) {
      const ElementId element = skin_image(n);
      const std::string section = "Image" + std::to_string(n);
      const std::string file = ini.read_string(section, "Filename", "");
      if (names_a_file(file)) {
        // An element whose section names no file keeps the picture it had.
        scene.set_picture(element, files.exists(file) ? files.load(file) : missing_picture_marker());
      }
      // In skin pixels: the view places and scales them.
      scene.set_geometry(element, QRect(number(section, "Left"), number(section, "Top"),
                                        number(section, "Width"), number(section, "Height")));
    }
  }

  // The in-game menu button belongs to the full-screen layout only, even when
  // the skin could not be found.
  scene.set_visible(ElementId::btn_game_menu_top, request.fullscreen_mode);
  scene.set_visible(ElementId::btn_game_menu_background, request.fullscreen_mode);
  scene.set_geometry(
      ElementId::btn_game_menu_background,
      QRect(scene.geometry(ElementId::btn_game_menu_background).topLeft(), Scene::kGameMenuButtonSize));
}

// ---- Manual pages -----------------------------------------------------------

ManualPages read_manual_section(const fs::path& program_folder) {
  ManualPages manual;
  const fs::path file = in_program_folder(program_folder, kCatalogueFile);
  const IniFile ini = is_file(file) ? IniFile::load(file) : IniFile();
  manual.folder = with_delimiter(ini.read_string("Manual", "ManualDir", "Graphics\\Manual\\"));
  const int height = clamp_side(ini.read_integer("Manual", "ManualHeight", 360));
  const int width = clamp_side(ini.read_integer("Manual", "ManualWidth", 540));
  manual.client_size = QSize(width, height);
  return manual;
}

void choose_manual_language(ManualPages& manual, const std::string& language,
                            const fs::path& current_folder) {
  if (language.empty()) return;
  const std::string folder = manual.folder + language + "\\";
  if (PathResolver(current_folder).file_exists(folder + "1.bmp")) manual.folder = folder;
}

void load_manual_page_pictures(ManualPages& manual, const fs::path& current_folder, bool twins) {
  const PathResolver resolver(current_folder);
  manual.errors.clear();
  for (int n = 1; n <= kManualPageCount; ++n) {
    const std::string name = manual.folder + std::to_string(n) + ".bmp";
    Picture& page = manual.pages[static_cast<std::size_t>(n - 1)];
    page = missing_picture_marker();
    if (!resolver.file_exists(name)) continue;
    try {
      page = load_picture(resolver.resolve(name), name);
    } catch (const PictureError& e) {
      manual.errors.push_back(e.what());
      continue;
    }
    // The page's @2x twin, taken only when it is exactly twice the page.
    const std::string twin = twin_name(name);
    if (!twins || !resolver.file_exists(twin)) continue;
    try {
      Picture drawn_twice = load_picture(resolver.resolve(twin), twin);
      if (drawn_twice.size() == page.size() * 2) {
        page.twin = drawn_twice.image;
        page.twin_has_alpha = drawn_twice.has_alpha;
      } else {
        std::string message = twin;
        message += " is not twice the size of ";
        message += name;
        message += "; the page is shown from ";
        message += name;
        manual.errors.push_back(std::move(message));
      }
    } catch (const PictureError& e) {
      manual.errors.push_back(e.what());
    }
  }
}

ManualPages load_manual_pages(const fs::path& program_folder, const fs::path& current_folder, bool twins) {
  ManualPages manual = read_manual_section(program_folder);
  load_manual_page_pictures(manual, current_folder, twins);
  return manual;
}

}  // namespace hero
