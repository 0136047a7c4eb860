#include "tools/skin/skin_check.h"

#include <QPainter>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "display/files/ini_file.h"
#include "display/files/path_resolver.h"
#include "display/files/printable.h"
#include "display/lcd/element_ids.h"
#include "display/skins/gfxinit.h"
#include "display/skins/picture_loader.h"
#include "display/skins/scene.h"
#include "display/skins/skin_schema.h"
#include "display/skins/vector_picture.h"
#include "engine/settings_codec.h"

namespace hero::skinkit {
namespace {

namespace fs = std::filesystem;

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string trimmed(const std::string& s) {
  const auto a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

bool names_a_file(const std::string& v) { return !v.empty() && v != "nil"; }

std::string colour_text(QRgb c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$00%02x%02x%02x", qBlue(c), qGreen(c), qRed(c));
  return buf;
}

class CollectedErrors : public InstallationErrors {
 public:
  void report(const std::string& message) override { messages.push_back(message); }
  std::vector<std::string> messages;
};

class Checker {
 public:
  explicit Checker(const fs::path& dir) : dir_(dir), config_(dir / "Config.ini"), shown_(config_.string()) {}

  std::vector<Finding> run();

 private:
  void add(int line, Level level, std::string message) {
    findings_.push_back({shown_, line, level, std::move(message)});
  }
  const IniLine* entry(const std::string& section, const std::string& key) const {
    for (const IniLine& l : lines_)
      if (l.kind == IniLine::Kind::entry && l.used && lower(l.section) == lower(section) &&
          lower(l.key) == lower(key))
        return &l;
    return nullptr;
  }
  int line_of(const std::string& section, const std::string& key) const {
    if (const IniLine* l = entry(section, key)) return l->line;
    for (const IniLine& l : lines_)
      if (l.kind == IniLine::Kind::section && l.used && lower(l.section) == lower(section)) return l.line;
    return 0;
  }
  // A number of the skin file as the handheld's loader takes it.
  std::int32_t number(const std::string& section, std::string_view name) const {
    return skin_schema::read(ini_, section, skin_schema::key(section, name), loader_name_);
  }
  void check_lines();
  void check_value(const IniLine& l, const skin_schema::Key& key);
  void check_pictures();
  void check_layout();
  void check_loads();

  fs::path dir_;
  fs::path config_;
  std::string shown_;
  IniFile ini_;
  std::vector<IniLine> lines_;
  std::vector<Finding> findings_;
  std::map<int, Picture> pictures_;  // by section number, decoded ones only
  int width_ = 1475, height_ = 870;
  bool game_area_refused_ = false;
  // The name the handheld's loader gives this file in its messages.
  std::string loader_name_;
};

void Checker::check_lines() {
  for (const IniLine& l : lines_) {
    const std::string folded = lower(l.section);
    switch (l.kind) {
      case IniLine::Kind::junk:
        add(l.line, Level::warning,
            "'" + printable(l.value) +
                "' is neither a [section] nor a key=value line; the handheld ignores it");
        break;
      case IniLine::Kind::section:
        if (!l.used)
          add(l.line, Level::warning,
              "section [" + printable(l.section) + "] appears again; only its first appearance is read");
        else if (!skin_schema::is_section(l.section))
          add(l.line, Level::warning,
              "unknown section [" + printable(l.section) + "]; the handheld ignores it (misspelt?)");
        break;
      case IniLine::Kind::entry: {
        if (!skin_schema::is_section(l.section)) break;  // reported with its section
        const skin_schema::Key* key = skin_schema::find(l.section, l.key);
        if (!key) {
          add(l.line, Level::warning,
              "unknown key '" + printable(l.key) + "' in [" + printable(l.section) +
                  "]; the handheld ignores it");
        } else if (!l.used) {
          add(l.line, Level::warning,
              "key '" + printable(l.key) + "' appears again in [" + printable(l.section) +
                  "]; only the first is read");
        } else {
          check_value(l, *key);
        }
        break;
      }
    }
  }
}

void Checker::check_value(const IniLine& l, const skin_schema::Key& key) {
  using skin_schema::Type;
  const std::string text = trimmed(l.value);
  if (key.type == Type::colour) {
    try {
      convert_colour_text(l.value);
    } catch (const ConversionError& e) {
      add(l.line, Level::error, skin_schema::colour_fault(key, e));
    }
    return;
  }
  if (key.type == Type::file) {
    if (!names_a_file(l.value)) return;
    if (!PathResolver(dir_).file_exists(l.value)) {
      const bool element = key.section == "Image";
      add(l.line, Level::warning,
          "picture '" + printable(l.value) + "' not found" +
              (element ? "; the handheld shows the missing-picture marker (a red square)"
                       : "; it is not shown"));
    }
    return;
  }
  if (key.type == Type::offset && lower(text) == "center") return;
  const auto value = parse_integer(text);
  if (!value) {
    add(l.line, Level::warning,
        "'" + printable(l.value) + "' is not a whole number" +
            (key.type == Type::offset ? "; the game area is centred" : "; the handheld uses the default"));
    return;
  }
  // The loader's own rule for the key: what it refuses is an error with its
  // words, what it clamps or ignores a warning saying so.
  if (const auto verdict = skin_schema::judge(key, *value, loader_name_))
    add(l.line, verdict->error ? Level::error : Level::warning, verdict->message);
}

void Checker::check_pictures() {
  // Through the handheld's own loader: a picture named by many sections is
  // decoded once, and the skin's pictures and their twins share one budget
  // (the handheld loads the twins when zoomed in).
  SkinPictures files(dir_, "", true);
  std::error_code failed;
  const fs::path inside = fs::weakly_canonical(dir_, failed);
  std::map<int, std::string> names;
  std::set<std::string> decoded_names;
  std::set<fs::path> told_outside;
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const std::string section = "Image" + std::to_string(n);
    const std::string file = ini_.read_string(section, "Filename", "");
    if (!names_a_file(file) || !files.exists(file)) continue;
    names[n] = file;
    // A skin travels as its folder: a picture from elsewhere (an absolute
    // name, "..", a link out) stays behind.
    const fs::path real = fs::weakly_canonical(files.resolve(file), failed);
    const auto [end, rest] = std::mismatch(inside.begin(), inside.end(), real.begin(), real.end());
    if (!failed && end != inside.end() && told_outside.insert(real).second)
      add(line_of(section, "Filename"), Level::warning,
          "picture '" + printable(file) + "' lies outside the skin folder (" +
              printable(real.string(), 4 * kEchoedTokenChars) +
              "); a skin shared as its folder leaves it behind");
    try {
      pictures_[n] = files.load(file);
    } catch (const std::exception& e) {
      add(line_of(section, "Filename"), Level::error, e.what());
      continue;
    }
    const ElementId element = skin_image(n);
    const int line = line_of(section, "Filename");
    const Picture& p = pictures_[n];
    // The drawing beside a picture, read as the handheld reads it where it
    // shows the skin at another size.
    if (const std::string drawing = vector_twin_name(file); drawing != file && files.exists(drawing)) {
      try {
        const auto vector = load_vector_picture(files.resolve(drawing), drawing);
        if (vector->size != p.size())
          add(line, Level::warning,
              "drawing '" + printable(drawing) + "' is " + std::to_string(vector->size.width()) + " x " +
                  std::to_string(vector->size.height()) + " pixels but its picture is " +
                  std::to_string(p.size().width()) + " x " + std::to_string(p.size().height()) +
                  "; the handheld does not use it");
      } catch (const std::exception& e) {
        add(line, Level::error, e.what());
      }
    }
    const QSize size(number(section, "Width"), number(section, "Height"));
    if (p.size() != size && !size.isEmpty())
      add(line, Level::warning,
          "picture '" + printable(file) + "' is " + std::to_string(p.size().width()) + " x " +
              std::to_string(p.size().height()) + " pixels but the element is " +
              std::to_string(size.width()) + " x " + std::to_string(size.height()));
    if (!Scene::is_transparent(element) || p.has_alpha) continue;
    PictureFormat format{};
    try {
      format = picture_format_for(file);
    } catch (const PictureError&) {
    }
    if (format == PictureFormat::jpeg)
      add(line, Level::warning,
          "JPEG picture '" + printable(file) +
              "' on a transparent element: its compression noise keys out raggedly; use PNG");
    // The handheld keys out the bottom-left pixel's colour; the colour that
    // surrounds the shape is what the author meant to key out.
    const QImage& img = p.image;
    if (img.width() >= 2 && img.height() >= 2 && element != ElementId::im_background) {
      std::map<QRgb, int> border;
      for (int x = 0; x < img.width(); ++x) {
        ++border[img.pixel(x, 0) | 0xff000000u];
        ++border[img.pixel(x, img.height() - 1) | 0xff000000u];
      }
      for (int y = 0; y < img.height(); ++y) {
        ++border[img.pixel(0, y) | 0xff000000u];
        ++border[img.pixel(img.width() - 1, y) | 0xff000000u];
      }
      const auto most = std::max_element(border.begin(), border.end(),
                                         [](auto& a, auto& b) { return a.second < b.second; });
      const QRgb corner = img.pixel(0, img.height() - 1) | 0xff000000u;
      if (most->first != corner)
        add(line, Level::warning,
            "bottom-left pixel of '" + printable(file) + "' is " + colour_text(corner) +
                " but its background is " + colour_text(most->first) +
                "; the handheld keys out the bottom-left colour");
    }
  }
  // @2x twins: all or none, or a zoomed handheld mixes sharp and blurred pictures.
  std::vector<int> without;
  int with = 0;
  for (const auto& [n, file] : names) {
    if (!pictures_.count(n)) continue;
    if (files.exists(twin_name(file))) ++with;
    // An SVG picture, or one with its drawing beside it, is drawn sharp at
    // any size; it needs no twin.
    else if (!pictures_[n].vector && !files.exists(vector_twin_name(file))) without.push_back(n);
  }
  if (with > 0)
    for (int n : without)
      add(line_of("Image" + std::to_string(n), "Filename"), Level::warning,
          "'" + names[n] + "' has no @2x twin ('" + twin_name(names[n]) + "') while other pictures have one");
}

void Checker::check_layout() {
  if (game_area_refused_) return;
  const QRect window(0, 0, width_, height_);
  auto rect_of = [&](int n) {
    const std::string s = "Image" + std::to_string(n);
    return QRect(number(s, "Left"), number(s, "Top"), number(s, "Width"), number(s, "Height"));
  };
  const QRect lcd = rect_of(2);  // the overlay lies over the LCD
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const QRect r = rect_of(n);
    if (r.isEmpty()) continue;
    const std::string section = "Image" + std::to_string(n);
    const std::string name(element_name(skin_image(n)));
    if (!window.contains(r))
      add(line_of(section, "Left"), Level::warning,
          name + " lies (partly) outside the " + std::to_string(width_) + " x " + std::to_string(height_) +
              " window");
    else if (is_segment(skin_image(n)) && !lcd.isEmpty() && !lcd.contains(r))
      add(line_of(section, "Left"), Level::warning,
          name + " lies (partly) outside the LCD (the area of im_background_screen_top)");
  }
  // A segment is hidden when a segment drawn above it covers it with opaque pixels.
  for (int a = 16; a <= kSkinImageCount; ++a) {
    const ElementId lower_id = skin_image(a);
    if (!pictures_.count(a) || rect_of(a).isEmpty()) continue;
    if (lower_id >= ElementId::im_panel_number_0 && lower_id <= ElementId::im_panel_number_9) continue;
    for (int b = 16; b <= kSkinImageCount; ++b) {
      const ElementId upper = skin_image(b);
      if (index_of(upper) <= index_of(lower_id) || !pictures_.count(b)) continue;
      if (upper >= ElementId::im_panel_number_0 && upper <= ElementId::im_panel_number_9) continue;
      if (!rect_of(b).contains(rect_of(a))) continue;
      const Picture& p = pictures_[b];
      if (p.size() != rect_of(b).size()) continue;
      const QImage drawn = transparent_form(p).convertToFormat(QImage::Format_ARGB32);
      const QRect inner = rect_of(a).translated(-rect_of(b).topLeft());
      bool opaque = true;
      for (int y = inner.top(); y <= inner.bottom() && opaque; ++y)
        for (int x = inner.left(); x <= inner.right() && opaque; ++x)
          opaque = qAlpha(drawn.pixel(x, y)) == 255;
      if (opaque) {
        add(line_of("Image" + std::to_string(a), "Left"), Level::warning,
            std::string(element_name(lower_id)) + " is fully hidden by " + std::string(element_name(upper)));
        break;
      }
    }
  }
}

void Checker::check_loads() {
  bool had_errors = false;
  for (const Finding& f : findings_) had_errors |= f.level == Level::error;
  SkinCatalogue catalogue;
  catalogue.skin_count = 1;
  const fs::path folder = fs::absolute(dir_).lexically_normal();
  fs::path parent = folder.parent_path();
  std::string name = folder.filename().string();
  if (name.empty()) {
    name = folder.parent_path().filename().string();
    parent = folder.parent_path().parent_path();
  }
  catalogue.entries[0].path = name + "\\";
  for (const bool fullscreen : {false, true}) {
    Scene scene;
    SkinLoadRequest request;
    request.catalogue = &catalogue;
    request.fullscreen_mode = fullscreen;
    request.screen_size = QSize(1920, 1080);
    request.program_folder = parent;
    request.current_folder = parent;
    CollectedErrors errors;
    try {
      load_skin(scene, request, errors);
    } catch (const std::exception& e) {
      // Already said at its line; otherwise say it here.
      if (!had_errors)
        add(0, Level::error,
            std::string(fullscreen ? "full screen" : "windowed") + " load stops: " + e.what());
      return;
    }
    if (fullscreen) continue;
    // The windowed frame: where no pixel shows the key colour the window stays a rectangle.
    const QSize size = scene.client_size();
    if (size.isEmpty() || size.width() * static_cast<qint64>(size.height()) > 64'000'000) continue;
    QImage frame(size, QImage::Format_RGB32);
    {
      QPainter painter(&frame);
      scene.paint(painter, QRegion(frame.rect()));
    }
    const QRgb key = scene.key_colour().rgb();
    bool found = false;
    for (int y = 0; y < frame.height() && !found; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
      for (int x = 0; x < frame.width() && !found; ++x)
        found = (line[x] | 0xff000000u) == (key | 0xff000000u);
    }
    if (!found)
      add(line_of("Shaped", "TranspColor"), Level::warning,
          "no pixel of the handheld shows TranspColor " + colour_text(key) +
              ": the window would be a rectangle");
  }
}

std::vector<Finding> Checker::run() {
  std::error_code ec;
  if (!fs::is_regular_file(config_, ec)) {
    add(0, Level::error, "skin configuration file not found; the handheld refuses the skin");
    return findings_;
  }
  ini_ = IniFile::load(config_, &lines_);
  {
    const fs::path folder = fs::absolute(dir_).lexically_normal();
    const std::string name =
        folder.filename().empty() ? folder.parent_path().filename().string() : folder.filename().string();
    loader_name_ = name + "\\Config.ini";
  }
  try {
    width_ = skin_schema::read(ini_, "Common", skin_schema::key("Common", "GameWidth"), loader_name_);
    height_ = skin_schema::read(ini_, "Common", skin_schema::key("Common", "GameHeight"), loader_name_);
  } catch (const SkinError&) {
    // Said at its line; nothing is laid out in an area the handheld refuses.
    game_area_refused_ = true;
  }
  check_lines();
  check_pictures();
  check_layout();
  check_loads();
  std::stable_sort(findings_.begin(), findings_.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return findings_;
}

}  // namespace

std::string format_finding(const Finding& f) {
  std::string out = f.file;
  if (f.line > 0) out += ":" + std::to_string(f.line);
  out += f.level == Level::error ? ": error: " : ": warning: ";
  return out + f.message;
}

std::vector<Finding> check_skin(const fs::path& dir) { return Checker(dir).run(); }

std::vector<Finding> check_folder(const fs::path& dir) {
  const fs::path config = PathResolver(dir).resolve("Config.ini");
  // A player's skins folder ($XDG_DATA_HOME/Quillon/Hero50/skins): every
  // skin in it, as the program lists them.
  if (!PathResolver(dir).file_exists("Config.ini")) {
    const std::vector<SkinEntry> skins = read_player_skins(dir);
    if (!skins.empty()) {
      std::vector<Finding> all;
      for (const SkinEntry& skin : skins)
        for (Finding& f : check_skin(skin.path)) all.push_back(std::move(f));
      return all;
    }
  }
  const IniFile ini = IniFile::load(config);
  if (ini.has_section("Image1") || !(ini.has_section("Skin1") || ini.find("Common", "Skins")))
    return check_skin(dir);
  // An installation: every skin its catalogue lists.
  CollectedErrors errors;
  const SkinCatalogue catalogue = read_skin_catalogue(dir, errors);
  std::vector<Finding> all;
  for (int k = 1; k <= catalogue.listed_count(); ++k) {
    const fs::path skin = PathResolver(dir).resolve(catalogue.entry(k).path);
    for (Finding& f : check_skin(skin)) all.push_back(std::move(f));
  }
  return all;
}

}  // namespace hero::skinkit
