// On an LCD no two segments share a pixel of the glass: each is its own
// electrode. Any two segment pictures of a default skin, parts of one figure
// included (the lady and her arms, the rogue and his club), must leave each
// other's pixels alone, down to the faint shadow each casts.
#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "tests/assets/asset_test_support.h"

namespace hero {
namespace {

using test::kSkinsUnderTest;
using test::SkinUnderTest;

// Any cover at all counts, the faint shadow a lit segment casts included: on
// the glass a segment's shadow falls where no other segment is.
constexpr int kDrawnAlpha = 0;

bool is_glyph_source(ElementId id) {
  return id >= ElementId::im_panel_number_0 && id <= ElementId::im_panel_number_9;
}

struct Segment {
  ElementId id;
  QRect place;
  QImage picture;  // ARGB32, straight alpha
  bool draws_at(int x, int y) const {
    return qAlpha(picture.pixel(x - place.x(), y - place.y())) > kDrawnAlpha;
  }
};

std::vector<Segment> shown_segments(const SkinUnderTest& skin) {
  const IniFile ini = test::skin_ini(skin);
  std::vector<Segment> segments;
  for (int i = index_of(ElementId::im_panel_time_am); i <= index_of(ElementId::im_rogue_x3y4); ++i) {
    const auto id = static_cast<ElementId>(i);
    // Glyph sources are never shown; digit positions show one glyph at a time.
    if (is_glyph_source(id)) continue;
    const QImage picture = test::picture_of(skin, ini, id);
    if (picture.isNull()) continue;
    segments.push_back({id, test::geometry_of(ini, id), picture.convertToFormat(QImage::Format_ARGB32)});
  }
  return segments;
}

class SegmentOverlapTest : public ::testing::TestWithParam<SkinUnderTest> {
 protected:
  void SetUp() override { test::ensure_gui(); }
};

TEST_P(SegmentOverlapTest, NoTwoSegmentsShareAPixel) {
  const std::vector<Segment> segments = shown_segments(GetParam());
  ASSERT_GE(segments.size(), 50u);
  for (std::size_t a = 0; a < segments.size(); ++a) {
    for (std::size_t b = a + 1; b < segments.size(); ++b) {
      const QRect both = segments[a].place.intersected(segments[b].place);
      if (both.isEmpty()) continue;
      int shared = 0;
      QRect where;
      for (int y = both.top(); y <= both.bottom(); ++y)
        for (int x = both.left(); x <= both.right(); ++x)
          if (segments[a].draws_at(x, y) && segments[b].draws_at(x, y)) {
            ++shared;
            where |= QRect(x, y, 1, 1);
          }
      EXPECT_EQ(shared, 0) << element_name(segments[a].id) << " and " << element_name(segments[b].id)
                           << " share " << shared << " pixels within (" << where.x() << "," << where.y()
                           << " " << where.width() << "x" << where.height() << ")";
    }
  }
}

// The glyphs of the clock's last digit all sit at its position; the other
// digit positions take copies, so they must not reach into a neighbour.
TEST_P(SegmentOverlapTest, EachDigitGlyphStaysInsideItsPosition) {
  const IniFile ini = test::skin_ini(GetParam());
  const QRect position = test::geometry_of(ini, ElementId::im_panel_digit_4);
  for (int n = 0; n <= 9; ++n) {
    const auto glyph = static_cast<ElementId>(index_of(ElementId::im_panel_number_0) + n);
    EXPECT_EQ(test::geometry_of(ini, glyph), position) << element_name(glyph);
  }
}

INSTANTIATE_TEST_SUITE_P(Skins, SegmentOverlapTest, ::testing::ValuesIn(kSkinsUnderTest),
                         [](const auto& info) { return info.index == 0 ? "Large" : "Small"; });

}  // namespace
}  // namespace hero
