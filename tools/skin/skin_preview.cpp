#include "tools/skin/skin_preview.h"

#include <QFont>
#include <QPainter>

#include <stdexcept>

#include "display/lcd/element_ids.h"
#include "display/skins/gfxinit.h"
#include "display/skins/scene.h"
#include "engine/engine.h"
#include "engine/memory_settings_store.h"
#include "startup/session/virtual_handheld.h"

namespace hero::skinkit {
namespace {

namespace fs = std::filesystem;

class CollectedErrors : public InstallationErrors {
 public:
  void report(const std::string& message) override {
    if (first.empty()) first = message;
  }
  std::string first;
};

void load_into(Scene& scene, const fs::path& dir, bool fullscreen, double zoom, QSize screen) {
  const fs::path folder = fs::absolute(dir).lexically_normal();
  fs::path parent = folder.parent_path();
  std::string name = folder.filename().string();
  if (name.empty()) {
    name = parent.filename().string();
    parent = parent.parent_path();
  }
  SkinCatalogue catalogue;
  catalogue.skin_count = 1;
  catalogue.entries[0].path = name + "\\";
  SkinLoadRequest request;
  request.catalogue = &catalogue;
  request.fullscreen_mode = fullscreen;
  request.zoom = zoom;
  request.screen_size = screen;
  request.program_folder = parent;
  request.current_folder = parent;
  CollectedErrors errors;
  load_skin(scene, request, errors);
  if (!errors.first.empty()) throw std::runtime_error(errors.first);
}

}  // namespace

QImage render_preview(const PreviewRequest& request) {
  Scene scene;
  load_into(scene, request.skin_dir, request.fullscreen, request.zoom, request.screen_size);

  VirtualTime time;
  ScriptedRandom random(1);
  FixedClock clock;
  clock.set(TimeOfDay{10, 8});
  RecordingSoundSink sound;
  MemorySettingsStore store;
  Engine engine(EngineServices{scene, time.timer_pointers(), sound, store, random, clock});
  auto fire = [&](TimerId id) { engine.on_timer(id); };
  engine.start();  // every segment lit
  switch (request.mode) {
    case PreviewMode::all_lit:
      break;
    case PreviewMode::clock:
      engine.Inp_time_down();
      engine.Inp_time_up();
      time.advance(1000, fire);
      break;
    case PreviewMode::game_a:
      engine.Inp_game_a_down();
      engine.Inp_game_a_up();
      time.advance(5000, fire);
      break;
    case PreviewMode::game_over:
      engine.enter_mode(mode_game_over);
      time.advance(1000, fire);
      break;
  }
  scene.set_shadows(request.shadows);
  const QSize size = scene.client_size();
  if (size.isEmpty() || static_cast<qint64>(size.width()) * size.height() > 100'000'000)
    throw std::runtime_error("the composed handheld would be " + std::to_string(size.width()) + " x " +
                             std::to_string(size.height()) + " pixels");
  QImage frame(size, QImage::Format_RGB32);
  frame.fill(scene.background_colour());
  QPainter painter(&frame);
  scene.paint(painter, QRegion(frame.rect()));
  return frame;
}

QImage render_sheet(const fs::path& skin_dir) {
  Scene scene;
  load_into(scene, skin_dir, false, 1.0, QSize(1920, 1080));
  constexpr int kColumns = 9, kCell = 160, kLabel = 30;
  const int rows = (kSkinImageCount + kColumns - 1) / kColumns;
  QImage sheet(kColumns * kCell, rows * (kCell + kLabel), QImage::Format_RGB32);
  sheet.fill(QColor(0xe8, 0xe8, 0xe8));
  QPainter painter(&sheet);
  QFont font("DejaVu Sans");
  font.setPixelSize(10);
  painter.setFont(font);
  for (int n = 1; n <= kSkinImageCount; ++n) {
    const ElementId id = skin_image(n);
    const QRect cell(((n - 1) % kColumns) * kCell, ((n - 1) / kColumns) * (kCell + kLabel), kCell,
                     kCell + kLabel);
    painter.setPen(QColor(0x90, 0x90, 0x90));
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
    const QImage& drawn = scene.drawn_image(id);
    const QRect box = cell.adjusted(6, 6, -6, -kLabel);
    if (!drawn.isNull()) {
      QSize fit = drawn.size();
      if (fit.width() > box.width() || fit.height() > box.height())
        fit.scale(box.size(), Qt::KeepAspectRatio);
      painter.drawImage(QRect(box.center() - QPoint(fit.width() / 2, fit.height() / 2), fit), drawn);
    }
    painter.setPen(Qt::black);
    painter.drawText(
        QRect(cell.left() + 2, cell.bottom() - kLabel, kCell - 4, kLabel), Qt::AlignCenter | Qt::TextWordWrap,
        QString::number(n) + " " + QString::fromLatin1(element_name(id).data(), element_name(id).size()));
  }
  return sheet;
}

}  // namespace hero::skinkit
