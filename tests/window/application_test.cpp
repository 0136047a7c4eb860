// A failing handler is reported and the program goes on; a termination asked
// for before the event loop runs still ends the program.
#include <gtest/gtest.h>

#include <QTimer>
#include <stdexcept>

#include "test_app.h"

namespace hero {
namespace {

class Thrower : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) {
      ++entered;
      throw std::runtime_error("'zz' is not a valid integer value");
      ++finished;  // never reached: the rest of the handler is abandoned
    }
    if (e->type() == QEvent::User + 1) {
      ++later_events;
      if (exit_loop_after) QCoreApplication::exit(0);
      return true;
    }
    return QObject::event(e);
  }
  int entered = 0;
  int finished = 0;
  int later_events = 0;
  bool exit_loop_after = false;
};

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test_app().set_error_shower([this](const QString& m) { messages.push_back(m); });
  }
  void TearDown() override { test_app().set_error_shower(show_error_box); }
  std::vector<QString> messages;
};

TEST_F(ApplicationTest, FailingHandlerShowsItsMessageAndTheNextEventIsDelivered) {
  Thrower target;
  QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&target, new QEvent(static_cast<QEvent::Type>(QEvent::User + 1)));
  QCoreApplication::sendPostedEvents(&target);
  EXPECT_EQ(target.entered, 1);
  EXPECT_EQ(target.finished, 0);
  EXPECT_EQ(target.later_events, 1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "'zz' is not a valid integer value");
}

TEST_F(ApplicationTest, FailureInsideTheEventLoopDoesNotEndIt) {
  Thrower target;
  target.exit_loop_after = true;
  QTimer::singleShot(0, &target, [&] {
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&target, new QEvent(static_cast<QEvent::Type>(QEvent::User + 1)));
  });
  EXPECT_EQ(test_app().exec(), 0);
  EXPECT_EQ(target.later_events, 1) << "the loop must go on after the failure";
  EXPECT_EQ(messages.size(), 1u);
}

// One test for both cases, since a request is for good: first during the
// loop, then before it runs (as a creation step would ask).
TEST_F(ApplicationTest, TerminationRequestEndsTheLoopAlsoWhenMadeBeforeItRuns) {
  bool guard_fired = false;
  QTimer guard;  // if a request were lost the test fails instead of hanging
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    guard_fired = true;
    QCoreApplication::exit(1);
  });
  guard.start(std::chrono::seconds(30));
  QTimer::singleShot(0, &test_app(), [] { test_app().request_termination(); });
  EXPECT_EQ(test_app().run(), 0);
  EXPECT_FALSE(guard_fired);
  ASSERT_TRUE(test_app().termination_requested());

  guard.start(std::chrono::seconds(30));
  EXPECT_EQ(test_app().run(), 0);
  EXPECT_FALSE(guard_fired) << "the loop ran although termination was requested";
}

}  // namespace
}  // namespace hero

namespace hero {
namespace {

// After the termination test in this file: it leaves the request in place.
TEST(InstallationErrorReport, ShowsTheMessageThenAsksTheProgramToEnd) {
  std::vector<QString> shown;
  test_app().set_error_shower([&](const QString& m) { shown.push_back(m); });
  MessageBoxInstallationErrors errors;
  errors.report("Configuration file (Config.ini) not found. Please reinstall the game.");
  test_app().set_error_shower(show_error_box);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "Configuration file (Config.ini) not found. Please reinstall the game.");
  EXPECT_TRUE(test_app().termination_requested());
  EXPECT_EQ(test_app().run(), 0) << "the loop must not start";
}

}  // namespace
}  // namespace hero
