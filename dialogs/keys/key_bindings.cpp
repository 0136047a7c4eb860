#include "dialogs/keys/key_bindings.h"

#include <QCoreApplication>
#include <exception>
#include <stdexcept>

#include "engine/settings_values.h"

namespace hero {

namespace {

// Choices 37..44. The arrows are listed up, down, left, right, but their
// codes run left 37, up 38, right 39, down 40: the table, never arithmetic.
// clang-format off
constexpr std::array<KeyChoice, 8> kSpecialChoices{{
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "<UP ARROW>"), 38, QT_TRANSLATE_NOOP("hero::KeyBindings", "'up arrow' key")},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "<DOWN ARROW>"), 40, QT_TRANSLATE_NOOP("hero::KeyBindings", "'down arrow' key")},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "<LEFT ARROW>"), 37, QT_TRANSLATE_NOOP("hero::KeyBindings", "'left arrow' key")},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "<RIGHT ARROW>"), 39, QT_TRANSLATE_NOOP("hero::KeyBindings", "'right arrow' key")},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "<ALT>"), 18, QT_TRANSLATE_NOOP("hero::KeyBindings", "'alt' key")},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "<CTRL>"), 17, QT_TRANSLATE_NOOP("hero::KeyBindings", "'ctrl' key")},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "<SHIFT>"), 16, QT_TRANSLATE_NOOP("hero::KeyBindings", "'shift' key")},
    {QT_TRANSLATE_NOOP("hero::TKeysForm", "<SPACEBAR>"), 32, QT_TRANSLATE_NOOP("hero::KeyBindings", "'spacebar'")},
}};
// clang-format on

constexpr std::string_view kDigitCaptions = "0123456789";
constexpr std::string_view kLetterCaptions = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

static_assert(settings::kKeyCount == kKeyActionCount);

struct HintRow {
  std::string_view hot_area;
  int binding;       // 0: the hint names no key
  const char* text;  // %1: the key's name
};

// clang-format off
constexpr std::array<HintRow, 7> kHints{{
    {"btn_game_a_top", 1, QT_TRANSLATE_NOOP("hero::KeyBindings", "click or press %1 to start game A (hold to view highscore)")},
    {"btn_game_b_top", 2, QT_TRANSLATE_NOOP("hero::KeyBindings", "click or press %1 to start game B (hold to view highscore)")},
    {"btn_time_top", 3, QT_TRANSLATE_NOOP("hero::KeyBindings", "click or press %1 to view current time (hold to view alarm time)")},
    {"btn_acl_top", 4, QT_TRANSLATE_NOOP("hero::KeyBindings", "click or press %1 to reset the game")},
    {"btn_alarm_top", 0, QT_TRANSLATE_NOOP("hero::KeyBindings", "button disabled")},
    {"btn_left_top", 5, QT_TRANSLATE_NOOP("hero::KeyBindings", "click or press %1")},
    {"btn_right_top", 6, QT_TRANSLATE_NOOP("hero::KeyBindings", "click or press %1")},
}};
// clang-format on

void check_binding_number(int n) {
  if (n < 1 || n > kKeyActionCount) throw std::out_of_range("no key binding " + std::to_string(n));
}

}  // namespace

std::optional<KeyChoice> key_choice(int choice) {
  if (choice >= 1 && choice <= 10) {
    const auto i = static_cast<std::size_t>(choice - 1);
    return KeyChoice{kDigitCaptions.substr(i, 1), static_cast<std::uint16_t>(48 + i), {}};
  }
  if (choice >= 11 && choice <= 36) {
    const auto i = static_cast<std::size_t>(choice - 11);
    return KeyChoice{kLetterCaptions.substr(i, 1), static_cast<std::uint16_t>(65 + i), {}};
  }
  if (choice >= 37 && choice <= kKeyChoiceCount)
    return kSpecialChoices[static_cast<std::size_t>(choice - 37)];
  return std::nullopt;
}

KeyBindings::KeyBindings() {
  for (int n = 1; n <= kKeyChoiceCount; ++n) {
    const KeyChoice c = *key_choice(n);
    key_names_[static_cast<std::size_t>(n)] =
        n <= 36 ? "'" + std::string(c.caption) + "'"
                : QCoreApplication::translate("hero::KeyBindings", std::string(c.hint_name).c_str())
                      .toStdString();
  }
}

std::int32_t KeyBindings::default_choice(int n) {
  check_binding_number(n);
  return settings::kKeys[static_cast<std::size_t>(n - 1)].default_value;
}

std::string KeyBindings::value_name(int n) {
  check_binding_number(n);
  return std::string(settings::kKeys[static_cast<std::size_t>(n - 1)].name);
}

void KeyBindings::load(SettingsStore& store) {
  for (int n = 1; n <= kKeyActionCount; ++n) {
    std::int32_t choice = settings::read(store, settings::kKeys[static_cast<std::size_t>(n - 1)]);
    if (!key_choice(choice)) choice = default_choice(n);
    bindings_[static_cast<std::size_t>(n - 1)].choice = choice;
  }
  // Only a value that was missing or had to be mended is written back: a
  // store that cannot be written must not keep the handheld from starting,
  // and a good value is never rewritten. Every binding gets its key code
  // even when a write fails; the first failure is passed on afterwards.
  std::exception_ptr failure;
  for (int n = 1; n <= kKeyActionCount; ++n) {
    const std::string canonical = std::to_string(binding(n).choice);
    if (store.read_text(value_name(n)) != canonical) {
      try {
        settings::write(store, settings::kKeys[static_cast<std::size_t>(n - 1)], binding(n).choice);
      } catch (...) {
        if (!failure) failure = std::current_exception();
      }
    }
    AssignWord(n);
  }
  if (failure) std::rethrow_exception(failure);
}

void KeyBindings::AssignWord(int n) {
  check_binding_number(n);
  KeyBinding& b = bindings_[static_cast<std::size_t>(n - 1)];
  if (const auto c = key_choice(b.choice)) b.key_code = c->key_code;
}

void KeyBindings::accept(SettingsStore& store, int n, std::int32_t choice) {
  check_binding_number(n);
  if (!key_choice(choice)) choice = default_choice(n);
  bindings_[static_cast<std::size_t>(n - 1)].choice = choice;
  settings::write(store, settings::kKeys[static_cast<std::size_t>(n - 1)], choice);
  AssignWord(n);
}

std::optional<KeyAction> KeyBindings::action_for_press(std::uint16_t code) const {
  if (code == 0) return std::nullopt;
  for (int i = 0; i < kKeyActionCount; ++i) {
    if (bindings_[static_cast<std::size_t>(i)].key_code == code) return static_cast<KeyAction>(i);
  }
  return std::nullopt;
}

std::optional<KeyAction> KeyBindings::action_for_release(std::uint16_t code) const {
  const auto action = action_for_press(code);
  if (action == KeyAction::pause) return std::nullopt;
  return action;
}

std::string KeyBindings::name_of(int n) const {
  const std::int32_t choice = binding(n).choice;
  // Before the first load a binding has no choice yet; its default names it.
  if (choice < 1 || choice > kKeyChoiceCount) return key_names_[static_cast<std::size_t>(default_choice(n))];
  return key_names_[static_cast<std::size_t>(choice)];
}

std::string KeyBindings::hint(std::string_view hot_area) const {
  for (const HintRow& row : kHints) {
    if (row.hot_area != hot_area) continue;
    const QString text = QCoreApplication::translate("hero::KeyBindings", row.text);
    if (row.binding == 0) return text.toStdString();
    return text.arg(QString::fromStdString(name_of(row.binding))).toStdString();
  }
  return {};
}

}  // namespace hero
