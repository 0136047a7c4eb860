#include "assets/generator/installation.h"

#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QTextStream>

#include "assets/generator/image_io.h"
#include "assets/generator/manual_pages.h"
#include "assets/generator/tone_synth.h"

namespace hero::assetgen {
namespace {

QString read_text(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
  return QString::fromUtf8(file.readAll());
}

}  // namespace

// The skins themselves are made by hero-skin from the handheld drawing (see
// assets/CMakeLists.txt), so the authors' tool runs on every build.
void make_installation(const QString& assets_dir, const QString& install_dir) {
  QDir().mkpath(install_dir);

  // Skin catalogue, with the manual's section beside the skins.
  QString catalogue;
  QTextStream out(&catalogue);
  out << "; Skin catalogue of the Hero simulator: the skins offered at start-up\n"
      << "; (folder and name of each) and where the manual's pages are.\n\n"
      << "[Common]\nSkins=" << std::size(kSkins) << "\n";
  int number = 0;
  for (const SkinEntry& skin : kSkins) {
    ++number;
    out << "\n[Skin" << number << "]\nPath=" << skin.folder << "\nName=" << skin.name << "\n";
  }
  out << "\n[Manual]\nManualDir=Graphics\\Manual\\\nManualWidth=" << kManualWidth
      << "\nManualHeight=" << kManualHeight << "\n";
  out.flush();
  write_text_file(install_dir + "/Config.ini", catalogue);

  // Each page with its @2x twin (2@2x.bmp beside 2.bmp) for screens of two
  // device pixels per pixel.
  // The pages in other languages are drawn from the texts in a folder named
  // for the language (manual/de/1.txt) into one of the same name beside
  // them (Graphics/Manual/de/1.bmp).
  QStringList languages{QString()};
  for (const QString& language : QDir(assets_dir + "/manual").entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    languages << language + "/";
  for (const QString& language : languages) {
    QDir().mkpath(QString("%1/Graphics/Manual/%2").arg(install_dir, language));
    for (int page = 1; page <= kManualPages; ++page) {
      const QString source = QString("manual/%1%2.txt").arg(language).arg(page);
      const QString pages = QString("%1/Graphics/Manual/%2%3").arg(install_dir, language).arg(page);
      try {
        const QString text = read_text(assets_dir + "/" + source);
        save_bmp24(draw_manual_page(text, page), pages + ".bmp");
        save_bmp24(draw_manual_page(text, page, 2.0), pages + "@2x.bmp");
      } catch (const std::runtime_error& e) {
        throw std::runtime_error(source.toStdString() + ": " + e.what());
      }
    }
  }

  QDir().mkpath(install_dir + "/Sound");
  for (const char* name : kSampleNames) {
    const QString source = QString("%1/sound/%2.tone").arg(assets_dir, QString::fromLatin1(name));
    try {
      write_wav(QString("%1/Sound/%2.wav").arg(install_dir, QString::fromLatin1(name)).toStdString(),
                synthesise_tone(read_text(source).toStdString()));
    } catch (const std::runtime_error& e) {
      throw std::runtime_error(source.toStdString() + ": " + e.what());
    }
  }

  for (const char* document : {"Readme.txt", "Whatsnew.txt"})
    write_text_file(install_dir + "/" + document, read_text(assets_dir + "/docs/" + document));
}

}  // namespace hero::assetgen
