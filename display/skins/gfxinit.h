// The skin catalogue, the skin loader and the manual's page loader: how the
// installation's INI files turn into pictures on the main window and in the
// manual viewer.
#pragma once

#include <QSize>

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "display/skins/picture_loader.h"
#include "display/skins/scene.h"
#include "engine/installation_errors.h"

namespace hero {

// ---- Skin catalogue ---------------------------------------------------------

inline constexpr int kMaxSkins = 99;

struct SkinEntry {
  std::string path;  // relative to the program folder, ends in "\"; a player's own skin: its whole path
  std::string name;
  bool players_own = false;  // from the player's skins folder, not the catalogue
};

struct SkinCatalogue {
  // Entries 1..99 live at [0..98].
  std::array<SkinEntry, kMaxSkins> entries;
  // The catalogue's `Skins` value as written (may be 0, negative or above 99).
  int skin_count = 0;

  // How many entries the skin list offers: `skin_count` kept within 0..99.
  int listed_count() const;
  // Entry k, 1-based; k must be within 1..listed_count().
  const SkinEntry& entry(int k) const { return entries[static_cast<std::size_t>(k - 1)]; }
};

// Reads "Config.ini" of the program folder. Without it the installation
// error "Configuration file (Config.ini) not found. Please reinstall the
// game." goes to `errors` and the catalogue is empty.
// The player's own skins of `player_skins` follow the installation's, as
// far as the 99 entries go (read_player_skins).
SkinCatalogue read_skin_catalogue(const std::filesystem::path& program_folder, InstallationErrors& errors,
                                  const std::filesystem::path& player_skins = {});
// Each folder of `folder` that holds a Config.ini, in name order, named by
// its folder; none when `folder` is missing or unreadable.
std::vector<SkinEntry> read_player_skins(const std::filesystem::path& folder);

// ---- Skin loader ------------------------------------------------------------

// The largest game area a skin may ask for, per side: an 8K screen fits.
inline constexpr int kMaxGameSide = 8192;

// A skin file whose values cannot make a window (a game area of 0 or
// 100000 pixels). The message names the file, the key and the bounds.
class SkinError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SkinLoadRequest {
  const SkinCatalogue* catalogue = nullptr;
  int selected_skin = 1;  // 1-based
  bool fullscreen_mode = false;
  // Windowed: the zoom of the whole handheld (1.0 = the skin's own pixels).
  double zoom = 1.0;
  // Full screen: the game area scaled, keeping its aspect, to the largest
  // size that fits the screen, its stated offsets scaled with it.
  bool fullscreen_fit = false;
  // While the player has made no choice of the fit: a game area larger than
  // the screen is fitted all the same, so no button is cut off.
  bool fit_when_too_large = false;
  // Device pixels per window pixel of the screen (2 on a HiDPI screen): with
  // the zoom it decides whether the pictures' @2x twins are loaded.
  double device_pixel_ratio = 1.0;
  QSize screen_size;  // the screen the window is laid out for
  std::filesystem::path program_folder;
  // The folder picture names are resolved against; empty means the
  // process's current folder, as the handheld's files expect.
  std::filesystem::path current_folder;
};

class PathResolver;

// The pictures named by one skin: `skin_path` + name, against the current
// folder. A file named by several sections (one segment shape for many
// positions) is decoded once and shared. With `twins`, a picture's @2x twin
// comes with it where the skin has one. All pictures of one skin together,
// twins included, stay within kMaxSkinPixels: the one that would pass the
// budget is refused from its header, naming it. The program's skin loader
// and the skin authors' checker both load through it.
class SkinPictures {
 public:
  // `twins`: the @2x twins are wanted (the handheld shown larger than its
  // pixels); `vectors`: the drawings beside the pictures are (shown at any
  // size but its own).
  SkinPictures(const std::filesystem::path& current_folder, std::string skin_path, bool twins,
               bool vectors = false);
  ~SkinPictures();
  SkinPictures(const SkinPictures&) = delete;
  SkinPictures& operator=(const SkinPictures&) = delete;

  bool exists(const std::string& name) const;
  std::filesystem::path resolve(const std::string& name) const;
  // Throws PictureError (a damaged picture, or the budget passed).
  Picture load(const std::string& name);
  std::int64_t pixels_used() const { return pixels_used_; }

 private:
  Picture load_counted(const std::filesystem::path& file, const std::string& shown_name);

  std::unique_ptr<PathResolver> resolver_;
  std::string skin_path_;
  bool twins_ = false;
  bool vectors_ = false;
  std::map<std::filesystem::path, Picture> decoded_;
  std::int64_t pixels_used_ = 0;
};

// Lays the scene out from the selected skin: client size, colours and colour
// key, backdrop and logo, the pause label, the 81 skin images and the in-game
// menu button, and the scene's view (zoom, or the full-screen placement). A missing skin Config.ini (or a
// selection outside the catalogue) is reported through `errors`; only the in-game menu button is then set. A
// picture that exists but cannot be decoded (or would take the skin's pictures past kMaxSkinPixels) throws
// PictureError, a colour that is not a number SkinError (naming its file, line and key), a game area
// outside 1..kMaxGameSide SkinError; the load stops there.
void load_skin(Scene& scene, const SkinLoadRequest& request, InstallationErrors& errors);

// The full-screen placement of a game area of `game` pixels on `screen`:
// stated offsets (0 = centred on that axis), and with `fit` the largest
// scale, keeping the aspect, at which the area and its scaled offsets fit.
Scene::View fullscreen_view(QSize game, QSize screen, std::int32_t offset_x, std::int32_t offset_y, bool fit);

// "back@2x.png" for "back.png": Qt's name for a picture's twin of twice the
// pixels.
std::string twin_name(const std::string& name);
// A picture's drawing beside it: "back.png" -> "back.svg" (an SVG names
// itself).
std::string vector_twin_name(const std::string& name);

// ---- Manual pages -----------------------------------------------------------

inline constexpr int kManualPageCount = 8;

struct ManualPages {
  std::string folder;  // ManualDir with its trailing "\"
  QSize client_size;   // ManualWidth x ManualHeight
  // Pages 1..8 at [0..7]; an absent file gives the missing-picture marker.
  std::array<Picture, kManualPageCount> pages;
  // Pages that exist but cannot be decoded also show the marker, so the
  // viewer still comes up at start-up; their messages are kept here for the
  // caller to show if it wants.
  std::vector<std::string> errors;
};

// With `twins` (a screen of more than one device pixel per pixel), each
// page's @2x twin (1@2x.bmp beside 1.bmp) is loaded too where there is one.
ManualPages load_manual_pages(const std::filesystem::path& program_folder,
                              const std::filesystem::path& current_folder = {}, bool twins = false);
// The catalogue's Manual section alone: the folder and the viewer's size,
// the pages left empty (the viewer decodes them when it first shows one).
ManualPages read_manual_section(const std::filesystem::path& program_folder);
// The pages in the player's language (a catalogue's name, "de", "pt_BR"):
// those in the folder named for it inside ManualDir ("Graphics\Manual\de\"),
// when it holds the first page. English, or a language without its pages,
// keeps ManualDir's own.
void choose_manual_language(ManualPages& manual, const std::string& language,
                            const std::filesystem::path& current_folder = {});
// Decodes the eight pages of `manual.folder` into `manual`.
void load_manual_page_pictures(ManualPages& manual, const std::filesystem::path& current_folder = {},
                               bool twins = false);

}  // namespace hero
