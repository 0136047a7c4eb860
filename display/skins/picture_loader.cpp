#include "display/skins/picture_loader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#include <png.h>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "display/files/printable.h"
#include "display/skins/vector_picture.h"

namespace hero {
namespace {

std::string lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

[[noreturn]] void fail(const std::string& file_name, const std::string& reason) {
  refuse_picture(file_name, reason);
}

void check_size(const std::string& file_name, std::int64_t width, std::int64_t height,
                const PixelAllowance& allowance = {}) {
  if (width <= 0 || height <= 0) fail(file_name, "it has no pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
    fail(file_name, "it is too large (" + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels; at most " + std::to_string(kMaxPicturePixels) + " pixels and " +
                        std::to_string(kMaxPictureSide) + " on a side are accepted)");
  }
  if (width * height > allowance.max_pixels) {
    fail(file_name, "its " + std::to_string(width) + " x " + std::to_string(height) + " pixels would take " +
                        (allowance.budget_note.empty() ? std::string("more memory than allowed")
                                                       : allowance.budget_note));
  }
}

// Opaque pictures are kept as RGB32, which QPainter copies without blending;
// pictures with alpha as premultiplied ARGB32, which it blends fastest.
Picture finish(QImage image, bool has_alpha, const std::string& file_name) {
  if (image.isNull()) fail(file_name, "out of memory");
  Picture picture;
  picture.has_alpha = has_alpha;
  // Converted in place where Qt can: a large picture is never held twice.
  picture.image = std::move(image).convertToFormat(has_alpha ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
  if (picture.image.isNull()) fail(file_name, "out of memory");
  return picture;
}

std::uint32_t read_be32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}
std::uint32_t read_le32(const std::uint8_t* p) {
  return std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}
std::uint16_t read_le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[1] << 8 | p[0]); }

// ---- PNG ------------------------------------------------------------------
// libpng reports errors by a long jump. Each function that sets the jump point
// keeps only plain C data in its own frame, so the jump skips no destructor;
// the C++ objects (the image, the row table) live in the caller, which the
// jump never crosses.

constexpr png_alloc_size_t kMaxPngChunkBytes = 8u * 1024u * 1024u;
// Text, profiles, time stamps and the like are never used; they are skipped
// unread (libpng never inflates them), and all of them together may hold at
// most this many bytes, far above what a drawing program writes.
constexpr std::uint64_t kMaxPngSideChunkBytes = 16u * 1024u * 1024u;

struct PngSource {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
  char message[256];
};

void png_read_from_memory(png_structp png, png_bytep out, std::size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (length > source->size - source->pos) png_error(png, "the file ends too early");
  std::memcpy(out, source->data + source->pos, length);
  source->pos += length;
}

void png_on_error(png_structp png, png_const_charp message) {
  auto* source = static_cast<PngSource*>(png_get_error_ptr(png));
  std::snprintf(source->message, sizeof source->message, "%s", message ? message : "damaged data");
  png_longjmp(png, 1);
}

void png_on_warning(png_structp, png_const_charp) {}

struct PngHeader {
  png_uint_32 width;
  png_uint_32 height;
  bool has_alpha;
};

bool png_read_header(png_structp png, png_infop info, PngHeader* header) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  header->width = png_get_image_width(png, info);
  header->height = png_get_image_height(png, info);
  const int colour_type = png_get_color_type(png, info);
  header->has_alpha =
      (colour_type & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  // Everything becomes 8-bit R, G, B, A in byte order.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  if (!header->has_alpha) png_set_filler(png, 0xff, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<std::size_t>(header->width) * 4) {
    png_error(png, "unsupported pixel layout");
  }
  return true;
}

bool png_read_pixels(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  return true;
}

struct PngReadGuard {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ~PngReadGuard() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

// libpng takes (and clears) the memory a chunk claims before it reads the
// chunk, so a 200-byte file claiming a 1 GB text chunk would cost a gigabyte
// and seconds. Every chunk but the streamed image data must therefore fit in
// the bytes that follow it.
void check_png_chunks(std::span<const std::uint8_t> bytes, const std::string& file_name) {
  std::size_t pos = 8;
  std::uint64_t side_bytes = 0;
  while (pos + 8 <= bytes.size()) {
    const std::uint32_t length = read_be32(bytes.data() + pos);
    const bool image_data = std::memcmp(bytes.data() + pos + 4, "IDAT", 4) == 0;
    if (length > 0x7FFFFFFFu) fail(file_name, "damaged chunk length");
    if (std::uint64_t{length} + 12 > bytes.size() - pos) {
      if (!image_data) fail(file_name, "the file ends too early");
      return;
    }
    if (std::memcmp(bytes.data() + pos + 4, "IEND", 4) == 0) return;
    if (!image_data) {
      side_bytes += length;
      if (side_bytes > kMaxPngSideChunkBytes) {
        fail(file_name, "it carries more than " + std::to_string(kMaxPngSideChunkBytes / (1024 * 1024)) +
                            " MB of text and other data besides the picture");
      }
    }
    pos += 12 + std::size_t{length};
  }
}

Picture decode_png(std::span<const std::uint8_t> bytes, const std::string& file_name,
                   const PixelAllowance& allowance) {
  PngSource source{bytes.data(), bytes.size(), 0, {}};
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) fail(file_name, "it is not a PNG file");
  // The header chunk comes first in every PNG file; its size is checked
  // before libpng sees anything.
  if (bytes.size() >= 24 && std::memcmp(bytes.data() + 12, "IHDR", 4) == 0) {
    check_size(file_name, read_be32(bytes.data() + 16), read_be32(bytes.data() + 20), allowance);
  }
  check_png_chunks(bytes, file_name);
  PngReadGuard guard;
  guard.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, png_on_error, png_on_warning);
  if (!guard.png) fail(file_name, "out of memory");
  guard.info = png_create_info_struct(guard.png);
  if (!guard.info) fail(file_name, "out of memory");
  png_set_read_fn(guard.png, &source, png_read_from_memory);
  // A text or profile chunk may claim up to 2 GB (or inflate to it); libpng
  // would take and clear that much memory before finding the file too short.
  png_set_chunk_malloc_max(guard.png, kMaxPngChunkBytes);
  png_set_chunk_cache_max(guard.png, 256);
  png_set_user_limits(guard.png, kMaxPictureSide, kMaxPictureSide);
  // Only the header, the palette, the transparency and the image data are
  // used: every other chunk is passed over without being inflated or kept.
  png_set_keep_unknown_chunks(guard.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);

  PngHeader header{};
  if (!png_read_header(guard.png, guard.info, &header)) fail(file_name, source.message);
  check_size(file_name, header.width, header.height, allowance);
  QImage image(static_cast<int>(header.width), static_cast<int>(header.height), QImage::Format_RGBA8888);
  if (image.isNull()) fail(file_name, "out of memory");
  std::vector<png_bytep> rows(header.height);
  for (png_uint_32 y = 0; y < header.height; ++y) rows[y] = image.scanLine(static_cast<int>(y));
  if (!png_read_pixels(guard.png, rows.data())) fail(file_name, source.message);
  return finish(std::move(image), header.has_alpha, file_name);
}

// ---- JPEG -----------------------------------------------------------------
// The same discipline as for PNG: the jump point sits in functions with plain
// C data only.

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void jpeg_on_error(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

// A file that ends before its picture does is damaged, not merely odd; the
// other warnings (extra bytes between markers and such) are let pass.
void jpeg_on_message(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) jpeg_on_error(cinfo);
}

// Progressive files may hold any number of scans, and every scan passes over
// the whole picture: a hostile file repeating one scan a thousand times over
// a large picture would take minutes. The work is bounded by the pixels
// times the scans read so far (ten scans of the largest picture fit), and
// the scan count on its own for small pictures.
constexpr std::int64_t kMaxJpegScans = 1000;
constexpr std::int64_t kMaxJpegScanPixels = 10 * kMaxPicturePixels;

void jpeg_on_progress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  const std::int64_t scans = d->input_scan_number;
  const std::int64_t pixels = std::int64_t{d->image_width} * d->image_height;
  if (scans > kMaxJpegScans || scans * pixels > kMaxJpegScanPixels) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    std::snprintf(errors->message, sizeof errors->message,
                  "too much decoding work (%lld scans over %u x %u pixels; at most %lld pixels times scans)",
                  static_cast<long long>(scans), static_cast<unsigned>(d->image_width),
                  static_cast<unsigned>(d->image_height), static_cast<long long>(kMaxJpegScanPixels));
    std::longjmp(errors->jump, 1);
  }
}

bool jpeg_read_header_c(j_decompress_ptr cinfo, JpegErrors* errors, const std::uint8_t* data,
                        std::size_t size) {
  if (setjmp(errors->jump)) return false;
  jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(cinfo, TRUE);
  return true;
}

bool jpeg_read_pixels_c(j_decompress_ptr cinfo, JpegErrors* errors, JSAMPROW* rows) {
  if (setjmp(errors->jump)) return false;
  // Four-channel files are Adobe CMYK; the rest come out as R, G, B, A.
  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  jpeg_start_decompress(cinfo);
  if (cinfo->output_components != 4) ERREXIT(cinfo, JERR_BAD_J_COLORSPACE);
  while (cinfo->output_scanline < cinfo->output_height) {
    jpeg_read_scanlines(cinfo, rows + cinfo->output_scanline, cinfo->output_height - cinfo->output_scanline);
  }
  return true;
}

struct JpegGuard {
  jpeg_decompress_struct* cinfo;
  ~JpegGuard() { jpeg_destroy_decompress(cinfo); }
};

Picture decode_jpeg(std::span<const std::uint8_t> bytes, const std::string& file_name,
                    const PixelAllowance& allowance) {
  if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8) fail(file_name, "it is not a JPEG file");
  jpeg_decompress_struct cinfo{};
  JpegErrors errors{};
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = jpeg_on_error;
  errors.manager.emit_message = jpeg_on_message;
  jpeg_create_decompress(&cinfo);
  JpegGuard guard{&cinfo};
  jpeg_progress_mgr progress{};
  progress.progress_monitor = jpeg_on_progress;
  cinfo.progress = &progress;

  if (!jpeg_read_header_c(&cinfo, &errors, bytes.data(), bytes.size())) fail(file_name, errors.message);
  check_size(file_name, cinfo.image_width, cinfo.image_height, allowance);
  QImage image(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height),
               QImage::Format_RGBA8888);
  if (image.isNull()) fail(file_name, "out of memory");
  std::vector<JSAMPROW> rows(cinfo.image_height);
  for (JDIMENSION y = 0; y < cinfo.image_height; ++y) rows[y] = image.scanLine(static_cast<int>(y));
  if (!jpeg_read_pixels_c(&cinfo, &errors, rows.data())) fail(file_name, errors.message);
  if (cinfo.out_color_space == JCS_CMYK) {
    // Adobe writes CMYK inverted: each channel times K gives the colour.
    for (int y = 0; y < image.height(); ++y) {
      std::uint8_t* p = image.scanLine(y);
      for (int x = 0; x < image.width(); ++x, p += 4) {
        const unsigned k = p[3];
        p[0] = static_cast<std::uint8_t>(p[0] * k / 255);
        p[1] = static_cast<std::uint8_t>(p[1] * k / 255);
        p[2] = static_cast<std::uint8_t>(p[2] * k / 255);
        p[3] = 0xFF;
      }
    }
  }
  return finish(std::move(image), false, file_name);
}

// ---- Bitmaps and icons ----------------------------------------------------

// The bitmap reader of Qt hands out a half-black picture for a file cut
// short; the header says how many bytes an uncompressed bitmap needs, so a
// truncated one is refused here, and an oversized one before any allocation.
void check_bitmap_header(std::span<const std::uint8_t> bytes, const std::string& file_name,
                         const PixelAllowance& allowance) {
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') fail(file_name, "it is not a Windows bitmap");
  const std::uint8_t* p = bytes.data();
  const std::uint32_t pixels_at = read_le32(p + 10);
  const std::uint32_t info_size = read_le32(p + 14);
  std::int64_t width = 0, height = 0;
  unsigned bits = 0;
  std::uint32_t compression = 0;
  if (info_size == 12) {
    width = read_le16(p + 18);
    height = read_le16(p + 20);
    bits = read_le16(p + 24);
  } else if (info_size >= 40 && bytes.size() >= 34) {
    width = static_cast<std::int32_t>(read_le32(p + 18));
    height = static_cast<std::int32_t>(read_le32(p + 22));
    bits = read_le16(p + 28);
    compression = read_le32(p + 30);
  } else {
    fail(file_name, "damaged bitmap header");
  }
  // Bottom-up bitmaps have a positive height, top-down ones a negative one.
  if (height < 0) height = -height;
  check_size(file_name, width, height, allowance);
  const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
  if (uncompressed && bits > 0 && bits <= 32) {
    const std::int64_t stride = (width * bits + 31) / 32 * 4;
    // Some writers leave off the padding of the last row; Windows forgives that.
    const std::int64_t last_row_padding = stride - (width * bits + 7) / 8;
    if (std::int64_t{pixels_at} + stride * height - last_row_padding >
        static_cast<std::int64_t>(bytes.size())) {
      fail(file_name, "the file ends too early");
    }
  }
}

// True when every pixel has the same alpha, 255 or 0: an alpha channel that
// says nothing.
bool alpha_is_uniform(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  bool opaque = true, clear = true;
  for (int y = 0; y < argb.height() && (opaque || clear); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      const int alpha = qAlpha(line[x]);
      opaque = opaque && alpha == 255;
      clear = clear && alpha == 0;
    }
  }
  return opaque || clear;
}

Picture decode_with_qt(std::span<const std::uint8_t> bytes, const char* format, const std::string& file_name,
                       const PixelAllowance& allowance) {
  if (std::strcmp(format, "bmp") == 0) check_bitmap_header(bytes, file_name, allowance);
  // QImageReader refuses allocations above this many megabytes: a second
  // guard behind the header check, for formats whose size it cannot tell.
  QImageReader::setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)) + 1);
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  const QSize size = reader.size();
  if (size.isValid()) check_size(file_name, size.width(), size.height(), allowance);
  QImage image;
  if (!reader.read(&image) || image.isNull()) {
    fail(file_name, "damaged or unsupported " + std::string(format) + " data (" +
                        reader.errorString().toStdString() + ")");
  }
  check_size(file_name, image.width(), image.height(), allowance);
  bool has_alpha = image.hasAlphaChannel();
  // A 32-bit bitmap with a v4 or v5 header carries an alpha channel that most
  // writers leave all opaque (or all clear): such a picture is keyed by its
  // bottom-left pixel, as one without alpha is.
  if (has_alpha && std::strcmp(format, "bmp") == 0 && alpha_is_uniform(image)) {
    has_alpha = false;
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) line[x] |= 0xFF000000u;
    }
  }
  return finish(image, has_alpha, file_name);
}

}  // namespace

PictureFormat picture_format_for(const std::string& file_name) {
  std::string name = file_name;
  const std::size_t cut = name.find_last_of("\\/");
  if (cut != std::string::npos) name = name.substr(cut + 1);
  const std::size_t dot = name.rfind('.');
  const std::string ext = dot == std::string::npos ? std::string() : lower(name.substr(dot));
  if (ext == ".png") return PictureFormat::png;
  if (ext == ".jpg" || ext == ".jpeg" || ext == ".jpe" || ext == ".jfif") return PictureFormat::jpeg;
  if (ext == ".bmp" || ext == ".dib") return PictureFormat::bmp;
  if (ext == ".ico") return PictureFormat::ico;
  if (ext == ".svg") return PictureFormat::svg;
  fail(file_name, "unknown picture file extension (" + (ext.empty() ? std::string("none") : ext) + ")");
}

Picture decode_picture(std::span<const std::uint8_t> bytes, PictureFormat format,
                       const std::string& file_name, const PixelAllowance& allowance) {
  switch (format) {
    case PictureFormat::png:
      return decode_png(bytes, file_name, allowance);
    case PictureFormat::jpeg:
      return decode_jpeg(bytes, file_name, allowance);
    case PictureFormat::bmp:
      return decode_with_qt(bytes, "bmp", file_name, allowance);
    case PictureFormat::ico:
      return decode_with_qt(bytes, "ico", file_name, allowance);
    case PictureFormat::svg: {
      std::shared_ptr<const VectorPicture> vector = read_vector_picture(bytes, file_name);
      check_size(file_name, vector->size.width(), vector->size.height(), allowance);
      Picture picture = finish(render_vector_picture(*vector, vector->size), true, file_name);
      picture.vector = std::move(vector);
      return picture;
    }
  }
  fail(file_name, "unknown format");
}

void refuse_picture(const std::string& file_name, const std::string& reason, int line) {
  throw PictureError("Picture file '" + printable(file_name, 4 * kEchoedTokenChars) + "'" +
                     (line > 0 ? " line " + std::to_string(line) : std::string()) +
                     " cannot be loaded: " + reason);
}

std::vector<std::uint8_t> read_picture_file(const std::filesystem::path& file, const std::string& shown_name,
                                            std::uintmax_t max_bytes, const std::string& too_large) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) fail(shown_name, "the file cannot be opened");
  if (size > max_bytes) fail(shown_name, too_large);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::ifstream in(file, std::ios::binary);
  if (!in) fail(shown_name, "the file cannot be opened");
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::size_t>(in.gcount()) != bytes.size()) fail(shown_name, "the file cannot be read");
  return bytes;
}

Picture load_picture(const std::filesystem::path& file, const std::string& shown_name,
                     const PixelAllowance& allowance) {
  const std::string name = shown_name.empty() ? file.string() : shown_name;
  const PictureFormat format = picture_format_for(name);
  return decode_picture(read_picture_file(file, name, kMaxPictureFileBytes, "the file is too large"), format,
                        name, allowance);
}

Picture missing_picture_marker() {
  QImage image(10, 10, QImage::Format_RGB32);
  image.fill(QColor(0, 0, 0));
  for (int y = 1; y < 9; ++y) {
    for (int x = 1; x < 9; ++x) image.setPixel(x, y, qRgb(255, 0, 0));
  }
  return Picture{image, false};
}

QImage transparent_twin_form(const Picture& picture) {
  if (picture.twin.isNull()) return QImage();
  return transparent_form(Picture{picture.twin, picture.twin_has_alpha, {}, false});
}

QImage transparent_form(const Picture& picture) {
  if (picture.empty()) return QImage();
  if (picture.has_alpha) return picture.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage out = picture.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (out.isNull()) return out;
  const QRgb key = out.pixel(0, out.height() - 1) | 0xFF000000u;
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if ((line[x] | 0xFF000000u) == key) line[x] = 0;
    }
  }
  return out;
}

}  // namespace hero
