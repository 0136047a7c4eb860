#include "assets/generator/manual_pages.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <QTextBoundaryFinder>

#include "release.h"

namespace hero::assetgen {
namespace {

constexpr int kHeaderHeight = 42;
constexpr int kMarginX = 22;
constexpr int kTextTop = kHeaderHeight + 14;
// The viewer's arrow buttons sit in the bottom corners; text stays above them.
constexpr int kTextBottom = kManualHeight - 26;
const QColor kNavy(0x1c, 0x2a, 0x4a);
const QColor kRed(0xc8, 0x37, 0x2b);
const QColor kInk(0x20, 0x20, 0x24);
const QColor kPaper(0xfb, 0xf8, 0xf0);

QFont font(int pixel_size, bool bold) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(pixel_size);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

std::runtime_error failure(int page, const QString& why) {
  return std::runtime_error(QString("manual page %1: %2").arg(page).arg(why).toStdString());
}

// Japanese and Chinese characters: their words have no spaces between them.
bool wide(QChar c) { return c.unicode() >= 0x2E80 && c.unicode() <= 0xFFEF; }

// Splits text into lines no wider than `width`, at spaces. A word of
// Japanese (which has no spaces), or one wider than the line, is broken
// where the language allows a line to break, and its pieces join without a
// space.
QStringList wrap(const QString& text, const QFontMetrics& metrics, int width) {
  struct Piece {
    QString text;
    bool after_space;
  };
  std::vector<Piece> pieces;
  for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
    if (metrics.horizontalAdvance(word) <= width && std::none_of(word.begin(), word.end(), wide)) {
      pieces.push_back({word, true});
      continue;
    }
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, word);
    qsizetype start = 0;
    for (qsizetype at = breaks.toNextBoundary(); at != -1; at = breaks.toNextBoundary()) {
      if (at == start) continue;
      pieces.push_back({word.mid(start, at - start), start == 0});
      start = at;
    }
  }
  QStringList lines;
  QString current;
  for (const Piece& piece : pieces) {
    const QString trial =
        current.isEmpty() ? piece.text : current + (piece.after_space ? " " : "") + piece.text;
    if (metrics.horizontalAdvance(trial) <= width || current.isEmpty()) {
      current = trial;
    } else {
      lines << current;
      current = piece.text;
    }
  }
  if (!current.isEmpty()) lines << current;
  return lines;
}

// A line of a paragraph continues the one before with a space, but not
// between Japanese characters.
bool joins_without_space(const QString& before, const QString& after) {
  return !before.isEmpty() && !after.isEmpty() && (wide(before.back()) || wide(after.front()));
}

}  // namespace

QImage draw_manual_page(const QString& text, int page_number, double ratio) {
  QStringList raw = text.split('\n');
  if (raw.isEmpty() || !raw.front().startsWith("title:"))
    throw failure(page_number, "the first line must be \"title: ...\"");
  const QString title = raw.takeFirst().mid(6).trimmed();

  // Gather blocks: paragraphs (joined lines), bullets and key rows.
  struct Block {
    enum Kind { paragraph, bullet, key } kind;
    QString cap;
    QString text;
  };
  QList<Block> blocks;
  bool open = false;  // a following plain line continues the last paragraph or bullet
  for (const QString& line_raw : raw) {
    const QString line = line_raw.trimmed();
    if (line.isEmpty()) {
      open = false;
      continue;
    }
    if (line.startsWith("* ")) {
      blocks.push_back({Block::bullet, {}, line.mid(2).trimmed()});
      open = true;
    } else if (line.startsWith("key:")) {
      const QString body = line.mid(4);
      const qsizetype bar = body.indexOf('|');
      if (bar < 0) throw failure(page_number, "a key row needs \"key: CAP | text\"");
      blocks.push_back({Block::key, body.left(bar).trimmed(), body.mid(bar + 1).trimmed()});
      open = false;
    } else if (open && !blocks.isEmpty()) {
      if (!joins_without_space(blocks.back().text, line)) blocks.back().text += ' ';
      blocks.back().text += line;
    } else {
      blocks.push_back({Block::paragraph, {}, line});
      open = true;
    }
  }

  // Laid out in page pixels; at ratio 2 the same page has twice the pixels.
  QImage page(qRound(kManualWidth * ratio), qRound(kManualHeight * ratio), QImage::Format_RGB32);
  page.setDevicePixelRatio(ratio);
  page.fill(kPaper);
  QPainter p(&page);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  // Header: title on the handheld's navy with a red rule beneath.
  p.fillRect(0, 0, kManualWidth, kHeaderHeight, kNavy);
  p.fillRect(0, kHeaderHeight, kManualWidth, 4, kRed);
  p.setPen(Qt::white);
  p.setFont(font(19, true));
  p.drawText(QRect(kMarginX, 0, kManualWidth - 2 * kMarginX - 30, kHeaderHeight),
             Qt::AlignVCenter | Qt::AlignLeft, title);
  p.setFont(font(11, false));
  p.setPen(QColor(0xd9, 0xb4, 0x5a));
  p.drawText(QRect(kMarginX, 0, kManualWidth - 2 * kMarginX - 24, kHeaderHeight),
             Qt::AlignVCenter | Qt::AlignRight, QString("%1 / %2").arg(page_number).arg(kManualPages));

  const QFont body = font(12, false);
  const QFontMetrics metrics(body);
  const int line_height = metrics.height() + 1;
  const int text_width = kManualWidth - 2 * kMarginX;
  int y = kTextTop;
  Block::Kind previous = Block::paragraph;
  for (const Block& block : blocks) {
    if (block.kind != previous && block.kind == Block::paragraph) y += 6;
    previous = block.kind;
    if (block.kind == Block::key) {
      const QFont cap_font = font(11, true);
      const QFontMetrics cap_metrics(cap_font);
      const int cap_width = std::max(26, cap_metrics.horizontalAdvance(block.cap) + 14);
      const int row_height = std::max(20, line_height);
      const QStringList lines = wrap(block.text, metrics, text_width - 96);
      p.setPen(QPen(kNavy, 1.2));
      p.setBrush(QColor(0xee, 0xea, 0xe0));
      p.drawRoundedRect(QRectF(kMarginX + 0.5, y + 0.5, cap_width, row_height - 3), 4, 4);
      p.setPen(kNavy);
      p.setFont(cap_font);
      p.drawText(QRect(kMarginX, y, cap_width, row_height - 3), Qt::AlignCenter, block.cap);
      p.setFont(body);
      p.setPen(kInk);
      int ly = y;
      for (const QString& line : lines) {
        p.drawText(QRect(kMarginX + 96, ly, text_width - 96, row_height - 3),
                   Qt::AlignVCenter | Qt::AlignLeft, line);
        ly += line_height;
      }
      y += std::max(row_height, static_cast<int>(lines.size()) * line_height) + 2;
    } else {
      const int indent = block.kind == Block::bullet ? 16 : 0;
      const QStringList lines = wrap(block.text, metrics, text_width - indent);
      p.setFont(body);
      p.setPen(kInk);
      if (block.kind == Block::bullet) {
        p.setBrush(kRed);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(kMarginX + 5, y + metrics.ascent() - 4), 3, 3);
        p.setPen(kInk);
      }
      for (const QString& line : lines) {
        p.drawText(kMarginX + indent, y + metrics.ascent(), line);
        y += line_height;
      }
      y += block.kind == Block::bullet ? 3 : 8;
    }
    if (y > kTextBottom + 8) throw failure(page_number, "the text does not fit on the page");
  }

  // Footer rule and the simulator's name.
  p.fillRect(kMarginX + 10, kManualHeight - 22, kManualWidth - 2 * kMarginX - 20, 1,
             QColor(0xc0, 0xb8, 0xa8));
  p.setFont(font(9, false));
  p.setPen(QColor(0x80, 0x78, 0x6c));
  p.drawText(QRect(0, kManualHeight - 20, kManualWidth, 16), Qt::AlignCenter,
             QString::fromLatin1(kProgramTitle));
  return page;
}

}  // namespace hero::assetgen
