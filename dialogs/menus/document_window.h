// The handheld's own reader for its text documents (Readme.txt, Whatsnew.txt,
// Config.ini), used when the desktop has no program for text files or the
// one it has fails: a plain read-only window, monospaced and scrollable, with
// the file's name as its title, so that a player always gets the Readme.
// A line under the text says it is read-only and where the file lives; Esc
// closes the window.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace hero {

class DocumentWindow final : public QWidget {
  Q_OBJECT
 public:
  explicit DocumentWindow(QWidget* parent = nullptr);

  // Reads the file again and shows it on top of the handheld. A file that
  // cannot be read shows why instead; a file larger than kShownBytes shows
  // its beginning.
  void show_document(const QString& path);

  const QString& path() const { return path_; }
  QPlainTextEdit* text() const { return text_; }
  QLabel* note() const { return note_; }

  static constexpr qint64 kShownBytes = 4 * 1024 * 1024;

 private:
  QString path_;
  QLabel* note_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
};

// The window for that file, made on first use and kept for the rest of the
// run: F2 twice shows one Readme window, F2 and F3 two windows.
DocumentWindow& document_window_for(const QString& path);
// Every document window made so far (tests).
QList<DocumentWindow*> document_windows();

}  // namespace hero
