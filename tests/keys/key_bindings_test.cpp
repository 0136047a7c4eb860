// Which key works which control, what is stored, and what the hints say.
#include <gtest/gtest.h>

#include <set>

#include "dialogs/keys/key_bindings.h"
#include "tests/support/recording_store.h"

namespace hero {
namespace {

std::vector<std::string> key_writes(const test::RecordingStore& store) {
  std::vector<std::string> out;
  for (const auto& w : store.writes)
    if (w.rfind("Key", 0) == 0) out.push_back(w);
  return out;
}

TEST(KeyBindingsLoad, FirstStartWritesAllSevenDefaultsInOrder) {
  test::RecordingStore store;
  KeyBindings keys;
  keys.load(store);
  EXPECT_EQ(key_writes(store), (std::vector<std::string>{"Key1=2", "Key2=3", "Key3=4", "Key4=6", "Key5=39",
                                                         "Key6=40", "Key7=44"}));
  EXPECT_EQ(keys.binding(1).key_code, 49);
  EXPECT_EQ(keys.binding(4).key_code, 53) << "ACL defaults to the 5 key, not 4";
  EXPECT_EQ(keys.binding(5).key_code, 37);
  EXPECT_EQ(keys.binding(6).key_code, 39);
  EXPECT_EQ(keys.binding(7).key_code, 32);
}

TEST(KeyBindingsLoad, StoredChoicesAreKeptAndWrittenBack) {
  test::RecordingStore store;
  store.preset({{"Key1", "11"}, {"Key5", "37"}, {"Key6", "38"}, {"Key7", "1"}});
  KeyBindings keys;
  keys.load(store);
  EXPECT_EQ(keys.binding(1).key_code, 'A');
  EXPECT_EQ(keys.binding(5).key_code, 38) << "choice 37 is the up arrow, code 38";
  EXPECT_EQ(keys.binding(6).key_code, 40) << "choice 38 is the down arrow, code 40";
  EXPECT_EQ(keys.binding(7).key_code, '0');
  EXPECT_EQ(store.value("Key1"), "11");
  EXPECT_EQ(store.value("Key2"), "3");
}

TEST(KeyBindingsLoad, UnreadableOrOutOfRangeChoiceFallsBackToTheDefaultAndIsRepaired) {
  test::RecordingStore store;
  store.preset({{"Key1", "banana"}, {"Key2", "45"}, {"Key3", "0"}, {"Key4", "-3"}});
  KeyBindings keys;
  keys.load(store);
  EXPECT_EQ(keys.binding(1).choice, 2);
  EXPECT_EQ(keys.binding(2).choice, 3);
  EXPECT_EQ(keys.binding(3).choice, 4);
  EXPECT_EQ(keys.binding(4).choice, 6);
  EXPECT_EQ(store.value("Key2"), "3");
  EXPECT_EQ(store.value("Key4"), "6");
  EXPECT_EQ(keys.binding(2).key_code, 50);
  EXPECT_EQ(keys.hint("btn_game_b_top"), "click or press '2' to start game B (hold to view highscore)");
}

TEST(KeyBindingsChoices, EveryChoiceHasTheCodeAndCaptionOfItsKey) {
  EXPECT_EQ(key_choice(1)->caption, "0");
  EXPECT_EQ(key_choice(10)->key_code, 57);
  EXPECT_EQ(key_choice(11)->caption, "A");
  EXPECT_EQ(key_choice(36)->key_code, 90);
  const std::vector<std::pair<int, int>> specials{{37, 38}, {38, 40}, {39, 37}, {40, 39},
                                                  {41, 18}, {42, 17}, {43, 16}, {44, 32}};
  for (const auto& [choice, code] : specials) EXPECT_EQ(key_choice(choice)->key_code, code) << choice;
  EXPECT_EQ(key_choice(44)->caption, "<SPACEBAR>");
  EXPECT_FALSE(key_choice(0));
  EXPECT_FALSE(key_choice(45));
  // Captions are unique: the dialog finds duplicates by comparing them.
  std::set<std::string_view> captions;
  for (int c = 1; c <= kKeyChoiceCount; ++c) captions.insert(key_choice(c)->caption);
  EXPECT_EQ(captions.size(), 44u);
}

TEST(KeyBindingsNames, DigitsAndLettersAreQuotedAndSpecialKeysNamed) {
  KeyBindings keys;
  EXPECT_EQ(keys.key_names()[1], "'0'");
  EXPECT_EQ(keys.key_names()[36], "'Z'");
  EXPECT_EQ(keys.key_names()[39], "'left arrow' key");
  EXPECT_EQ(keys.key_names()[44], "'spacebar'");
}

TEST(KeyBindingsRouting, FirstBindingInOrderWinsADuplicateKey) {
  test::RecordingStore store;
  store.preset({{"Key2", "11"}, {"Key6", "11"}});  // Game B and Right both on A
  KeyBindings keys;
  keys.load(store);
  EXPECT_EQ(keys.action_for_press('A'), KeyAction::game_b);
  EXPECT_EQ(keys.action_for_release('A'), KeyAction::game_b);
  EXPECT_EQ(keys.action_for_press(37), KeyAction::left);
  EXPECT_FALSE(keys.action_for_press('4')) << "the 4 key is bound to nothing by default";
}

TEST(KeyBindingsRouting, PauseActsOnThePressAlone) {
  test::RecordingStore store;
  KeyBindings keys;
  keys.load(store);
  EXPECT_EQ(keys.action_for_press(32), KeyAction::pause);
  EXPECT_FALSE(keys.action_for_release(32));
}

TEST(KeyBindingsRouting, AKeySharedWithPauseStillReleasesTheEarlierControl) {
  test::RecordingStore store;
  store.preset({{"Key3", "44"}});  // Time on the spacebar, before Pause
  KeyBindings keys;
  keys.load(store);
  EXPECT_EQ(keys.action_for_press(32), KeyAction::time);
  EXPECT_EQ(keys.action_for_release(32), KeyAction::time);
}

TEST(KeyBindingsHints, DefaultBindingsNameTheirKeys) {
  test::RecordingStore store;
  KeyBindings keys;
  keys.load(store);
  EXPECT_EQ(keys.hint("btn_game_a_top"), "click or press '1' to start game A (hold to view highscore)");
  EXPECT_EQ(keys.hint("btn_time_top"), "click or press '3' to view current time (hold to view alarm time)");
  EXPECT_EQ(keys.hint("btn_acl_top"), "click or press '5' to reset the game");
  EXPECT_EQ(keys.hint("btn_left_top"), "click or press 'left arrow' key");
  EXPECT_EQ(keys.hint("btn_right_top"), "click or press 'right arrow' key");
  EXPECT_EQ(keys.hint("btn_alarm_top"), "button disabled");
  EXPECT_EQ(keys.hint("im_background"), "");
}

TEST(KeyBindingsAccept, AcceptStoresTheChoiceAndRenamesTheHint) {
  test::RecordingStore store;
  KeyBindings keys;
  keys.load(store);
  keys.accept(store, 5, 11);
  EXPECT_EQ(store.value("Key5"), "11");
  EXPECT_EQ(keys.binding(5).key_code, 'A');
  EXPECT_EQ(keys.hint("btn_left_top"), "click or press 'A'");
  EXPECT_FALSE(keys.action_for_press(37));
}

}  // namespace
}  // namespace hero
