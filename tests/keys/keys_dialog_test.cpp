// The key settings dialog: duplicates, Enter, Esc and Accept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "dialogs/keys/keys.h"
#include "tests/support/qt_app.h"
#include "tests/support/recording_store.h"

namespace hero {
namespace {

int index_of_caption(const QComboBox* box, const char* caption) {
  return box->findText(QString::fromLatin1(caption));
}

bool is_red(const QLabel* label) { return label->styleSheet().contains(QStringLiteral("255, 0, 0")); }

class KeysDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::qt_app(); }
  void SetUp() override {
    keys_.load(store_);
    store_.writes.clear();
    dialog_ = std::make_unique<TKeysForm>(keys_, store_, &main_window_);
    QObject::connect(dialog_.get(), &TKeysForm::bindings_accepted, [this] { ++accepted_; });
  }
  void press(int qt_key) {
    QKeyEvent event(QEvent::KeyPress, qt_key, Qt::NoModifier);
    QApplication::sendEvent(dialog_->box(1), &event);
  }
  void choose(int n, const char* caption) {
    dialog_->box(n)->setCurrentIndex(index_of_caption(dialog_->box(n), caption));
  }

  test::RecordingStore store_;
  KeyBindings keys_;
  QWidget main_window_;
  std::unique_ptr<TKeysForm> dialog_;
  int accepted_ = 0;
};

TEST_F(KeysDialogTest, OpensWithTheStoredChoicesAndAcceptEnabled) {
  EXPECT_EQ(dialog_->box(1)->currentText(), "1");
  EXPECT_EQ(dialog_->box(4)->currentText(), "5");
  EXPECT_EQ(dialog_->box(7)->currentText(), "<SPACEBAR>");
  EXPECT_EQ(dialog_->box(2)->count(), 44);
  EXPECT_TRUE(dialog_->accept_button()->isEnabled());
  for (int n = 1; n <= 7; ++n) EXPECT_FALSE(is_red(dialog_->label(n))) << n;
}

TEST_F(KeysDialogTest, SameKeyTwiceTurnsBothLabelsRedAndDisablesAccept) {
  choose(1, "A");
  choose(2, "A");
  EXPECT_TRUE(is_red(dialog_->label(1)));
  EXPECT_TRUE(is_red(dialog_->label(2)));
  EXPECT_FALSE(is_red(dialog_->label(3)));
  EXPECT_FALSE(dialog_->accept_button()->isEnabled());
  choose(2, "B");
  EXPECT_FALSE(is_red(dialog_->label(1)));
  EXPECT_FALSE(is_red(dialog_->label(2)));
  EXPECT_TRUE(dialog_->accept_button()->isEnabled());
}

TEST_F(KeysDialogTest, ThreeEqualBoxesMakeThreeRedLabels) {
  choose(1, "Q");
  choose(5, "Q");
  choose(7, "Q");
  int red = 0;
  for (int n = 1; n <= 7; ++n) red += is_red(dialog_->label(n)) ? 1 : 0;
  EXPECT_EQ(red, 3);
}

TEST_F(KeysDialogTest, EnterWithDuplicatesStoresNothing) {
  dialog_->show_centred();
  choose(3, "<SPACEBAR>");
  press(Qt::Key_Return);
  EXPECT_TRUE(store_.writes.empty());
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_FALSE(main_window_.isEnabled());
}

TEST_F(KeysDialogTest, AcceptWritesAllSevenInOrderAndReenablesTheMainWindow) {
  dialog_->show_centred();
  EXPECT_FALSE(main_window_.isEnabled());
  choose(3, "<SPACEBAR>");
  choose(7, "P");
  dialog_->accept_button()->click();
  EXPECT_EQ(store_.writes, (std::vector<std::string>{"Key1=2", "Key2=3", "Key3=44", "Key4=6", "Key5=39",
                                                     "Key6=40", "Key7=26"}));
  EXPECT_EQ(keys_.binding(3).key_code, 32);
  EXPECT_EQ(keys_.binding(7).key_code, 'P');
  EXPECT_EQ(accepted_, 1);
  EXPECT_TRUE(main_window_.isEnabled());
  EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(KeysDialogTest, EnterAcceptsLikeTheButton) {
  dialog_->show_centred();
  press(Qt::Key_Enter);
  EXPECT_EQ(store_.writes.size(), 7u);
  EXPECT_EQ(accepted_, 1);
  EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(KeysDialogTest, EscStoresNothingButKeepsTheAbandonedSelections) {
  dialog_->show_centred();
  choose(1, "G");
  press(Qt::Key_Escape);
  EXPECT_TRUE(store_.writes.empty());
  EXPECT_EQ(keys_.binding(1).key_code, '1');
  EXPECT_EQ(accepted_, 0);
  EXPECT_TRUE(main_window_.isEnabled());
  EXPECT_FALSE(dialog_->isVisible());
  dialog_->show_centred();
  EXPECT_EQ(dialog_->box(1)->currentText(), "G");
  dialog_->accept_button()->click();
  EXPECT_EQ(store_.value("Key1"), "17");
}

// Alt+F4 or a close box: the window system closes the dialog itself.
TEST_F(KeysDialogTest, ClosedByTheWindowSystemReenablesTheMainWindowAndStoresNothing) {
  dialog_->show_centred();
  choose(2, "Z");
  EXPECT_TRUE(dialog_->close());
  EXPECT_TRUE(main_window_.isEnabled());
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_TRUE(store_.writes.empty());
  EXPECT_EQ(keys_.binding(2).key_code, '2');
  dialog_->show_centred();
  EXPECT_TRUE(dialog_->isVisible());
  EXPECT_FALSE(main_window_.isEnabled());
}

TEST(KeysDialogStored, DuplicatesInTheStoreShowAtOnce) {
  test::qt_app();
  test::RecordingStore store;
  store.preset({{"Key1", "20"}, {"Key4", "20"}});
  KeyBindings keys;
  keys.load(store);
  TKeysForm dialog(keys, store, nullptr);
  EXPECT_TRUE(is_red(dialog.label(1)));
  EXPECT_TRUE(is_red(dialog.label(4)));
  EXPECT_FALSE(dialog.accept_button()->isEnabled());
}

}  // namespace
}  // namespace hero
