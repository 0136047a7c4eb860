// The manual's pages: 540 x 360 pictures drawn from short page texts.
// A page text starts with "title: ..." and then holds paragraphs separated by
// blank lines; "* " starts a bullet, "key: CAP | text" a row with a key cap.
#pragma once

#include <QImage>
#include <QString>

namespace hero::assetgen {

inline constexpr int kManualWidth = 540;
inline constexpr int kManualHeight = 360;
inline constexpr int kManualPages = 8;

// Throws std::runtime_error when the text has no title or does not fit. At
// `ratio` 2 the page is its @2x twin: the same layout at twice the pixels.
QImage draw_manual_page(const QString& text, int page_number, double ratio = 1.0);

}  // namespace hero::assetgen
