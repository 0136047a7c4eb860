// Hostile installations and stores: every INI value, picture file and stored
// setting may be huge, truncated or malicious. The handheld must come up with
// defaults or the stated error, never crash, hang or take giant memory.
#include <sys/resource.h>
#include <zlib.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cstring>
#include <functional>
#include <random>

#include "dialogs/keys/key_bindings.h"
#include "display/files/ini_file.h"
#include "display/skins/gfxinit.h"
#include "display/skins/picture_loader.h"
#include "display/skins/scene.h"
#include "engine/memory_settings_store.h"
#include "engine/settings_values.h"
#include "startup/settings/qsettings_store.h"
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
  put_u32(out, static_cast<std::uint32_t>(
                   crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
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
    qt_app();
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

  // Loads the skin into `scene`; the message of a refused picture or skin
  // value, if any.
  std::string load(Scene& scene, bool fullscreen = false) {
    try {
      load_skin(scene, request(fullscreen), errors);
    } catch (const PictureError& e) {
      return e.what();
    } catch (const SkinError& e) {
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
  for (int k = 1; k <= 100000; ++k)
    text += "[Skin" + std::to_string(k) + "]\nName=Skin number " + std::to_string(k) + "\n";
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

TEST(HostileIni, GameAreaOutsideAWindowsSizeIsRefusedNamingTheKey) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"GameWidth=0\r\nGameHeight=870", "GameWidth is 0"},
      {"GameWidth=1475\r\nGameHeight=0", "GameHeight is 0"},
      {"GameWidth=-5\r\nGameHeight=300", "GameWidth is -5"},
      {"GameWidth=100000\r\nGameHeight=100000", "GameHeight is 100000"},
      {"GameWidth=1000000000\r\nGameHeight=300", "GameWidth is 1000000000"},
      {"GameWidth=640\r\nGameHeight=-2147483648", "GameHeight is -2147483648"},
      {"GameWidth=640\r\nGameHeight=8193", "GameHeight is 8193"},
  };
  for (const auto& [values, named] : cases) {
    SCOPED_TRACE(values);
    Installation inst("[Common]\r\n" + values + "\r\n[Image1]\r\nWidth=5\r\nHeight=5\r\n");
    for (bool fullscreen : {false, true}) {
      Scene scene;
      const QSize before = scene.client_size();
      const std::string message = inst.load(scene, fullscreen);
      EXPECT_NE(message.find("Graphics\\Skin1\\Config.ini"), std::string::npos) << message;
      EXPECT_NE(message.find(named), std::string::npos) << message;
      EXPECT_NE(message.find("1 to " + std::to_string(kMaxGameSide)), std::string::npos) << message;
      // The load stops before anything is laid out.
      EXPECT_EQ(scene.client_size(), before);
      EXPECT_EQ(scene.geometry(ElementId::im_background).size(), QSize(0, 0));
    }
  }
}

TEST(HostileIni, LargestAndSmallestGameAreasStillLoad) {
  for (const QSize size : {QSize(kMaxGameSide, kMaxGameSide), QSize(1, 1)}) {
    Installation inst("[Common]\r\nGameWidth=" + std::to_string(size.width()) +
                      "\r\nGameHeight=" + std::to_string(size.height()) +
                      "\r\n[Image1]\r\nLeft=-2147483648\r\nWidth=2147483647\r\n");
    Scene scene;
    ASSERT_EQ(inst.load(scene), "");
    EXPECT_EQ(scene.client_size(), size);
    EXPECT_EQ(scene.geometry(ElementId::im_background).left(), -Scene::kMaxCoordinate);
    compose_like_the_window(scene);
  }
}

TEST(HostileIni, NumbersBeyondThirtyTwoBitsReadAsTheDefault) {
  const IniFile ini = IniFile::parse("[Common]\nGameWidth=99999999999999999999\nGameHeight=-0x7fffffff0\n");
  EXPECT_EQ(ini.read_integer("Common", "GameWidth", 1475), 1475);
  EXPECT_EQ(ini.read_integer("Common", "GameHeight", 870), 870);
}

// Text as Notepad saves it: UTF-16 with a byte-order mark, in either order.
std::string utf16_with_bom(const std::u16string& text, bool big_endian) {
  std::string out = big_endian ? std::string("\xFE\xFF") : std::string("\xFF\xFE");
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return out;
}

TEST(HostileIni, UnicodeFilesReadAsTheSameText) {
  const std::u16string catalogue =
      u"[Common]\r\nSkins=1\r\n[Skin1]\r\nPath=Graphics\\Skin1\r\nName=Caf\u00e9 \u263a \U0001F600\r\n";
  const std::string name_in_utf8 = "Caf\xC3\xA9 \xE2\x98\xBA \xF0\x9F\x98\x80";
  const std::u16string skin = u"[Common]\r\nGameWidth=640\r\nGameHeight=480\r\n";
  const std::vector<std::pair<std::string, std::pair<std::string, std::string>>> encodings = {
      {"UTF-16 LE", {utf16_with_bom(catalogue, false), utf16_with_bom(skin, false)}},
      {"UTF-16 BE", {utf16_with_bom(catalogue, true), utf16_with_bom(skin, true)}},
      {"UTF-8 with BOM",
       {"\xEF\xBB\xBF[Common]\r\nSkins=1\r\n[Skin1]\r\nPath=Graphics\\Skin1\r\nName=" + name_in_utf8 + "\r\n",
        "\xEF\xBB\xBF[Common]\r\nGameWidth=640\r\nGameHeight=480\r\n"}},
  };
  for (const auto& [encoding, files] : encodings) {
    SCOPED_TRACE(encoding);
    Installation inst(files.second);
    inst.folder.write("Config.ini", files.first);
    RecordingErrors errors;
    const SkinCatalogue catalogue_read = read_skin_catalogue(inst.folder.path(), errors);
    ASSERT_EQ(catalogue_read.listed_count(), 1);
    EXPECT_EQ(catalogue_read.entry(1).name, name_in_utf8);
    EXPECT_EQ(catalogue_read.entry(1).path, "Graphics\\Skin1\\");
    inst.catalogue = catalogue_read;
    Scene scene;
    ASSERT_EQ(inst.load(scene), "");
    EXPECT_EQ(scene.client_size(), QSize(640, 480));
  }
}

TEST(HostileIni, BrokenUtf16ReadsAsReplacementCharacters) {
  const std::u16string lone = u"[C]\r\na=" + std::u16string(1, char16_t{0xD800}) + u"x\r\nb=" +
                              std::u16string(1, char16_t{0xDC00}) + u"\r\n";
  for (bool big_endian : {false, true}) {
    const IniFile ini = IniFile::parse(utf16_with_bom(lone, big_endian));
    EXPECT_EQ(ini.read_string("C", "a", ""), "\xEF\xBF\xBDx");
    EXPECT_EQ(ini.read_string("C", "b", ""), "\xEF\xBF\xBD");
  }
  // A pair cut by the end of the file, an odd last byte, and nothing but the mark.
  const std::string cut = utf16_with_bom(u"[C]\r\nk=" + std::u16string(1, char16_t{0xD83D}), false);
  EXPECT_EQ(IniFile::parse(cut).read_string("C", "k", ""), "\xEF\xBF\xBD");
  EXPECT_EQ(IniFile::parse(cut + "Z").read_string("C", "k", ""), "\xEF\xBF\xBD");
  EXPECT_FALSE(IniFile::parse("\xFF\xFE").has_section("C"));
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
    const Picture picture =
        decode_picture(std::span(reinterpret_cast<const std::uint8_t*>(bomb.data()), bomb.size()),
                       PictureFormat::png, "bomb.png");
    EXPECT_EQ(picture.size(), QSize(16, 16));
  } catch (const PictureError& e) {
    EXPECT_NE(std::string(e.what()).find("bomb.png"), std::string::npos);
  }
  EXPECT_LT(peak_rss_mb() - before_mb, 100);
}

// A real JPEG whose first Huffman table is damaged by `damage`.
std::string jpeg_with_damaged_huffman_table(const std::function<void(std::string&, std::size_t)>& damage) {
  qt_app();
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
std::string lying_bmp(std::int32_t width, std::int32_t height, std::uint32_t file_size,
                      std::size_t data_bytes, std::uint32_t data_offset = 54) {
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
      lying_bmp(50000, 50000, 54, 16),          // giant area, tiny file
      lying_bmp(-2147483647 - 1, 10, 54, 120),  // most negative width
      lying_bmp(4, -2147483647 - 1, 54, 120),   // most negative height (top-down)
      lying_bmp(4, 4, 0xffffffffu, 48),         // file size far beyond the file
      lying_bmp(4, 4, 102, 48, 0xfffffff0u),    // pixel data offset past the end
      lying_bmp(4, 4, 102, 48, 2),              // pixel data offset inside the header
  };
  for (std::size_t i = 0; i < liars.size(); ++i) {
    const long before_mb = peak_rss_mb();
    try {
      const Picture p =
          decode_picture(std::span(reinterpret_cast<const std::uint8_t*>(liars[i].data()), liars[i].size()),
                         PictureFormat::bmp, "liar.bmp");
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
  for (const std::string& name : std::vector<std::string>{
           climb + "etc\\passwd", climb + "etc\\passwd.png", std::string("\\etc\\passwd"),
           std::string("/etc/passwd"), climb + "dev\\zero.bmp", climb + "proc\\self\\mem.png"}) {
    Installation inst("[Image3]\r\nFilename=" + name + "\r\n");
    Scene scene;
    const std::string message = inst.load(scene);
    // Either the file is absent (the marker) or it is no picture (an error
    // naming it); the element never gets anything else.
    const std::string stem = name.substr(name.find_last_of("\\/") + 1);
    if (message.empty()) EXPECT_EQ(scene.picture(skin_image(3)).size(), QSize(10, 10)) << name;
    else EXPECT_NE(message.find(stem), std::string::npos) << message;
  }
}

// A 16 x 16 PNG carrying `count` compressed text chunks that each inflate to
// `inflated_bytes`, or plain ones of that size.
std::string png_with_text_chunks(int count, std::size_t inflated_bytes, bool compressed) {
  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string ihdr;
  put_u32(ihdr, 16);
  put_u32(ihdr, 16);
  ihdr += std::string("\x08\x02\x00\x00\x00", 5);
  put_chunk(png, "IHDR", ihdr);
  const std::string text(inflated_bytes, 'T');
  const std::string body =
      compressed ? std::string("Comment\0\0", 9) + deflate_bytes(text) : std::string("Comment\0", 8) + text;
  for (int i = 0; i < count; ++i) put_chunk(png, compressed ? "zTXt" : "tEXt", body);
  put_chunk(png, "IDAT", deflate_bytes(std::string(16 * (1 + 3 * 16), '\0')));
  put_chunk(png, "IEND", "");
  return png;
}

TEST(HostilePicture, PngTextChunksAreSkippedWithoutInflatingThem) {
  // 200 chunks of 7 MB text each, 1.4 MB on disk: the picture needs none.
  const std::string png = png_with_text_chunks(200, 7u * 1024u * 1024u, true);
  ASSERT_LT(png.size(), 3'000'000u);
  const long before_mb = peak_rss_mb();
  const Picture picture =
      decode_picture(std::span(reinterpret_cast<const std::uint8_t*>(png.data()), png.size()),
                     PictureFormat::png, "chatty.png");
  EXPECT_EQ(picture.size(), QSize(16, 16));
  EXPECT_LT(peak_rss_mb() - before_mb, 100);
}

TEST(HostilePicture, PngWithMoreSideDataThanAnyDrawingIsRefusedNamingIt) {
  Installation inst("[Image1]\r\nFilename=chatty.png\r\n");
  inst.folder.write("Graphics/Skin1/chatty.png", png_with_text_chunks(3, 6u * 1024u * 1024u, false));
  Scene scene;
  const std::string message = inst.load(scene);
  EXPECT_NE(message.find("chatty.png"), std::string::npos) << message;
  EXPECT_NE(message.find("16 MB"), std::string::npos) << message;
  // A few ordinary text chunks are no reason to refuse a picture.
  inst.folder.write("Graphics/Skin1/chatty.png", png_with_text_chunks(40, 1000, false));
  EXPECT_EQ(inst.load(scene), "");
}

// A progressive JPEG of `width` x `height` whose last scan is repeated until
// the file holds `scans` scans.
std::string progressive_jpeg(int width, int height, int scans) {
  qt_app();
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(30, 120, 200));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setProgressiveScanWrite(true);
  EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
  std::string jpeg(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  int have = 0;
  for (std::size_t at = jpeg.find("\xFF\xDA"); at != std::string::npos; at = jpeg.find("\xFF\xDA", at + 2))
    ++have;
  const std::size_t last = jpeg.rfind("\xFF\xDA");
  const std::size_t end = jpeg.rfind("\xFF\xD9");
  EXPECT_GT(have, 1) << "the writer made no progressive file";
  if (last == std::string::npos || end == std::string::npos || end < last) return jpeg;
  const std::string scan = jpeg.substr(last, end - last);
  std::string repeated;
  for (int i = have; i < scans; ++i) repeated += scan;
  jpeg.insert(end, repeated);
  return jpeg;
}

TEST(HostilePicture, ProgressiveJpegRepeatingAScanIsRefusedNamingIt) {
  const std::string jpeg = progressive_jpeg(2000, 2000, 999);
  Installation inst("[Image1]\r\nFilename=scans.jpg\r\n");
  inst.folder.write("Graphics/Skin1/scans.jpg", jpeg);
  Scene scene;
  const std::string message = inst.load(scene);
  EXPECT_NE(message.find("scans.jpg"), std::string::npos) << message;
  EXPECT_NE(message.find("too much decoding work"), std::string::npos) << message;
}

TEST(HostilePicture, OrdinaryProgressiveJpegsStillDecode) {
  // The writer's own scans, and a few repeated ones, over a large picture.
  for (const auto& [side, scans] : std::vector<std::pair<int, int>>{{2000, 0}, {1000, 40}, {64, 900}}) {
    const std::string jpeg = progressive_jpeg(side, side, scans);
    const Picture picture =
        decode_picture(std::span(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size()),
                       PictureFormat::jpeg, "fine.jpg");
    EXPECT_EQ(picture.size(), QSize(side, side)) << side;
  }
}

// An 8-bit run-length bitmap declaring `side` x `side` whose data ends at
// once: about a kilobyte on disk, `side` squared pixels decoded.
std::string run_length_bitmap(std::int32_t side) {
  std::string bmp = lying_bmp(side, side, 0, 0, 54 + 1024);
  bmp[28] = 8;                        // bits per pixel
  bmp[30] = 1;                        // BI_RLE8
  bmp += std::string(1024, '\x40');   // palette
  bmp += std::string("\x00\x01", 2);  // end of bitmap
  return bmp;
}

TEST(HostilePicture, SkinOfGiantPicturesIsRefusedAtItsPixelBudget) {
  // Every element names its own 6000 x 6000 picture of about 1 KB.
  std::string ini;
  for (int n = 1; n <= kSkinImageCount; ++n)
    ini += "[Image" + std::to_string(n) + "]\r\nFilename=big" + std::to_string(n) +
           ".bmp\r\nWidth=4\r\nHeight=4\r\n";
  Installation inst(ini);
  for (int n = 1; n <= kSkinImageCount; ++n)
    inst.folder.write("Graphics/Skin1/big" + std::to_string(n) + ".bmp", run_length_bitmap(6000));
  const long before_mb = peak_rss_mb();
  Scene scene;
  const std::string message = inst.load(scene);
  // 36 million pixels each: the second one would pass the 64 million.
  EXPECT_NE(message.find("big2.bmp"), std::string::npos) << message;
  EXPECT_NE(message.find("the skin's pictures together"), std::string::npos) << message;
  EXPECT_NE(message.find(std::to_string(kMaxSkinPixels)), std::string::npos) << message;
  EXPECT_EQ(scene.picture(skin_image(1)).size(), QSize(6000, 6000));
  EXPECT_LT(peak_rss_mb() - before_mb, 400);
}

TEST(HostilePicture, PictureNamedBySeveralElementsCountsOnceAgainstTheBudget) {
  std::string ini;
  for (int n = 1; n <= kSkinImageCount; ++n)
    ini += "[Image" + std::to_string(n) + "]\r\nFilename=shared.bmp\r\n";
  Installation inst(ini);
  inst.folder.write("Graphics/Skin1/shared.bmp", run_length_bitmap(6000));
  const long before_mb = peak_rss_mb();
  Scene scene;
  EXPECT_EQ(inst.load(scene), "");
  EXPECT_EQ(scene.picture(skin_image(kSkinImageCount)).size(), QSize(6000, 6000));
  // Decoded once, and its transparent form made once for all the segments
  // that draw it.
  EXPECT_LT(peak_rss_mb() - before_mb, 600);
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
    EXPECT_EQ(store.read_text(KeyBindings::value_name(n)), std::to_string(KeyBindings::default_choice(n)))
        << n;
  }
  EXPECT_FALSE(bindings.hint("btn_game_a_top").empty());
  // Every key still reaches at most one action; none is bound twice by the fall-back.
  EXPECT_EQ(bindings.action_for_press(key_choice(2)->key_code), KeyAction::game_a);
}

TEST(HostileSettings, IntegerTextsBeyondThirtyTwoBitsReadAsDefaults) {
  MemorySettingsStore store;
  const std::vector<std::string> texts = {"99999999999999999999",
                                          "-0x7fffffff0",
                                          "2147483648",
                                          "-2147483649",
                                          "0x",
                                          "$",
                                          "-",
                                          "--5",
                                          "1e3",
                                          "5x",
                                          "0x1ffffffff",
                                          std::string(100000, '7'),
                                          std::string("4\0"
                                                      "2",
                                                      3)};
  for (const std::string& text : texts) {
    store.write_text("Skin", text);
    EXPECT_EQ(settings::read(store, settings::kSkin), settings::kSkin.default_value) << text;
  }
  store.write_text("Skin", "-2147483648");
  EXPECT_EQ(settings::read(store, settings::kSkin), -2147483647 - 1);
}

}  // namespace
}  // namespace hero::test
