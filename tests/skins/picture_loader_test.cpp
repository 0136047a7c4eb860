// Picture files of every accepted format decode with their alpha; damaged,
// truncated, oversized and misnamed files give an error naming the file.
#include "display/skins/picture_loader.h"

#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "tests/skins/test_support.h"

namespace hero {
namespace {

using test::TempFolder;

class PictureLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { test::qt_app(); }

  // Expects loading `file` to fail with a message naming `shown`.
  static void expect_error(const std::filesystem::path& file, const std::string& shown,
                           const std::string& reason_part = {}) {
    try {
      load_picture(file, shown);
      ADD_FAILURE() << shown << " loaded";
    } catch (const PictureError& e) {
      EXPECT_NE(std::string(e.what()).find("'" + shown + "'"), std::string::npos) << e.what();
      if (!reason_part.empty()) {
        EXPECT_NE(std::string(e.what()).find(reason_part), std::string::npos) << e.what();
      }
    }
  }

  TempFolder folder_;
};

TEST_F(PictureLoaderTest, PngKeepsItsAlphaChannel) {
  QImage image(4, 3, QImage::Format_ARGB32);
  image.fill(QColor(10, 200, 30, 255));
  image.setPixelColor(1, 1, QColor(255, 0, 0, 0));
  image.setPixelColor(2, 1, QColor(0, 0, 255, 128));
  const Picture p = load_picture(folder_.save("a.png", image, "PNG"));
  ASSERT_EQ(p.size(), QSize(4, 3));
  EXPECT_TRUE(p.has_alpha);
  EXPECT_EQ(p.image.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(p.image.pixelColor(0, 0), QColor(10, 200, 30));
  EXPECT_EQ(qAlpha(p.image.pixel(1, 1)), 0);
  EXPECT_NEAR(qAlpha(p.image.pixel(2, 1)), 128, 1);
  EXPECT_NEAR(p.image.pixelColor(2, 1).blue(), 255, 2);
}

TEST_F(PictureLoaderTest, PngWithoutAlphaIsOpaqueAndPaletteTransparencyCountsAsAlpha) {
  const Picture rgb = load_picture(folder_.save("rgb.png", test::solid(5, 5, Qt::green, Qt::blue), "PNG"));
  EXPECT_FALSE(rgb.has_alpha);
  EXPECT_EQ(rgb.image.format(), QImage::Format_RGB32);
  EXPECT_EQ(rgb.image.pixelColor(0, 4), QColor(Qt::blue));

  QImage indexed(3, 3, QImage::Format_Indexed8);
  indexed.setColorTable({qRgba(0, 0, 0, 0), qRgb(255, 255, 0)});
  indexed.fill(1);
  indexed.setPixel(0, 0, 0);
  const Picture pal = load_picture(folder_.save("pal.png", indexed, "PNG"));
  EXPECT_TRUE(pal.has_alpha);
  EXPECT_EQ(qAlpha(pal.image.pixel(0, 0)), 0);
  EXPECT_EQ(pal.image.pixelColor(1, 1), QColor(255, 255, 0));
}

TEST_F(PictureLoaderTest, JpegDecodesToItsColours) {
  const Picture p = load_picture(
      folder_.save("a.JPG", test::solid(16, 16, QColor(200, 40, 40), QColor(200, 40, 40)), "JPEG", 95));
  ASSERT_EQ(p.size(), QSize(16, 16));
  EXPECT_FALSE(p.has_alpha);
  EXPECT_NEAR(p.image.pixelColor(8, 8).red(), 200, 6);
  EXPECT_NEAR(p.image.pixelColor(8, 8).green(), 40, 6);
}

TEST_F(PictureLoaderTest, GreyscaleJpegDecodes) {
  QImage grey(8, 8, QImage::Format_Grayscale8);
  grey.fill(qRgb(90, 90, 90));
  const Picture p = load_picture(folder_.save("g.jpeg", grey, "JPEG", 95));
  EXPECT_NEAR(p.image.pixelColor(3, 3).green(), 90, 4);
}

TEST_F(PictureLoaderTest, BitmapsAndIconsLoadThroughTheirExtension) {
  const Picture bmp = load_picture(folder_.save("a.Bmp", test::solid(7, 5, Qt::red, Qt::white), "BMP"));
  EXPECT_EQ(bmp.size(), QSize(7, 5));
  EXPECT_FALSE(bmp.has_alpha);
  EXPECT_EQ(bmp.image.pixelColor(0, 4), QColor(Qt::white));

  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(QColor(0, 0, 255, 255));
  icon.setPixelColor(0, 0, QColor(0, 0, 0, 0));
  const Picture ico = load_picture(folder_.save("a.ico", icon, "ICO"));
  EXPECT_EQ(ico.size(), QSize(16, 16));
  EXPECT_TRUE(ico.has_alpha);
  EXPECT_EQ(qAlpha(ico.image.pixel(0, 0)), 0);
}

// A 32-bit bitmap with a v5 header and an alpha mask, bottom-up, as paint
// programs export it: `alpha(x, y)` gives each pixel's alpha; the
// bottom-left pixel is white, the others red.
std::string v5_bitmap(int width, int height, int (*alpha)(int x, int y)) {
  std::string bytes;
  auto put = [&bytes](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
  };
  const std::uint32_t pixels_at = 14 + 124;
  const std::uint32_t image_size = static_cast<std::uint32_t>(width * height * 4);
  bytes += "BM";
  put(pixels_at + image_size, 4);
  put(0, 4);
  put(pixels_at, 4);
  put(124, 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);
  put(1, 2);
  put(32, 2);
  put(3, 4);  // bit fields
  put(image_size, 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  put(0x00ff0000, 4);
  put(0x0000ff00, 4);
  put(0x000000ff, 4);
  put(0xff000000, 4);
  put(0x73524742, 4);  // sRGB
  while (bytes.size() < pixels_at) bytes.push_back('\0');
  for (int row = 0; row < height; ++row) {
    const int y = height - 1 - row;
    for (int x = 0; x < width; ++x) {
      const bool corner = x == 0 && y == height - 1;
      put(corner ? 0xffffffu : 0xff0000u, 3);
      put(static_cast<std::uint32_t>(alpha(x, y)), 1);
    }
  }
  return bytes;
}

TEST_F(PictureLoaderTest, ThirtyTwoBitBitmapWithAnAlphaThatSaysNothingIsKeyedByItsCorner) {
  for (int (*alpha)(int, int) : {+[](int, int) { return 255; }, +[](int, int) { return 0; }}) {
    const Picture bmp = load_picture(folder_.write("v5.bmp", v5_bitmap(6, 4, alpha)));
    EXPECT_FALSE(bmp.has_alpha);
    const QImage keyed = transparent_form(bmp);
    EXPECT_EQ(qAlpha(keyed.pixel(0, 3)), 0);
    EXPECT_EQ(keyed.pixelColor(3, 1), QColor(Qt::red));
  }
  // An alpha that does say something is kept.
  const Picture real =
      load_picture(folder_.write("real.bmp", v5_bitmap(6, 4, [](int x, int) { return x < 3 ? 255 : 0; })));
  EXPECT_TRUE(real.has_alpha);
  const QImage kept = transparent_form(real);
  EXPECT_EQ(qAlpha(kept.pixel(1, 1)), 255);
  EXPECT_EQ(qAlpha(kept.pixel(4, 1)), 0);
  EXPECT_EQ(qAlpha(kept.pixel(0, 3)), 255);
}

TEST_F(PictureLoaderTest, DamagedPngThrowsNamingTheFile) {
  const auto good = test::read_bytes(folder_.save("good.png", test::solid(40, 40, Qt::red, Qt::blue), "PNG"));
  std::string damaged = good;
  for (std::size_t i = 60; i < damaged.size() - 20; i += 7) damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
  expect_error(folder_.write("damaged.png", damaged), "Graphics\\Skin1\\damaged.png");
  expect_error(folder_.write("short.png", good.substr(0, good.size() / 2)), "short.png", "ends too early");
  expect_error(folder_.write("text.png", "not a picture at all"), "text.png", "not a PNG");
}

TEST_F(PictureLoaderTest, DamagedJpegThrowsNamingTheFile) {
  const auto good =
      test::read_bytes(folder_.save("good.jpg", test::solid(64, 64, Qt::red, Qt::blue), "JPEG"));
  expect_error(folder_.write("short.jpg", good.substr(0, good.size() / 2)), "short.jpg", "Premature end");
  std::string damaged = good;
  for (std::size_t i = 2; i < 40; ++i) damaged[i] = static_cast<char>(0xFF);
  expect_error(folder_.write("damaged.jpg", damaged), "damaged.jpg");
  expect_error(folder_.write("empty.jpg", ""), "empty.jpg");
}

TEST_F(PictureLoaderTest, TruncatedBitmapThrowsNamingTheFile) {
  const auto good = test::read_bytes(folder_.save("good.bmp", test::solid(64, 64, Qt::red, Qt::blue), "BMP"));
  expect_error(folder_.write("short.bmp", good.substr(0, good.size() / 2)), "short.bmp", "ends too early");
  expect_error(folder_.write("one.bmp", good.substr(0, good.size() - 1)), "one.bmp", "ends too early");
  expect_error(folder_.write("header.bmp", good.substr(0, 20)), "header.bmp");
  expect_error(folder_.write("junk.ico", std::string("\0\0\1\0junk", 8)), "junk.ico");
}

// A header claiming 50 000 x 50 000 pixels, patched into a real file.
std::string with_size(std::string bytes, std::size_t offset, bool big_endian, int bytes_per_value,
                      std::uint32_t width, std::uint32_t height, bool height_first) {
  auto put = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < bytes_per_value; ++i) {
      const int shift = big_endian ? 8 * (bytes_per_value - 1 - i) : 8 * i;
      bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> shift) & 0xFF);
    }
  };
  put(offset, height_first ? height : width);
  put(offset + static_cast<std::size_t>(bytes_per_value), height_first ? width : height);
  return bytes;
}

TEST_F(PictureLoaderTest, OversizedPicturesAreRefusedBeforeDecoding) {
  const auto jpeg = test::read_bytes(folder_.save("j.jpg", test::solid(8, 8, Qt::red, Qt::red), "JPEG"));
  const std::size_t sof = jpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  expect_error(folder_.write("big.jpg", with_size(jpeg, sof + 5, true, 2, 50000, 50000, true)), "big.jpg",
               "too large");

  const auto bmp = test::read_bytes(folder_.save("b.bmp", test::solid(8, 8, Qt::red, Qt::red), "BMP"));
  expect_error(folder_.write("big.bmp", with_size(bmp, 18, false, 4, 50000, 50000, false)), "big.bmp",
               "too large");

  // PNG: the header chunk's checksum must match, so build it whole.
  std::string ihdr("IHDR\0\0\xC3\x50\0\0\xC3\x50\x08\x06\0\0\0", 17);
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : ihdr) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  crc ^= 0xFFFFFFFFu;
  std::string png("\x89PNG\r\n\x1A\n\0\0\0\x0D", 12);
  png += ihdr;
  for (int i = 3; i >= 0; --i) png += static_cast<char>((crc >> (8 * i)) & 0xFF);
  expect_error(folder_.write("big.png", png), "big.png", "too large");
}

// An SVG picture may not reach outside its file nor ask for unbounded work:
// each hostile one is refused with the file's name (and the line), before
// anything is drawn.
TEST_F(PictureLoaderTest, HostileSvgPicturesAreRefusedNamingTheFile) {
  const std::string head =
      "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' ";
  std::string many = head + "width='10' height='10'>";
  for (int i = 0; i < 100000; ++i) many += "<g/>";
  many += "</svg>";
  const std::vector<std::tuple<std::string, std::string, std::string>> hostile = {
      {"entities.svg",
       "<?xml version='1.0'?>\n<!DOCTYPE svg [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b '&a;&a;&a;&a;'>]>\n" + head +
           "width='10' height='10'><text>&b;</text></svg>",
       "line 2 cannot be loaded: it declares entities"},
      {"linked.svg",
       head + "width='10' height='10'>\n<image xlink:href='/etc/passwd' width='5' height='5'/></svg>",
       "line 2 cannot be loaded: <image> refers to \"/etc/passwd\" outside it"},
      {"embedded.svg", head + "width='10' height='10'><image href='data:image/png;base64,AAAA'/></svg>",
       "outside it"},
      {"styled.svg",
       head + "width='10' height='10'><style>rect { fill: url(http://example.org/x) }</style></svg>",
       "refers to a file outside it"},
      {"huge.svg", head + "width='100000' height='100000'><rect width='1' height='1'/></svg>", "too large"},
      {"many.svg", many, "more than 20000 elements"},
      {"broken.svg", head + "width='10' height='10'><g></svg>", "not a readable SVG"},
      {"other.svg", "<html><body/></html>", "it is not an SVG"},
  };
  for (const auto& [name, text, reason] : hostile) expect_error(folder_.write(name, text), name, reason);
}

TEST_F(PictureLoaderTest, UnknownExtensionAndContentOfAnotherFormatAreErrors) {
  folder_.save("real.png", test::solid(4, 4, Qt::red, Qt::red), "PNG");
  std::filesystem::copy_file(folder_.path() / "real.png", folder_.path() / "real.gif");
  std::filesystem::copy_file(folder_.path() / "real.png", folder_.path() / "real.jpg");
  std::filesystem::copy_file(folder_.path() / "real.png", folder_.path() / "noext");
  expect_error(folder_.path() / "real.gif", "real.gif", "unknown picture file extension (.gif)");
  expect_error(folder_.path() / "noext", "noext", "unknown picture file extension");
  expect_error(folder_.path() / "real.jpg", "real.jpg", "not a JPEG");
}

TEST_F(PictureLoaderTest, MissingPictureMarkerIsRedWithABlackOutline) {
  const Picture marker = missing_picture_marker();
  ASSERT_EQ(marker.size(), QSize(10, 10));
  EXPECT_FALSE(marker.has_alpha);
  EXPECT_EQ(marker.image.pixelColor(0, 0), QColor(Qt::black));
  EXPECT_EQ(marker.image.pixelColor(9, 5), QColor(Qt::black));
  EXPECT_EQ(marker.image.pixelColor(5, 9), QColor(Qt::black));
  EXPECT_EQ(marker.image.pixelColor(1, 1), QColor(255, 0, 0));
  EXPECT_EQ(marker.image.pixelColor(8, 8), QColor(255, 0, 0));
}

TEST_F(PictureLoaderTest, TransparentFormKeysOutTheBottomLeftColourOfOpaquePictures) {
  QImage image = test::solid(3, 3, Qt::white, Qt::magenta);
  image.setPixelColor(2, 0, Qt::magenta);
  const QImage keyed = transparent_form(Picture{image.convertToFormat(QImage::Format_RGB32), false});
  EXPECT_EQ(keyed.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(qAlpha(keyed.pixel(0, 2)), 0);
  EXPECT_EQ(qAlpha(keyed.pixel(2, 0)), 0);
  EXPECT_EQ(keyed.pixel(1, 1), qRgb(255, 255, 255));

  // Pictures with their own alpha keep it; the bottom-left colour means nothing then.
  QImage alpha(2, 2, QImage::Format_ARGB32_Premultiplied);
  alpha.fill(qRgba(0, 0, 255, 255));
  const QImage kept = transparent_form(Picture{alpha, true});
  EXPECT_EQ(qAlpha(kept.pixel(0, 1)), 255);
  EXPECT_TRUE(transparent_form(Picture{}).isNull());
}

}  // namespace
}  // namespace hero
