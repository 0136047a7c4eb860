// The settings store keeps the player's choices and high scores as text and
// survives a damaged file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "engine/settings_values.h"
#include "startup/settings/qsettings_store.h"

namespace hero {
namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  QString path() const { return dir_.filePath("Quillon/Hero50.conf"); }
  QByteArray file_bytes() const {
    QFile f(path());
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
  }
  void write_file(const QByteArray& bytes) {
    QDir().mkpath(dir_.filePath("Quillon"));
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
  }
  QTemporaryDir dir_;
};

TEST_F(SettingsStoreTest, IntegersAndFlagsAreStoredAsTextAndReadBack) {
  {
    QSettingsStore store(path());
    settings::write(store, settings::kHiScore1, 250);
    settings::write(store, settings::kSkin, -1);
    settings::write(store, settings::kFullscreenMode, false);
    settings::write(store, settings::kSplashScreen, true);
  }
  QSettingsStore reopened(path());
  EXPECT_EQ(reopened.read_text("HiScore1"), "250");
  EXPECT_EQ(reopened.read_text("Skin"), "-1");
  EXPECT_EQ(reopened.read_text("FullscreenMode"), "0");
  EXPECT_EQ(settings::read(reopened, settings::kHiScore1), 250);
  EXPECT_FALSE(settings::read(reopened, settings::kFullscreenMode));
  EXPECT_TRUE(settings::read(reopened, settings::kSplashScreen));
}

TEST_F(SettingsStoreTest, ValueIsOnDiskWhenTheWriteReturns) {
  QSettingsStore store(path());
  settings::write(store, settings::kHiScore2, 37);
  // Another handle (as after a killed program) must see it at once.
  QSettingsStore other(path());
  EXPECT_EQ(settings::read(other, settings::kHiScore2), 37);
  EXPECT_TRUE(file_bytes().contains("HiScore2"));
}

TEST_F(SettingsStoreTest, MissingAndUnparsableValuesReadAsDefaults) {
  QSettingsStore store(path());
  EXPECT_FALSE(store.read_text("SoundMode").has_value());
  EXPECT_EQ(settings::read(store, settings::kSoundMode), -1);
  store.write_text("HiScore1", "lots");
  EXPECT_EQ(settings::read(store, settings::kHiScore1), 0);
  store.write_text("SplashScreen", "7");
  EXPECT_TRUE(settings::read(store, settings::kSplashScreen));
}

TEST_F(SettingsStoreTest, AllListsEveryValueSortedByName) {
  QSettingsStore store(path());
  settings::write(store, settings::kKeys[1], 3);
  settings::write(store, settings::kKeys[0], 2);
  settings::write(store, settings::kHiScore1, 5);
  const auto values = store.all();
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].first, "HiScore1");
  EXPECT_EQ(values[1], (std::pair<std::string, std::string>{"Key1", "2"}));
  EXPECT_EQ(values[2].first, "Key2");
}

TEST_F(SettingsStoreTest, GarbageFileReadsAsDefaultsAndIsRepairedByTheNextWrite) {
  static const char kDamaged[] = "\x00\xff\xfe[[[=\n=@Variant(\x01\x02)\nHiScore1=@Variant(junk\n";
  QByteArray garbage(kDamaged, sizeof kDamaged - 1);
  garbage += QByteArray(4096, '\x9c');
  write_file(garbage);
  QSettingsStore store(path());
  EXPECT_EQ(settings::read(store, settings::kHiScore1), 0);
  EXPECT_TRUE(settings::read(store, settings::kFullscreenMode));
  settings::write(store, settings::kHiScore1, 12);
  QSettingsStore reopened(path());
  EXPECT_EQ(settings::read(reopened, settings::kHiScore1), 12);
}

TEST_F(SettingsStoreTest, TruncatedFileKeepsWhatIsReadableAndStaysWritable) {
  write_file("[General]\nKey1=2\nKey2=3\nHiSc");
  QSettingsStore store(path());
  EXPECT_EQ(settings::read(store, settings::kKeys[0]), 2);
  EXPECT_EQ(settings::read(store, settings::kHiScore1), 0);
  settings::write(store, settings::kHiScore1, 99);
  QSettingsStore reopened(path());
  EXPECT_EQ(settings::read(reopened, settings::kHiScore1), 99);
  EXPECT_EQ(settings::read(reopened, settings::kKeys[1]), 3);
}

// Hand-edited names: the registry matches value names without regard to
// case, so "key5" is Key5, and writing Key5 replaces it.
TEST_F(SettingsStoreTest, ValueNamesMatchWithoutRegardToCaseAndWritesReplaceThem) {
  write_file("[General]\nkey5=41\nHISCORE1=120\nsplashscreen=0\nSplashScreen=1\n");
  {
    QSettingsStore store(path());
    EXPECT_EQ(store.read_text("Key5"), "41");
    EXPECT_EQ(settings::read(store, settings::kHiScore1), 120);
    EXPECT_EQ(store.read_text("SplashScreen"), "1");  // the exact spelling first
    settings::write(store, settings::kKeys[4], 38);
    settings::write(store, settings::kHiScore1, 130);
    settings::write(store, settings::kSplashScreen, false);
    EXPECT_EQ(store.read_text("KEY5"), "38");
  }
  const QByteArray bytes = file_bytes();
  EXPECT_TRUE(bytes.contains("key5=38")) << bytes.toStdString();
  EXPECT_FALSE(bytes.contains("Key5")) << bytes.toStdString();
  EXPECT_TRUE(bytes.contains("HISCORE1=130")) << bytes.toStdString();
  EXPECT_EQ(bytes.count("plashscreen") + bytes.count("plashScreen"), 1) << bytes.toStdString();
  QSettingsStore reopened(path());
  EXPECT_EQ(reopened.all().size(), 3u);
  EXPECT_EQ(reopened.read_text("splashScreen"), "0");
}

TEST_F(SettingsStoreTest, AWriteThatCannotReachTheDiskThrowsNamingTheValue) {
  // A folder where the file should be: nothing can be written there.
  QDir().mkpath(path());
  QSettingsStore store(path());
  try {
    settings::write(store, settings::kHiScore1, 10);
    FAIL() << "the write claimed success";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("HiScore1"), std::string::npos) << e.what();
  }
}

TEST(SettingsStoreLocation, PlayersStoreLivesUnderQuillonHero50) {
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  QSettingsStore store;
  settings::write(store, settings::kKeys[0], 2);
  EXPECT_TRUE(QFile::exists(config.filePath("Quillon/Hero50.conf"))) << store.file_name().toStdString();
}

}  // namespace
}  // namespace hero
