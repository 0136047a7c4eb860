#include "dialogs/menus/document_window.h"

#include <map>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QShortcut>
#include <QStringDecoder>
#include <QVBoxLayout>

#include "dialogs/menus/placement.h"

namespace hero {
namespace {

constexpr int kColumns = 82;
constexpr int kLines = 32;

// Kept for the whole run (never destroyed with the other statics, which go
// after the application object); the windows themselves go with the
// application object.
std::map<QString, QPointer<DocumentWindow>>& windows() {
  static auto* instance = new std::map<QString, QPointer<DocumentWindow>>;
  return *instance;
}

void close_document_windows() {
  for (auto& [path, window] : windows()) delete window.data();
  windows().clear();
}

// The documents are written as plain ASCII or UTF-8; a file edited on
// Windows may be in its ANSI code page, read here as Latin-1 so that no
// byte is lost.
QString decoded(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) text = QString::fromLatin1(bytes);
  return text;
}

}  // namespace

DocumentWindow::DocumentWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
  setObjectName("document_window");
  setAttribute(Qt::WA_QuitOnClose, false);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("document_text");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::Monospace);
  text_->setFont(font);
  note_ = new QLabel(this);
  note_->setObjectName("document_note");
  // A path is shown as written, never as markup.
  note_->setTextFormat(Qt::PlainText);
  note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  note_->setContentsMargins(6, 3, 6, 3);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  layout->addWidget(note_);
  auto* close_on_esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close_on_esc, &QShortcut::activated, this, &QWidget::close);
  const QFontMetrics metrics(font);
  resize(metrics.horizontalAdvance(QString(kColumns, 'M')) + 40, metrics.lineSpacing() * kLines + 20);
}

void DocumentWindow::show_document(const QString& path) {
  path_ = path;
  setWindowTitle(QFileInfo(path).fileName());
  note_->setText(tr("Read-only: %1. Open it in a text editor to change it; Esc closes this window.")
                     .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    text_->setPlainText(
        tr("%1 could not be read: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
  } else {
    const QByteArray bytes = file.read(kShownBytes);
    QString text = decoded(bytes);
    if (!file.atEnd())
      text += QStringLiteral("\n\n") +
              tr("[Only the first %1 MB of this file are shown.]").arg(kShownBytes / (1024 * 1024));
    text_->setPlainText(text);
  }
  text_->moveCursor(QTextCursor::Start);
  if (!isVisible()) centre_on_screen(this);
  show();
  raise();
  activateWindow();
}

DocumentWindow& document_window_for(const QString& path) {
  const QString key = QFileInfo(path).absoluteFilePath();
  QPointer<DocumentWindow>& window = windows()[key];
  if (!window) {
    static const bool cleanup_registered = [] {
      qAddPostRoutine(close_document_windows);
      return true;
    }();
    (void)cleanup_registered;
    window = new DocumentWindow;
  }
  return *window;
}

QList<DocumentWindow*> document_windows() {
  QList<DocumentWindow*> all;
  for (const auto& [path, window] : windows())
    if (window) all.push_back(window.data());
  return all;
}

}  // namespace hero
