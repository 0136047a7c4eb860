// The handheld's two speed knobs as constant data: the tick length per
// hundred of the score and the limit on objects in play at every score.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace hero {

// One row per hundred of the score. The values become milliseconds by
// division by 3 and subtraction of 5; the knee sits knee_at points into the
// hundred.
struct SpeedRow {
  double slow;
  double knee;
  double fast;
  int knee_at;
};

// clang-format off
inline constexpr std::array<SpeedRow, 10> speed_table = {{
    //  slow  knee  fast  knee_at      scores
    {590, 580, 540, 74},  //   0 to  99
    {590, 580, 520, 58},  // 100 to 199
    {590, 580, 490, 52},  // 200 to 299
    {590, 570, 480, 45},  // 300 to 399
    {590, 570, 470, 42},  // 400 to 499
    {590, 550, 440, 40},  // 500 to 599
    {580, 540, 420, 38},  // 600 to 699
    {580, 530, 410, 32},  // 700 to 799
    {580, 530, 380, 26},  // 800 to 899
    {570, 540, 350, 20},  // 900 to 999
}};
// clang-format on

namespace detail {
// The object limits, one digit per score, a hundred scores per row in
// groups of ten.
// clang-format off
inline constexpr std::array<std::string_view, 10> object_limit_rows = {
    // 0 to 99
    "1111222211 2222333332 3333443443 3333444443 3333444443 3333444433 4444553445 5444444554 4455435554 4555555555",
    // 100 to 199
    "4322333332 3333444433 3333443443 3333344433 3333444443 4444555554 3354555544 3444455544 5555545655 4445455665",
    // 200 to 299
    "3333343333 3333444443 3333444333 3333343443 4443545554 4444444454 4444344554 4555456555 5555555445 5545566455",
    // 300 to 399
    "3333444443 3333444443 3333444443 4444555544 4344555544 4444444545 3445666555 5545466655 5454556666 6544456666",
    // 400 to 499
    "5433344443 3333444443 4344555544 4444445554 3444555544 4445565654 3555555655 4444556666 5545555655 6655665566",
    // 500 to 599
    "5433444433 4444455555 4444444555 5444445554 5555455555 5545456555 5555665444 5555555565 5555577776 6565566666",
    // 600 to 699
    "5444445545 3444444544 4443555544 5554455655 5555455555 5555554456 6665555665 5555555666 5564455555 5666676766",
    // 700 to 799
    "4444545444 4444455534 5555544544 5445555554 5545666555 4444565555 6566554555 5554556655 5666767667 7655566566",
    // 800 to 899
    "6544455554 4555445565 5555544455 5656676545 5465666666 5554666545 4555656665 5656566776 7666765666 6765567666",
    // 900 to 999
    "5545544455 4554545555 4445655665 5555556665 6666566656 6576676645 6556666766 5655766676 6556776457 6656666665",
};
// clang-format on

constexpr std::array<std::int8_t, 1000> expand_object_limits() {
  std::array<std::int8_t, 1000> limits{};
  int score = 0;
  for (std::string_view row : object_limit_rows) {
    for (char c : row) {
      if (c == ' ') continue;
      limits[score++] = static_cast<std::int8_t>(c - '0');
    }
  }
  return limits;
}

constexpr bool object_limits_well_formed() {
  int digits = 0;
  for (std::string_view row : object_limit_rows) {
    int in_row = 0;
    for (char c : row) {
      if (c == ' ') continue;
      if (c < '1' || c > '7') return false;
      ++in_row;
    }
    if (in_row != 100) return false;
    digits += in_row;
  }
  return digits == 1000;
}
static_assert(object_limits_well_formed(), "every hundred lists 100 limits of 1..7");
}  // namespace detail

// max_objects at each score 0..999.
inline constexpr std::array<std::int8_t, 1000> object_limit_table = detail::expand_object_limits();

}  // namespace hero
