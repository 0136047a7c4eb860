// TKeysForm, the key settings dialog: one drop-down list per bindable
// control, red labels and a disabled Accept while two controls share a key.
// Created once, after the main window; shown by the context menu's "Key
// settings" command and hidden again by Accept or Esc.
#pragma once

#include <array>

#include "dialogs/keys/key_bindings.h"
#include "dialogs/keys/modal_form.h"
#include "engine/interfaces.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace hero {

// Shown beside the key choices and the zoom: a key bound to a control works
// it whatever the modifiers, so the menu's Ctrl shortcuts give way to it.
inline constexpr const char* kCtrlShortcutsHint = QT_TRANSLATE_NOOP(
    "hero::TKeysForm",
    "A key chosen for a control works it even with Ctrl held: Ctrl+P, Ctrl+0, Ctrl++ and Ctrl+- "
    "reach the menu only with keys no control uses.");

// A control's name (1 = Game A ... 7 = Pause) as the dialog labels it, in the
// player's language.
QString control_caption(int action);

class TKeysForm : public ModalForm {
  Q_OBJECT

 public:
  // `main_window` is disabled while the dialog is shown and enabled again
  // when it closes.
  TKeysForm(KeyBindings& bindings, SettingsStore& store, QWidget* main_window, QWidget* parent = nullptr);

  // The context menu's "Key settings": centre on the screen, show without
  // blocking, and take the input away from the main window.
  void show_centred();

  // True while two or more boxes show the same key; colours the labels.
  bool CheckKeys();
  // The change handler of every box.
  void cb_change();
  // "- ACCEPT -": stores all seven boxes, in order, then closes.
  void btn_acceptClick();
  // Esc: closes without storing; the boxes keep what the player left there.
  void cancel();

  QComboBox* box(int n) const { return boxes_.at(static_cast<std::size_t>(n - 1)); }
  QLabel* label(int n) const { return labels_.at(static_cast<std::size_t>(n - 1)); }
  QPushButton* accept_button() const { return btn_accept_; }

 signals:
  // New bindings are stored: the main window rebuilds its hints.
  void bindings_accepted();

 protected:
  // Enter accepts while Accept is enabled; Esc cancels. A close by the
  // window system is as Esc: nothing is stored.
  bool enter_pressed() override;
  bool escape_pressed() override;
  bool event(QEvent* event) override;

 private:
  KeyBindings& bindings_;
  SettingsStore& store_;
  std::array<QLabel*, kKeyActionCount> labels_{};
  std::array<QComboBox*, kKeyActionCount> boxes_{};
  QPushButton* btn_accept_ = nullptr;
};

}  // namespace hero
