#include "dialogs/menus/live_settings.h"

namespace hero {

namespace {

template <class Value, class T>
T now_of(SettingsHost& host, const Value& value) {
  const LiveValue<T> live = host.live(value);
  return live.now ? live.now() : static_cast<T>(settings::read(host.settings(), value));
}

template <class Value, class T>
void keep_value(SettingsHost& host, const Value& value, T choice) {
  settings::write(host.settings(), value, choice);
  if (const LiveValue<T> live = host.live(value); live.reread) live.reread();
}

}  // namespace

std::int32_t in_use(SettingsHost& host, const settings::Integer& value) {
  return now_of<settings::Integer, std::int32_t>(host, value);
}

bool in_use(SettingsHost& host, const settings::Flag& value) {
  return now_of<settings::Flag, bool>(host, value);
}

void keep(SettingsHost& host, const settings::Integer& value, std::int32_t choice) {
  keep_value(host, value, choice);
}

void keep(SettingsHost& host, const settings::Flag& value, bool choice) { keep_value(host, value, choice); }

}  // namespace hero
