// Temporary folders, picture files and a recording error box for the skin tests.
#pragma once

#include "tests/support/qt_app.h"
#include "tests/support/recording_errors.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/installation_errors.h"

namespace hero::test {

// A fresh folder per test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("hero_skins_" + std::string(info->test_suite_name()) + "_" + info->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }

  std::filesystem::path write(const std::string& relative, const std::string& bytes) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }
  std::filesystem::path save(const std::string& relative, const QImage& image, const char* format,
                             int quality = -1) const {
    const auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    EXPECT_TRUE(image.save(QString::fromStdString(file.string()), format, quality)) << relative;
    return file;
  }

 private:
  std::filesystem::path path_;
};

inline std::string read_bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A picture of one colour with a different bottom-left pixel, so tests can
// tell keyed-out pixels from drawn ones.
inline QImage solid(int w, int h, QColor fill, QColor bottom_left) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  image.setPixelColor(0, h - 1, bottom_left);
  return image;
}

}  // namespace hero::test
