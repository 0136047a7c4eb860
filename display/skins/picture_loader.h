// Picture files of skins and manual pages: PNG (libpng), JPEG (libjpeg-turbo),
// Windows bitmaps and icons (QImage), chosen by the file name's extension.
#pragma once

#include <QImage>
#include <memory>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace hero {

struct VectorPicture;

// A picture file that exists but cannot be used. The message names the file
// and says what is wrong; the general error handler shows it to the player.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A decoded picture. `image` is Format_ARGB32_Premultiplied when the file
// carries an alpha channel (or PNG transparency), Format_RGB32 otherwise.
struct Picture {
  QImage image;
  bool has_alpha = false;
  // The picture's "@2x" twin (back@2x.png beside back.png), drawn instead
  // where the handheld is shown at more than one device pixel per skin
  // pixel; null when the skin has none or it is not needed.
  QImage twin = QImage();
  bool twin_has_alpha = false;
  // An SVG picture's document: `image` is it drawn at its own size, and it
  // is drawn afresh for any other size (no twin then).
  std::shared_ptr<const VectorPicture> vector = nullptr;

  bool empty() const { return image.isNull(); }
  QSize size() const { return image.size(); }
};

enum class PictureFormat { png, jpeg, bmp, ico, svg };

// Limits checked from the header, before any pixel memory is taken: a file
// that claims 50 000 x 50 000 pixels is refused with a clear message.
inline constexpr int kMaxPictureSide = 32767;
inline constexpr std::int64_t kMaxPicturePixels = 40'000'000;  // an 8K backdrop fits
inline constexpr std::uintmax_t kMaxPictureFileBytes = 256u * 1024u * 1024u;
// All pictures of one skin together, decoded: 64 million pixels (256 MB).
// A real skin needs a few million (the default ones 2.8 and 4.1 million,
// backdrop and logo included); an 8K backdrop with a full set of segments
// still fits.
inline constexpr std::int64_t kMaxSkinPixels = 64'000'000;

// What one decode may still take: at most `max_pixels` (never more than
// kMaxPicturePixels). A skin passes what is left of its budget, so that the
// picture that would pass it is refused from its header, before its pixels
// are decoded; `budget_note` then says whose budget it is.
struct PixelAllowance {
  std::int64_t max_pixels = kMaxPicturePixels;
  // Ends the refusal "its W x H pixels would take ...", e.g. "the skin's
  // pictures together past 64000000 pixels".
  std::string budget_note;
};

// Throws the PictureError "Picture file 'NAME' cannot be loaded: REASON",
// naming the line before "cannot" when it is known (above 0).
[[noreturn]] void refuse_picture(const std::string& file_name, const std::string& reason, int line = 0);

// A picture file's bytes, read whole when it holds at most `max_bytes`;
// refused naming `shown_name` when it cannot be opened or read, and with
// `too_large` as the reason when it is larger.
std::vector<std::uint8_t> read_picture_file(const std::filesystem::path& file, const std::string& shown_name,
                                            std::uintmax_t max_bytes, const std::string& too_large);

// The format for a file name's extension (case ignored): .png, .jpg/.jpeg/
// .jpe/.jfif, .bmp/.dib, .ico, .svg. Throws PictureError naming the file otherwise.
PictureFormat picture_format_for(const std::string& file_name);

// Decodes bytes already in memory; `file_name` only goes into messages.
Picture decode_picture(std::span<const std::uint8_t> bytes, PictureFormat format,
                       const std::string& file_name, const PixelAllowance& allowance = {});

// Reads and decodes a file. `shown_name` is the name the player knows (as the
// skin wrote it); it defaults to the path.
Picture load_picture(const std::filesystem::path& file, const std::string& shown_name = {},
                     const PixelAllowance& allowance = {});

// The missing-picture marker: 10 x 10, pure red, one-pixel black outline,
// no alpha (drawn transparently its black outline therefore vanishes, as the
// bottom-left rule makes it).
Picture missing_picture_marker();

// The form in which a transparent element draws a picture fastest: alpha
// kept when the picture has it; otherwise every pixel of the bottom-left
// pixel's colour becomes fully transparent. Premultiplied ARGB32.
QImage transparent_form(const Picture& picture);
// The same for the picture's twin (its own bottom-left pixel keys it).
QImage transparent_twin_form(const Picture& picture);

}  // namespace hero
