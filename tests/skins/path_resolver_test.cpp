// How names from the handheld's files find their files on a case-sensitive
// file system.
#include "display/files/path_resolver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace hero {
namespace {

namespace fs = std::filesystem;

class PathResolverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("hero_paths_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "Graphics" / "SKIN1");
    std::ofstream(root_ / "Graphics" / "SKIN1" / "Back.PNG") << "x";
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST_F(PathResolverTest, BackslashAndSlashBothSeparateFolders) {
  const PathResolver resolver(root_);
  EXPECT_EQ(resolver.resolve("Graphics\\SKIN1\\Back.PNG"), root_ / "Graphics" / "SKIN1" / "Back.PNG");
  EXPECT_EQ(resolver.resolve("Graphics/SKIN1/Back.PNG"), root_ / "Graphics" / "SKIN1" / "Back.PNG");
}

TEST_F(PathResolverTest, CaseMismatchedNamesAreFoundComponentByComponent) {
  const PathResolver resolver(root_);
  EXPECT_EQ(resolver.resolve("graphics\\skin1\\back.png"), root_ / "Graphics" / "SKIN1" / "Back.PNG");
  EXPECT_TRUE(resolver.file_exists("GRAPHICS\\Skin1\\BACK.png"));
}

TEST_F(PathResolverTest, ExactNameIsPreferredOverAnotherCaseVariant) {
  std::ofstream(root_ / "Graphics" / "SKIN1" / "back.png") << "y";
  const PathResolver resolver(root_);
  EXPECT_EQ(resolver.resolve("Graphics\\SKIN1\\back.png"), root_ / "Graphics" / "SKIN1" / "back.png");
}

TEST_F(PathResolverTest, MissingNamesStayAsWrittenAndDoNotExist) {
  const PathResolver resolver(root_);
  EXPECT_EQ(resolver.resolve("graphics\\Nowhere\\a.png"), root_ / "Graphics" / "Nowhere" / "a.png");
  EXPECT_FALSE(resolver.file_exists("graphics\\skin1\\front.png"));
}

TEST_F(PathResolverTest, FoldersAreNotFiles) {
  const PathResolver resolver(root_);
  EXPECT_FALSE(resolver.file_exists("graphics\\skin1"));
  EXPECT_FALSE(resolver.file_exists("graphics\\skin1\\"));
}

TEST_F(PathResolverTest, DotsAndRepeatedSeparatorsAreUnderstood) {
  const PathResolver resolver(root_);
  EXPECT_TRUE(resolver.file_exists(".\\Graphics\\\\Other\\..\\skin1\\back.png"));
}

TEST_F(PathResolverTest, RelativeNamesUseTheCurrentFolderWithoutABase) {
  const fs::path before = fs::current_path();
  fs::current_path(root_);
  EXPECT_TRUE(file_exists("graphics\\skin1\\back.png"));
  EXPECT_EQ(fs::canonical(resolve_path("graphics\\skin1\\back.png")),
            fs::canonical(root_ / "Graphics" / "SKIN1" / "Back.PNG"));
  fs::current_path(before);
}

TEST_F(PathResolverTest, AbsoluteNamesIgnoreTheBase) {
  const PathResolver resolver("/nonexistent");
  EXPECT_TRUE(resolver.file_exists((root_ / "graphics/skin1/back.png").string()));
}

}  // namespace
}  // namespace hero
