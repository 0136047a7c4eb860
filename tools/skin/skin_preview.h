// hero-skin preview: the composed handheld as the program draws it, with the
// engine in a chosen mode, and a contact sheet of the 81 elements.
#pragma once

#include <QImage>

#include <filesystem>
#include <string>

namespace hero::skinkit {

enum class PreviewMode { all_lit, clock, game_a, game_over };

struct PreviewRequest {
  std::filesystem::path skin_dir;
  PreviewMode mode = PreviewMode::all_lit;
  bool fullscreen = false;
  double zoom = 1.0;              // windowed only
  QSize screen_size{1920, 1080};  // full screen only
  bool shadows = false;           // segment shadows, in the skin's look
};

// The program's own scene, laid out by its skin loader and driven by the
// engine in virtual time (seed 1, 10:08 on the clock). Throws
// std::runtime_error with the loader's message when the skin cannot load.
QImage render_preview(const PreviewRequest& request);

// Every skin image on a grid, each with its section number and name.
QImage render_sheet(const std::filesystem::path& skin_dir);

}  // namespace hero::skinkit
