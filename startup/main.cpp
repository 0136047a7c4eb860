// The program: the application object, the main window and its creation
// steps, the skin catalogue, then Play with the stored skin and the stored or
// default sound output, so that the handheld comes up all lit.
#include <QDir>
#include <QScreen>
#include <cstdlib>
#include <filesystem>

#include "display/gfxinit.h"
#include "dialogs/keys.h"
#include "display/unit1.h"
#include "engine/settings_codec.h"
#include "startup/application.h"
#include "startup/qsettings_store.h"
#include "startup/sdl_sound_library.h"
#include "startup/sound_output.h"

namespace {

// Positioning and dragging a borderless window need X11 on Linux.
void prefer_x11() {
#if defined(__linux__)
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
#endif
}

}  // namespace

int main(int argc, char** argv) {
  prefer_x11();
  hero::HeroApplication app(argc, argv);
  hero::MessageBoxInstallationErrors errors;
  hero::SdlSoundLibrary sound_library;
  hero::SoundOutput sound(sound_library);

  int result = 0;
  try {
    hero::TForm1 form(std::make_unique<hero::QSettingsStore>(), sound);
    const std::filesystem::path program_folder = QCoreApplication::applicationDirPath().toStdString();
    const hero::SkinCatalogue catalogue = hero::read_skin_catalogue(program_folder, errors);

    int selected_skin = hero::read_integer(form.settings(), "Skin", -1);
    if (selected_skin < 1 || selected_skin > catalogue.listed_count()) selected_skin = 1;
    form.set_skin_loader([&](hero::TForm1& window) {
      hero::SkinLoadRequest request;
      request.catalogue = &catalogue;
      request.selected_skin = selected_skin;
      request.fullscreen_mode = window.fullscreen_mode();
      request.screen_size = window.screen() ? window.screen()->size() : QSize(1024, 768);
      request.program_folder = program_folder;
      hero::load_skin(window.scene(), request, errors);
    });
    // The key settings dialog, created once after the main window; the
    // context menu shows it.
    hero::TKeysForm keys_dialog(form.key_bindings(), form.settings(), &form);
    QObject::connect(&keys_dialog, &hero::TKeysForm::bindings_accepted, &form, [&form] { form.rebuild_hints(); });

    // Esc ends the program, as the context menu's shortcut does.
    QObject::connect(&form, &hero::TForm1::unbound_key_pressed, &app, [&app](hero::VirtualKey key) {
      if (key == hero::vk_escape) app.request_termination();
    });

    // Play: sound, the skin laid out off the screen and centred, mode 1.
    if (catalogue.listed_count() > 0 && !app.termination_requested()) {
      try {
        int driver = hero::read_integer(form.settings(), "SoundMode", hero::kDriverDirect);
        if (driver < 0 || driver >= hero::kDriverCount) driver = hero::kDriverDirect;
        hero::Engine& engine = form.engine();
        if (sound.initialise(driver, form.settings(), errors, [&engine](bool on) { engine.set_snd_enabled(on); })) {
          form.lay_out_skin();
          form.engine().state().game_mode = hero::mode_all_lit;
          form.engine().start();
          form.flush();
        }
      } catch (const std::exception& e) {
        // A skin picture that cannot be decoded: shown as a handler's failure
        // would be. With no splash screen to choose another skin from, the
        // half-made window would stay off the screen, so the program ends.
        app.show_error(QString::fromLocal8Bit(e.what()));
        app.request_termination();
      }
    }
    form.show();
    form.activateWindow();
    result = app.run();
  } catch (const std::exception& e) {
    hero::show_error_box(QString::fromLocal8Bit(e.what()));
    result = EXIT_FAILURE;
  }
  sound.release();
  return result;
}
