// A whole program started on an installation made in a temporary folder,
// with a store in memory and a sound library that records its calls.
#pragma once

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include "engine/memory_settings_store.h"
#include "startup/program/HeroW.h"
#include "tests/support/qt_app.h"
#include "tests/support/recording_sound_library.h"

namespace hero::test {

class ProgramTest : public ::testing::Test, public InstallationErrors {
 protected:
  void SetUp() override {
    qt_app();
    ASSERT_TRUE(dir.isValid());
    previous_folder = QDir::currentPath();
    QDir::setCurrent(dir.path());
    write("Config.ini",
          "[Common]\nSkins=2\n[Skin1]\nPath=Graphics\\Skin1\nName=Classic\n[Skin2]\nPath="
          "Graphics\\Skin2\nName=Night\n");
    write("Graphics/Skin1/Config.ini", "[Common]\nGameWidth=300\nGameHeight=200\n");
    write("Graphics/Skin2/Config.ini", "[Common]\nGameWidth=320\nGameHeight=210\n");
    for (const char* sample : {"Chance", "Got", "Miss1", "Miss2", "Tick"})
      write(std::string("Sound/") + sample + ".wav", "RIFF");
  }

  void TearDown() override {
    program.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(previous_folder);
  }

  void write(const std::string& name, const std::string& text) {
    const QString path = dir.filePath(QString::fromStdString(name));
    QDir().mkpath(QFileInfo(path).path());
    std::ofstream(path.toStdString()) << text;
  }

  // InstallationErrors: the box's message, then the termination request.
  void report(const std::string& message) override {
    errors.push_back(message);
    ++terminations;
  }

  // What a run of the program gets from this fixture: the installation, the
  // recording sound library, and recorders for errors, terminations,
  // failures and beeps; `settings` is the run's store.
  ProgramServices services_with(std::unique_ptr<SettingsStore> settings) {
    ProgramServices services;
    services.program_folder = dir.path().toStdString();
    services.settings = std::move(settings);
    services.sound_library = &library;
    services.errors = this;
    services.request_termination = [this] { ++terminations; };
    services.show_failure = [this](const std::string& message) { failures.push_back(message); };
    services.beep = [this] { ++beeps; };
    return services;
  }

  // An in-memory store holding these values, watched through `store`.
  std::unique_ptr<MemorySettingsStore> memory_store(
      const std::vector<std::pair<std::string, std::string>>& stored) {
    auto settings = std::make_unique<MemorySettingsStore>();
    for (const auto& [name, value] : stored) settings->write_text(name, value);
    store = settings.get();
    return settings;
  }

  // Starts a run with these stored values (a previous run's store, say).
  void start(const std::vector<std::pair<std::string, std::string>>& stored = {}) {
    program.reset();
    program = std::make_unique<HeroProgram>(services_with(memory_store(stored)));
  }

  std::optional<std::string> stored(const char* name) const { return store->read_text(name); }

  static QSize screen() { return QGuiApplication::primaryScreen()->geometry().size(); }

  QTemporaryDir dir;
  QString previous_folder;
  RecordingSoundLibrary library;
  std::unique_ptr<HeroProgram> program;
  MemorySettingsStore* store = nullptr;
  std::vector<std::string> errors;
  std::vector<std::string> failures;
  int terminations = 0;
  int beeps = 0;
};

}  // namespace hero::test
