// File output shared by the generator's parts. Every writer produces the same
// bytes for the same input: no time stamps, no text chunks.
#pragma once

#include <QImage>
#include <QString>

namespace hero::assetgen {

void save_png(const QImage& image, const QString& path);
void save_bmp24(const QImage& image, const QString& path);
void save_jpeg(const QImage& image, const QString& path, int quality);
void write_text_file(const QString& path, const QString& text);
// Loads the fixed fonts (DejaVu Sans, Liberation Sans) from their files, so
// that pages and pictures never depend on which fonts fontconfig prefers.
void load_fixed_fonts();

}  // namespace hero::assetgen
