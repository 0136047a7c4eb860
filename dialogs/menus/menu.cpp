#include "dialogs/menus/menu.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

#include "dialogs/keys/key_codes.h"
#include "dialogs/menus/files.h"
#include "dialogs/menus/shell.h"
#include "display/skins/zoom.h"
#include "engine/settings_values.h"

namespace hero {
namespace {

// The menu draws a shortcut in its right-hand column from the text after a
// tab; the keys themselves are taken by the window's key filter, so the menu
// holds no shortcut of its own that could fire a second time.
QString shortcut_name(int virtual_key) {
  if (virtual_key >= 112 && virtual_key <= 123) return QString("F%1").arg(virtual_key - 111);
  if (virtual_key == vk_escape) return "Esc";
  return QString();
}

// Documents and the catalogue are opened by their bare names from the current
// folder; on a case-sensitive disk the name is matched as Windows would.
void open_document(const char* name) {
  const std::optional<QString> file = existing_file(QString::fromLatin1(name));
  shell_open_file(file ? *file : QString::fromLatin1(name));
}

bool is_shortcut(int virtual_key) {
  for (const MenuItemEntry& entry : kMenuItems)
    if (entry.shortcut_key != 0 && entry.shortcut_key == virtual_key) return true;
  return false;
}

}  // namespace

QFont game_menu_font() {
  // The rows' cell height is 16 pixels: the line of the font (ascent plus
  // descent), not its em, is what must fit, so the size steps down until the
  // substitute font's line does.
  QFont font("Consolas");
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  // Where no substitute is configured, the system's fixed font keeps the
  // captions in one column.
  const QFontMetrics metrics(font);
  if (metrics.horizontalAdvance('i') != metrics.horizontalAdvance('M'))
    font.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
  for (int pixels = kGameMenuCellHeight; pixels > 8; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetrics(font).height() <= kGameMenuCellHeight) break;
  }
  return font;
}

QString game_menu_row_text(std::string_view caption, bool checked) {
  if (caption == "-") return QString();
  const QString text = QCoreApplication::translate("hero::GameMenu", std::string(caption).c_str());
  // Only the "Display" items are check boxes (told by their English
  // caption); the prefix keeps every caption in the same column of the
  // monospaced font.
  if (!caption.empty() && caption.front() == 'D') return (checked ? "[x] " : "[ ] ") + text;
  return "    " + text;
}

GameMenu::GameMenu(MenuHost& host, QObject* parent) : QObject(parent), host_(host) {
  menu_ = new QMenu(host_.main_window());
  menu_->setObjectName("pm_0_menu");
  for (int i = 0; i < kMenuItemCount; ++i) {
    const MenuItemEntry& entry = kMenuItems[i];
    QAction* action = nullptr;
    if (entry.caption == "-") {
      action = menu_->addSeparator();
    } else {
      QString text = tr(std::string(entry.caption).c_str());
      const QString key = shortcut_name(entry.shortcut_key);
      if (!key.isEmpty()) text += '\t' + key;
      action = menu_->addAction(text);
      action->setCheckable(entry.checkable);
      // A checkable item flips its own mark before it reports the click; the
      // command decides the mark, so it starts from the one that was shown.
      connect(action, &QAction::triggered, this, [this, i, action](bool checked) {
        if (action->isCheckable()) action->setChecked(!checked);
        run_command(i);
      });
    }
    action->setObjectName(QString::fromUtf8(entry.name.data(), static_cast<qsizetype>(entry.name.size())));
    items_[i] = action;
  }
  menu_->setDefaultAction(items_[pm_1_about]);
  connect(menu_, &QMenu::aboutToShow, this, &GameMenu::pm_0_menuPopup);
  set_fullscreen_check(host_.fullscreen_mode());
  // Items of the simulator's own go before the last separator: Exit stays
  // the menu's last item, where a reach for the end of the menu finds it.
  build_zoom_menu();
  preferences_item_ = new QAction(tr("Preferences...") + QStringLiteral("\tCtrl+P"), menu_);
  menu_->insertAction(items_[pm_13_n3], preferences_item_);
  preferences_item_->setObjectName("pm_preferences");
  connect(preferences_item_, &QAction::triggered, this, [this] { host_.show_preferences(); });
  build_best_games_menu();
  continue_item_ = new QAction(menu_);
  menu_->insertAction(items_[pm_13_n3], continue_item_);
  continue_item_->setObjectName("pm_continue_unfinished");
  connect(continue_item_, &QAction::triggered, this, [this] { host_.continue_unfinished_game(); });
  show_continue_offer();
}

void GameMenu::show_continue_offer() {
  const std::optional<QString> offer = host_.unfinished_game_offer();
  continue_item_->setText(offer.value_or(QString()));
  continue_item_->setVisible(offer.has_value());
}

QString GameMenu::watch_caption(char game, std::optional<int> score) {
  if (score) return tr("Watch best Game %1 (%2)").arg(QChar(game)).arg(*score);
  return tr("Watch best Game %1").arg(QChar(game));
}

void GameMenu::build_best_games_menu() {
  best_games_menu_ = new QMenu(tr("Best games"), menu_);
  menu_->insertMenu(items_[pm_13_n3], best_games_menu_);
  best_games_menu_->setObjectName("pm_best_games");
  for (const char game : {'A', 'B'}) {
    QAction* watch = best_games_menu_->addAction(watch_caption(game, std::nullopt));
    watch->setObjectName(game == 'A' ? "pm_watch_best_a" : "pm_watch_best_b");
    connect(watch, &QAction::triggered, this, [this, game] { host_.watch_best_game(game); });
    best_games_items_.push_back(watch);
  }
  best_games_menu_->addSeparator();
  QAction* folder = best_games_menu_->addAction(tr("Open the games folder"));
  folder->setObjectName("pm_games_folder");
  connect(folder, &QAction::triggered, this, [this] { host_.open_games_folder(); });
  best_games_items_.push_back(folder);
  connect(best_games_menu_, &QMenu::aboutToShow, this, &GameMenu::show_best_games);
  show_best_games();
}

void GameMenu::show_best_games() {
  for (int i = 0; i < 2; ++i) {
    const char game = i == 0 ? 'A' : 'B';
    const std::optional<int> score = host_.best_game_score(game);
    best_games_items_[static_cast<std::size_t>(i)]->setText(watch_caption(game, score));
    best_games_items_[static_cast<std::size_t>(i)]->setEnabled(score.has_value());
  }
}

void GameMenu::build_zoom_menu() {
  zoom_menu_ = new QMenu(tr("Zoom"), menu_);
  menu_->insertMenu(items_[pm_13_n3], zoom_menu_);
  zoom_menu_->setObjectName("pm_zoom");
  auto add = [this](const QString& text, bool checkable, const std::function<void()>& command) {
    QAction* action = zoom_menu_->addAction(text);
    action->setCheckable(checkable);
    connect(action, &QAction::triggered, this, [action, command](bool checked) {
      // The command sets the marks from what was stored.
      if (action->isCheckable()) action->setChecked(!checked);
      command();
    });
    zoom_items_.push_back(action);
    return action;
  };
  for (int step : kZoomSteps) {
    add(QString("%1 %").arg(step) + (step == kZoomDefault ? QStringLiteral("\tCtrl+0") : QString()), true,
        [this, step] {
          keep(host_, settings::kZoom, step);
          show_zoom_marks();
        });
  }
  add(tr("Fit to screen"), true, [this] {
    keep(host_, settings::kZoom, kZoomFit);
    show_zoom_marks();
  });
  zoom_menu_->addSeparator();
  add(tr("Zoom in") + QStringLiteral("\tCtrl++"), false, [this] { host_.zoom_step(+1); });
  add(tr("Zoom out") + QStringLiteral("\tCtrl+-"), false, [this] { host_.zoom_step(-1); });
  zoom_menu_->addSeparator();
  add(tr("Display game fitted to the screen"), true, [this] { fit_click(); });
  connect(zoom_menu_, &QMenu::aboutToShow, this, &GameMenu::show_zoom_marks);
  show_zoom_marks();
}

void GameMenu::show_zoom_marks() {
  const int zoom = in_use(host_, settings::kZoom);
  for (std::size_t i = 0; i < kZoomSteps.size(); ++i) zoom_items_[i]->setChecked(kZoomSteps[i] == zoom);
  zoom_items_[kZoomSteps.size()]->setChecked(zoom == kZoomFit);
  zoom_items_.back()->setChecked(in_use(host_, settings::kFullscreenFit));
}

void GameMenu::fit_click() {
  struct MarksFromStore {
    GameMenu& menu;
    ~MarksFromStore() { menu.show_zoom_marks(); }
  } marks{*this};
  keep(host_, settings::kFullscreenFit, !in_use(host_, settings::kFullscreenFit));
}

namespace {

// Ctrl alone, or Ctrl with Shift: most layouts type "+" with Shift, and the
// menu shows the zoom keys as Ctrl++.
bool control_held(const QKeyEvent& key, bool shift_too) {
  const auto held = key.modifiers() & ~Qt::KeypadModifier;
  return held == Qt::ControlModifier || (shift_too && held == (Qt::ControlModifier | Qt::ShiftModifier));
}

}  // namespace

bool GameMenu::handle_zoom_key(const QKeyEvent& key) {
  if (!control_held(key, true)) return false;
  const int qt_key = key.key();
  if (qt_key == Qt::Key_Plus || qt_key == Qt::Key_Equal) {
    host_.zoom_step(+1);
  } else if (qt_key == Qt::Key_Minus || qt_key == Qt::Key_Underscore) {
    host_.zoom_step(-1);
  } else if (virtual_key_of(key) == VirtualKey{'0'} ||
             (qt_key == Qt::Key_0 && key.modifiers().testFlag(Qt::KeypadModifier))) {
    keep(host_, settings::kZoom, kZoomDefault);
  } else {
    return false;
  }
  show_zoom_marks();
  return true;
}

bool GameMenu::handle_preferences_key(const QKeyEvent& key) {
  if (!control_held(key, false)) return false;
  if (virtual_key_of(key) != VirtualKey{'P'}) return false;
  host_.show_preferences();
  return true;
}

GameMenu::~GameMenu() {
  for (GameMenuRow* row : rows_) delete row;
  delete menu_;
}

void GameMenu::set_fullscreen_check(bool checked) { items_[pm_10_fullscreen]->setChecked(checked); }

void GameMenu::set_splash_check(bool checked) { items_[pm_11_splashscreen]->setChecked(checked); }

void GameMenu::popup(QPoint global_position) { menu_->popup(global_position); }

void GameMenu::pm_0_menuPopup() {
  set_splash_check(settings::read_stored(host_.settings(), settings::kSplashScreen)
                       .value_or(host_.splash_checkbox_ticked()));
  if (host_.fullscreen_mode() && game_menu_open_) close_game_menu();
  show_continue_offer();
}

bool GameMenu::handle_shortcut(int virtual_key) {
  for (int i = 0; i < kMenuItemCount; ++i) {
    if (kMenuItems[i].shortcut_key == 0 || kMenuItems[i].shortcut_key != virtual_key) continue;
    // The shortcut passes through the menu's root first, as a click on the
    // menu would.
    pm_0_menuPopup();
    run_command(i);
    return true;
  }
  return false;
}

void GameMenu::run_command(int index) {
  switch (index) {
    case pm_1_about:
      host_.show_about();
      break;
    case pm_2_readme:
      open_document("Readme.txt");
      break;
    case pm_3_whatsnew:
      open_document("Whatsnew.txt");
      break;
    case pm_4_manual:
      host_.show_manual();
      break;
    case pm_6_config:
      open_document("Config.ini");
      break;
    case pm_7_keys:
      host_.show_key_settings();
      break;
    case pm_8_hiscore:
      pm_8_hiscoreClick();
      break;
    case pm_10_fullscreen:
      pm_10_fullscreenClick();
      break;
    case pm_11_splashscreen:
      pm_11_splashscreenClick();
      break;
    case pm_14_exit:
      host_.request_termination();
      break;
    case kGameMenuZoomRow: {
      // The overlay's zoom row steps up through the zoom and round again.
      const int zoom = in_use(host_, settings::kZoom);
      keep(host_, settings::kZoom,
           zoom == kZoomSteps.back() || zoom == kZoomFit ? kZoomSteps.front()
                                                         : next_zoom_step(zoom / 100.0, +1));
      show_zoom_marks();
      break;
    }
    case kGameMenuFitRow:
      fit_click();
      break;
    case kGameMenuPreferencesRow:
      host_.show_preferences();
      break;
    case kGameMenuMuteRow:
      keep(host_, settings::kMute, !in_use(host_, settings::kMute));
      break;
    case kGameMenuWatchARow:
    case kGameMenuWatchBRow: {
      const char game = index == kGameMenuWatchARow ? 'A' : 'B';
      if (host_.best_game_score(game)) host_.watch_best_game(game);
      break;
    }
    default:
      break;  // separators do nothing
  }
}

void GameMenu::pm_8_hiscoreClick() {
  // Only the kept high scores go; a running game keeps its score, and the
  // LCD shows the zeros the next time it shows a high score.
  host_.reset_high_scores();
  host_.beep();
}

void GameMenu::pm_10_fullscreenClick() {
  const bool fullscreen = !host_.fullscreen_mode();
  // Rows still on screen go with the release that follows on the overlay,
  // or went already with the opening step on the other paths.
  game_menu_open_ = false;
  // The mark shows the mode that was stored, also when the store refused
  // the new one and the switch ended in an error.
  struct MarkFromMode {
    GameMenu& menu;
    ~MarkFromMode() { menu.set_fullscreen_check(menu.host_.fullscreen_mode()); }
  } mark{*this};
  host_.switch_fullscreen_mode(fullscreen);
}

void GameMenu::pm_11_splashscreenClick() {
  const bool show_splash = !items_[pm_11_splashscreen]->isChecked();
  // Stored first: a refused write leaves the mark as it was.
  settings::write(host_.settings(), settings::kSplashScreen, show_splash);
  set_splash_check(show_splash);
}

void GameMenu::btn_game_menu_topClick() {
  game_menu_open_ = !game_menu_open_;
  Vid_Display_Game_Menu();
}

void GameMenu::close_game_menu() {
  game_menu_open_ = false;
  Vid_Display_Game_Menu();
}

int game_menu_position(int row) {
  // The menu's items down to its last separator, then the overlay's own
  // rows, then the separator and Exit, which stays the last row.
  if (row < pm_13_n3) return row;
  if (row >= kMenuItemCount) return row - kMenuItemCount + pm_13_n3;
  return row + kGameMenuExtraRows;
}

void GameMenu::Vid_Display_Game_Menu() {
  // Rows are removed whatever the new state, so no path can stack a second
  // set of rows over the first.
  for (GameMenuRow* row : rows_) {
    row->hide();
    row->deleteLater();
  }
  rows_.clear();
  host_.game_menu_shown(game_menu_open_);
  if (!game_menu_open_) {
    host_.set_game_menu_backdrop_size(kGameMenuClosedSize);
    return;
  }
  QWidget* window = host_.main_window();
  for (int i = 0; i < kMenuItemCount + kGameMenuExtraRows; ++i) {
    QString text;
    bool active = true;
    bool dimmed = false;
    if (i == kGameMenuZoomRow) {
      // The zoom of the windowed handheld: the full screen shows no change.
      const int zoom = in_use(host_, settings::kZoom);
      text = "    " + tr("Window zoom: %1").arg(zoom == kZoomFit ? tr("fit") : QString("%1 %").arg(zoom));
    } else if (i == kGameMenuFitRow) {
      // A word shorter than the menu's item, so the row holds it whole.
      text = game_menu_row_text(QT_TRANSLATE_NOOP("hero::GameMenu", "Display game fitted to screen"),
                                in_use(host_, settings::kFullscreenFit));
    } else if (i == kGameMenuPreferencesRow) {
      text = game_menu_row_text(QT_TRANSLATE_NOOP("hero::GameMenu", "Preferences..."), false);
    } else if (i == kGameMenuMuteRow) {
      text = (in_use(host_, settings::kMute) ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) + tr("Mute");
    } else if (i == kGameMenuWatchARow || i == kGameMenuWatchBRow) {
      const char game = i == kGameMenuWatchARow ? 'A' : 'B';
      const std::optional<int> score = host_.best_game_score(game);
      text = "    " + watch_caption(game, score);
      dimmed = !score;
    } else {
      active = kMenuItems[i].caption != "-";
      text = game_menu_row_text(kMenuItems[i].caption, items_[i]->isChecked());
    }
    auto* row = new GameMenuRow(text, active && !dimmed, window, dimmed);
    row->setObjectName(QString("la_menu_item_%1").arg(i + 1));
    row->setGeometry(0, kGameMenuRowHeight * (game_menu_position(i) + 1), kGameMenuWidth, kGameMenuRowHeight);
    if (active) {
      connect(row, &GameMenuRow::clicked, this, [this, i] { run_command(i); });
      connect(row, &GameMenuRow::released, this, &GameMenu::close_game_menu);
    }
    row->show();
    row->raise();
    rows_.push_back(row);
  }
  host_.set_game_menu_backdrop_size(kGameMenuOpenSize);
}

bool GameMenu::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  QWidget* window = host_.main_window();
  if (!widget || !window) return false;
  // While a dialog holds the input, the disabled handheld takes no keys,
  // its shortcuts included.
  if (!window->isEnabled()) return false;
  const bool on_menu = widget == menu_ || widget->window() == menu_;
  if (widget->window() != window && !on_menu) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (control_held(*key, true)) {
    // A key bound to a control works it, Ctrl or not.
    if (const auto code = virtual_key_of(*key); code && host_.key_bound(*code)) return false;
    if (!handle_zoom_key(*key) && !handle_preferences_key(*key)) return false;
    if (on_menu) menu_->hide();
    return true;
  }
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  const std::optional<VirtualKey> code = virtual_key_of(*key);
  if (!code || !is_shortcut(*code)) return false;
  if (on_menu) {
    // An open menu closes itself on Esc, as every popup menu does; the
    // function keys still run their commands.
    if (*code == vk_escape) return false;
    menu_->hide();
  }
  return handle_shortcut(*code);
}

GameMenuRow::GameMenuRow(const QString& text, bool active, QWidget* parent, bool dimmed)
    : QLabel(parent), active_(active) {
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setAutoFillBackground(false);
  if (!active_ && !dimmed) return;
  setFont(game_menu_font());
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, dimmed ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white));
  colours.setColor(QPalette::Window, Qt::black);
  setPalette(colours);
  setText(text);
  if (active_) setCursor(Qt::PointingHandCursor);
}

void GameMenuRow::enterEvent(QEnterEvent* event) {
  if (active_) {
    setAutoFillBackground(true);
    update();
  }
  QLabel::enterEvent(event);
}

void GameMenuRow::leaveEvent(QEvent* event) {
  if (active_) {
    setAutoFillBackground(false);
    update();
  }
  QLabel::leaveEvent(event);
}

void GameMenuRow::mousePressEvent(QMouseEvent* event) {
  // Other buttons pass to the window beneath, where the right one opens the
  // context menu.
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  event->accept();
  if (active_) pressed_ = true;
}

void GameMenuRow::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (!active_ || event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  if (rect().contains(event->position().toPoint())) emit clicked();
  emit released();
}

}  // namespace hero
