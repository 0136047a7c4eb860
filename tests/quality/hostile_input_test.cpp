// Hostile installations and stores: every INI value, picture file and stored
// setting may be huge, truncated or malicious. The handheld must come up with
// defaults or the stated error, never crash, hang or take giant memory.
#include <sys/resource.h>
#include <zlib.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <cstring>
#include <functional>
#include <random>

#include "dialogs/key_bindings.h"
#include "display/gfxinit.h"
#include "display/ini_file.h"
#include "display/picture_loader.h"
#include "display/scene.h"
#include "engine/memory_settings_store.h"
#include "engine/settings_codec.h"
#include "startup/qsettings_store.h"
#include "tests/skins/test_support.h"

namespace hero::test {
namespace {

// Peak resident memory of this process so far, in megabytes.
long peak_rss_mb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// ---- PNG files made byte by byte --------------------------------------------

void put_u32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xff));
}

void put_chunk(std::string& out, const char* type, const std::string& data) {
  put_u32(out, static_cast<std::uint32_t>(data.size()));
  std::string body = std::string(type, 4) + data;
  out += body;
  put_u32(out, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                static_cast<uInt>(body.size()))));
}

std::string deflate_bytes(const std::string& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string out(size, '\0');
  EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                      static_cast<uLong>(raw.size()), 9),
            Z_OK);
  out.resize(size);
  return out;
}

// An RGB PNG that declares `width` x `height` and carries `raw` (filter bytes
// and pixels) deflated as its only IDAT.
std::string png_file(std::uint32_t width, std::uint32_t height, const std::string& raw) {
  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string ihdr;
  put_u32(ihdr, width);
  put_u32(ihdr, height);
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, no interlace
  put_chunk(png, "IHDR", ihdr);
  put_chunk(png, "IDAT", deflate_bytes(raw));
  put_chunk(png, "IEND", "");
  return png;
}

// A skin whose Config.ini is `skin_ini`, with a catalogue naming it.
struct Installation {
  TempFolder folder;
  SkinCatalogue catalogue;
  RecordingErrors errors;

  explicit Installation(const std::string& skin_ini) {
    ensure_gui();
    folder.write("Config.ini", "[Common]\r\nSkins=1\r\n[Skin1]\r\nPath=Graphics\\Skin1\r\nName=Hostile\r\n");
    folder.write("Graphics/Skin1/Config.ini", skin_ini);
    catalogue = read_skin_catalogue(folder.path(), errors);
  }

  SkinLoadRequest request(bool fullscreen = false) const {
    SkinLoadRequest r;
    r.catalogue = &catalogue;
    r.selected_skin = 1;
    r.fullscreen_mode = fullscreen;
    r.screen_size = QSize(1920, 1080);
    r.program_folder = folder.path();
    r.current_folder = folder.path();
    return r;
  }

  // Loads the skin into `scene`; the message of a refused picture, if any.
  std::string load(Scene& scene, bool fullscreen = false) {
    try {
      load_skin(scene, request(fullscreen), errors);
    } catch (const PictureError& e) {
      return e.what();
    }
    return {};
  }
};

// Paints what the window would show, so that hostile geometry also goes
// through composing and the shaped window's mask.
void compose_like_the_window(Scene& scene) {
  const QRegion dirty = scene.take_dirty_region();
  scene.update_shape(dirty);
  QImage target(QSize(640, 480), QImage::Format_RGB32);
  QPainter painter(&target);
  scene.paint(painter, QRegion(0, 0, 640, 480));
}

// ---- Catalogue and skin files -----------------------------------------------

TEST(HostileIni, TenMegabyteFileIsReadAndItsLongValuesCut) {
  std::string text = "[Common]\r\nSkins=3\r\n[Skin2]\r\nName=" + std::string(3 * 1024 * 1024, 'N') + "\r\n";
  std::mt19937 random(7);
  while (text.size() < 10u * 1024u * 1024u)
    text += "Key" + std::to_string(random()) + "=" + std::string(random() % 3000, 'v') + "\r\n";
  TempFolder folder;
  folder.write("Config.ini", text);
  RecordingErrors errors;
  const SkinCatalogue catalogue = read_skin_catalogue(folder.path(), errors);
  EXPECT_TRUE(errors.messages.empty());
  EXPECT_EQ(catalogue.listed_count(), 3);
  EXPECT_EQ(catalogue.entry(2).name, std::string(IniFile::kMaxValueLength, 'N'));
  EXPECT_EQ(catalogue.entry(3).name, "Nameless Skin");
}

TEST(HostileIni, HundredThousandSectionsFillOnlyTheCatalogueTable) {
  std::string text = "[Common]\nSkins=100000\n";
  for (int k = 1; k <= 100000; ++k) text += "[Skin" + std::to_string(k) + "]\nName=Skin number " + std::to_string(k) + "\n";
  text += "[skin5]\nName=second Skin5, never read\n";
  TempFolder folder;
  folder.write("Config.ini", text);
  RecordingErrors errors;
  const SkinCatalogue catalogue = read_skin_catalogue(folder.path(), errors);
  EXPECT_EQ(catalogue.skin_count, 100000);
  EXPECT_EQ(catalogue.listed_count(), kMaxSkins);
  EXPECT_EQ(catalogue.entry(5).name, "Skin number 5");
  EXPECT_EQ(catalogue.entry(kMaxSkins).name, "Skin number 99");
  const IniFile ini = IniFile::load(folder.path() / "Config.ini");
  EXPECT_EQ(ini.read_string("SKIN99999", "name", ""), "Skin number 99999");
}

TEST(HostileIni, BinaryBytesReadAsDefaultsWithoutAFault) {
  std::string junk;
  std::mt19937 random(11);
  for (int i = 0; i < 200000; ++i) junk.push_back(static_cast<char>(random() & 0xff));
  junk += std::string("\0\0[Common\0]\n=\n[]\n\xff\xfe=\x01\n", 20);
  Installation inst(junk);
  Scene scene;
  EXPECT_EQ(inst.load(scene), "");
  EXPECT_TRUE(inst.errors.messages.empty());
  // With nothing readable the skin keeps every default: the wide game area.
  EXPECT_EQ(scene.client_size(), QSize(1475, 870));
  compose_like_the_window(scene);

  const IniFile parsed = IniFile::parse(junk + "\n[Common]\nGameWidth=640\n");
  EXPECT_EQ(parsed.read_integer("Common", "GameWidth", 1475), 640);
}

TEST(HostileIni, GiantGameWidthIsHeldToTheLargestWindowSide) {
  Installation inst("[Common]\r\nGameWidth=1000000000\r\nGameHeight=300\r\n");
  Scene scene;
  ASSERT_EQ(inst.load(scene), "");
  EXPECT_EQ(scene.client_size(), QSize(Scene::kMaxSide, 300));
  compose_like_the_window(scene);
  // Full screen centres the clamped area without overflowing the offset.
  Scene full;
  ASSERT_EQ(inst.load(full, true), "");
  EXPECT_EQ(full.client_size(), QSize(1920, 1080));
  compose_like_the_window(full);
}

TEST(HostileIni, NegativeGameWidthGivesAnEmptyArea) {
  Installation inst("[Common]\r\nGameWidth=-5\r\nGameHeight=-2147483648\r\n[Image1]\r\nLeft=-2147483648\r\nWidth=2147483647\r\n");
  Scene scene;
  ASSERT_EQ(inst.load(scene), "");
  EXPECT_EQ(scene.client_size(), QSize(0, 0));
  EXPECT_EQ(scene.geometry(ElementId::im_background).left(), -Scene::kMaxCoordinate);
  compose_like_the_window(scene);
}

TEST(HostileIni, NumbersBeyondThirtyTwoBitsReadAsTheDefault) {
  const IniFile ini = IniFile::parse("[Common]\nGameWidth=99999999999999999999\nGameHeight=-0x7fffffff0\n");
  EXPECT_EQ(ini.read_integer("Common", "GameWidth", 1475), 1475);
  EXPECT_EQ(ini.read_integer("Common", "GameHeight", 870), 870);
}

// ---- Picture files ------------------------------------------------------------

TEST(HostilePicture, FiftyThousandSquarePngIsRefusedBeforeAllocating) {
  // One honest row of data: a decoder that trusts the header would take
  // 10 GB before finding out.
  Installation inst("[Image1]\r\nFilename=huge.png\r\nWidth=10\r\nHeight=10\r\n");
  inst.folder.write("Graphics/Skin1/huge.png", png_file(50000, 50000, std::string(1 + 3 * 50000, '\0')));
  const long before_mb = peak_rss_mb();
  Scene scene;
  const std::string message = inst.load(scene);
  EXPECT_NE(message.find("huge.png"), std::string::npos) << message;
  EXPECT_LT(peak_rss_mb() - before_mb, 100);
}

TEST(HostilePicture, PngDeclaringAGiantAreaInASmallFileIsRefused) {
  // 30 000 x 30 000 stays inside each side's limit but not the pixel count.
  const std::string bomb = png_file(30000, 30000, std::string(64, '\0'));
  ASSERT_LT(bomb.size(), 200u);
  const long before_mb = peak_rss_mb();
  EXPECT_THROW(decode_picture(std::span(reinterpret_cast<const std::uint8_t*>(bomb.data()), bomb.size()),
                              PictureFormat::png, "bomb.png"),
               PictureError);
  EXPECT_LT(peak_rss_mb() - before_mb, 100);
}

TEST(HostilePicture, PngWhoseDataInflatesFarBeyondItsSizeStopsAtItsSize) {
  // 16 x 16 declared; the stream inflates to 64 MB of zeros.
  const std::string bomb = png_file(16, 16, std::string(64u * 1024u * 1024u, '\0'));
  ASSERT_LT(bomb.size(), 200'000u);
  const long before_mb = peak_rss_mb();
  try {
    const Picture picture = decode_picture(
        std::span(reinterpret_cast<const std::uint8_t*>(bomb.data()), bomb.size()), PictureFormat::png, "bomb.png");
    EXPECT_EQ(picture.size(), QSize(16, 16));
  } catch (const PictureError& e) {
    EXPECT_NE(std::string(e.what()).find("bomb.png"), std::string::npos);
  }
  EXPECT_LT(peak_rss_mb() - before_mb, 100);
}

// A real JPEG whose first Huffman table is damaged by `damage`.
std::string jpeg_with_damaged_huffman_table(const std::function<void(std::string&, std::size_t)>& damage) {
  ensure_gui();
  QImage image(64, 48, QImage::Format_RGB32);
  image.fill(QColor(200, 40, 90));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, "JPG", 80));
  std::string jpeg(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  const std::size_t dht = jpeg.find("\xff\xc4");
  EXPECT_NE(dht, std::string::npos);
  if (dht != std::string::npos) damage(jpeg, dht);
  return jpeg;
}

TEST(HostilePicture, JpegWithTooManyHuffmanCodesIsADecodingError) {
  // Marker, length (2), class/id (1), then the 16 code counts: all 255.
  const std::string jpeg = jpeg_with_damaged_huffman_table([](std::string& j, std::size_t dht) {
    for (std::size_t i = 0; i < 16; ++i) j[dht + 5 + i] = '\xff';
  });
  Installation inst("[Image1]\r\nFilename=bad.jpg\r\n");
  inst.folder.write("Graphics/Skin1/bad.jpg", jpeg);
  Scene scene;
  EXPECT_NE(inst.load(scene).find("bad.jpg"), std::string::npos);
}

TEST(HostilePicture, JpegWithOverfullHuffmanCodeSpaceIsADecodingError) {
  // Three codes of length 1 cannot exist; the symbol count stays in bounds.
  const std::string jpeg = jpeg_with_damaged_huffman_table([](std::string& j, std::size_t dht) {
    for (std::size_t i = 0; i < 16; ++i) j[dht + 5 + i] = '\0';
    j[dht + 5] = '\x03';
  });
  EXPECT_THROW(decode_picture(std::span(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size()),
                              PictureFormat::jpeg, "overfull.jpg"),
               PictureError);
}

TEST(HostilePicture, JpegCutInsideItsHuffmanTableIsADecodingError) {
  const std::string jpeg =
      jpeg_with_damaged_huffman_table([](std::string& j, std::size_t dht) { j.resize(dht + 9); });
  EXPECT_THROW(decode_picture(std::span(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size()),
                              PictureFormat::jpeg, "cut.jpg"),
               PictureError);
}

// A 24-bit bitmap of `width` x `height` whose headers say so but whose pixel
// data is only `data_bytes` long; `file_size` is what the file header claims.
std::string lying_bmp(std::int32_t width, std::int32_t height, std::uint32_t file_size, std::size_t data_bytes,
                      std::uint32_t data_offset = 54) {
  std::string bmp(54, '\0');
  auto le32 = [&bmp](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  le32(2, file_size);
  le32(10, data_offset);
  le32(14, 40);
  le32(18, static_cast<std::uint32_t>(width));
  le32(22, static_cast<std::uint32_t>(height));
  bmp[26] = 1;
  bmp[28] = 24;
  bmp += std::string(data_bytes, '\x7f');
  return bmp;
}

TEST(HostilePicture, BitmapClaimingMorePixelsThanItHoldsIsRefused) {
  Installation inst("[Image1]\r\nFilename=liar.bmp\r\n");
  inst.folder.write("Graphics/Skin1/liar.bmp", lying_bmp(4000, 3000, 36'000'054, 300));
  Scene scene;
  EXPECT_NE(inst.load(scene).find("liar.bmp"), std::string::npos);
}

TEST(HostilePicture, BitmapHeaderLiesOfEveryKindNeverFault) {
  const std::vector<std::string> liars = {
      lying_bmp(50000, 50000, 54, 16),                  // giant area, tiny file
      lying_bmp(-2147483647 - 1, 10, 54, 120),          // most negative width
      lying_bmp(4, -2147483647 - 1, 54, 120),           // most negative height (top-down)
      lying_bmp(4, 4, 0xffffffffu, 48),                 // file size far beyond the file
      lying_bmp(4, 4, 102, 48, 0xfffffff0u),            // pixel data offset past the end
      lying_bmp(4, 4, 102, 48, 2),                      // pixel data offset inside the header
  };
  for (std::size_t i = 0; i < liars.size(); ++i) {
    const long before_mb = peak_rss_mb();
    try {
      const Picture p = decode_picture(
          std::span(reinterpret_cast<const std::uint8_t*>(liars[i].data()), liars[i].size()), PictureFormat::bmp,
          "liar.bmp");
      EXPECT_LE(static_cast<std::int64_t>(p.size().width()) * p.size().height(), kMaxPicturePixels) << i;
    } catch (const PictureError& e) {
      EXPECT_NE(std::string(e.what()).find("liar.bmp"), std::string::npos) << i;
    }
    EXPECT_LT(peak_rss_mb() - before_mb, 100) << i;
  }
}

TEST(HostilePicture, PathLeavingTheSkinFolderLoadsOnlyAPicture) {
  Installation inst(
      "[Image1]\r\nFilename=..\\..\\Shared\\frame.png\r\nWidth=4\r\nHeight=3\r\n"
      "[Image2]\r\nFilename=..\\..\\etc\\passwd\r\n");
  inst.folder.save("Shared/frame.png", solid(4, 3, Qt::green, Qt::black), "PNG");
  inst.folder.write("etc/passwd", "root:x:0:0:root:/root:/bin/sh\n");
  Scene scene;
  // A picture reached through ".." is a picture like any other; a text file
  // named as a picture stops the load with a message naming it.
  const std::string message = inst.load(scene);
  EXPECT_EQ(scene.picture(ElementId::im_background).size(), QSize(4, 3));
  EXPECT_NE(message.find("passwd"), std::string::npos) << message;
}

TEST(HostilePicture, PathToTheSystemPasswordFileIsRefusedOrMissing) {
  std::string climb;
  for (int i = 0; i < 40; ++i) climb += "..\\";
  for (const std::string& name : std::vector<std::string>{climb + "etc\\passwd", climb + "etc\\passwd.png", std::string("\\etc\\passwd"),
                                 std::string("/etc/passwd"), climb + "dev\\zero.bmp", climb + "proc\\self\\mem.png"}) {
    Installation inst("[Image3]\r\nFilename=" + name + "\r\n");
    Scene scene;
    const std::string message = inst.load(scene);
    // Either the file is absent (the marker) or it is no picture (an error
    // naming it); the element never gets anything else.
    const std::string stem = name.substr(name.find_last_of("\\/") + 1);
    if (message.empty())
      EXPECT_EQ(scene.picture(skin_image(3)).size(), QSize(10, 10)) << name;
    else
      EXPECT_NE(message.find(stem), std::string::npos) << message;
  }
}

// ---- Settings values ------------------------------------------------------------

TEST(HostileSettings, KeyValuesBeyondAnyKeyFallBackToTheirDefaults) {
  TempFolder folder;
  const QString file = QString::fromStdString((folder.path() / "Hero50.conf").string());
  {
    QSettingsStore store(file);
    store.write_text("Key1", "99999999999999999999");
    store.write_text("Key2", "-0x7fffffff");
    store.write_text("Key3", "-2147483648");
    store.write_text("Key4", "45");
    store.write_text("Key5", std::string(5000, '9'));
  }
  QSettingsStore store(file);
  KeyBindings bindings;
  bindings.load(store);
  for (int n = 1; n <= 5; ++n) {
    EXPECT_EQ(bindings.binding(n).choice, KeyBindings::default_choice(n)) << n;
    EXPECT_EQ(bindings.binding(n).key_code, key_choice(KeyBindings::default_choice(n))->key_code) << n;
    EXPECT_EQ(store.read_text(KeyBindings::value_name(n)), std::to_string(KeyBindings::default_choice(n))) << n;
  }
  EXPECT_FALSE(bindings.hint("btn_game_a_top").empty());
  // Every key still reaches at most one action; none is bound twice by the fall-back.
  EXPECT_EQ(bindings.action_for_press(key_choice(2)->key_code), KeyAction::game_a);
}

TEST(HostileSettings, IntegerTextsBeyondThirtyTwoBitsReadAsDefaults) {
  MemorySettingsStore store;
  const std::vector<std::string> texts = {"99999999999999999999", "-0x7fffffff0", "2147483648", "-2147483649",
                                          "0x", "$", "-", "--5", "1e3", "5x", "0x1ffffffff",
                                          std::string(100000, '7'), std::string("4\0" "2", 3)};
  for (const std::string& text : texts) {
    store.write_text("HiScore1", text);
    EXPECT_EQ(read_integer(store, "HiScore1", -77), -77) << text;
  }
  store.write_text("HiScore1", "-2147483648");
  EXPECT_EQ(read_integer(store, "HiScore1", 0), -2147483647 - 1);
}

}  // namespace
}  // namespace hero::test
