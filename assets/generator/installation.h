// The runnable installation folder: catalogue, both skins, manual pages,
// samples and the two documents.
#pragma once

#include <QString>

namespace hero::assetgen {

struct SkinEntry {
  const char* folder;  // under the installation folder, '\' separated as the catalogue writes it
  const char* name;    // shown in the splash screen's skin list
  double scale;        // against the drawing's own size (1475 x 870)
};

// The two skins the installation carries: the drawing at its own size, and a
// smaller one for screens under 1600 pixels wide.
inline constexpr SkinEntry kSkins[] = {
    {"Graphics\\Skin1\\", "Default (large)", 1.0},
    {"Graphics\\Skin2\\", "Default (small)", 0.6},
};

inline constexpr const char* kSampleNames[] = {"Chance", "Got", "Miss1", "Miss2", "Tick"};

void make_installation(const QString& assets_dir, const QString& install_dir);

}  // namespace hero::assetgen
