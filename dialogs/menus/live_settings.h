// Stored values the running program shows, reached by their declarations:
// the menus' rows and the Preferences dialog's controls are bound to a
// value, not to a function of their own for each one. A value that is live
// (the beeps' loudness, the unlit shade, the zoom, the full-screen fit) says
// where it is in use; any other reads from and writes to the store alone.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/interfaces.h"
#include "engine/settings_values.h"

class QWidget;

namespace hero {

// Where a stored value is in use. Each part may be empty: then the value is
// what the store says and nothing shows it before the next start.
template <class T>
struct LiveValue {
  std::function<T()> now;          // what is in use now
  std::function<void(T)> preview;  // another value in use at once, not stored
  std::function<void()> reread;    // what the store says, in use again
};

// What the menus and the Preferences dialog reach in the rest of the program.
class SettingsHost {
 public:
  virtual ~SettingsHost() = default;
  virtual QWidget* main_window() = 0;
  virtual SettingsStore& settings() = 0;
  virtual LiveValue<std::int32_t> live(const settings::Integer& value) = 0;
  virtual LiveValue<bool> live(const settings::Flag& value) = 0;
};

// What is in use now: the live value, else the store's.
std::int32_t in_use(SettingsHost& host, const settings::Integer& value);
bool in_use(SettingsHost& host, const settings::Flag& value);

// Stores a new value, then puts it in use. A refused write throws before
// anything changes.
void keep(SettingsHost& host, const settings::Integer& value, std::int32_t choice);
void keep(SettingsHost& host, const settings::Flag& value, bool choice);

}  // namespace hero
