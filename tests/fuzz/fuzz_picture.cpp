// Any bytes as a picture file of one format: the loader must give a picture
// within the size bounds or a PictureError, never a crash or a wild read.
#include <cstddef>
#include <cstdint>
#include <span>

#include "display/skins/picture_loader.h"

#define HERO_STRINGIFY2(x) #x
#define HERO_STRINGIFY(x) HERO_STRINGIFY2(x)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const hero::PictureFormat format = hero::picture_format_for("fuzz." HERO_STRINGIFY(HERO_FUZZ_FORMAT));
  try {
    const hero::Picture picture =
        hero::decode_picture(std::span<const std::uint8_t>(data, size), format, "fuzz");
    if (picture.empty() || picture.image.width() > hero::kMaxPictureSide ||
        picture.image.height() > hero::kMaxPictureSide) {
      __builtin_trap();
    }
    (void)hero::transparent_form(picture);
  } catch (const hero::PictureError&) {
  }
  return 0;
}
