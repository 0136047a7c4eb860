// A skin picture drawn as an SVG: kept as its checked document, and drawn
// again for the exact device pixels it covers wherever the handheld is shown
// magnified or reduced, so its edges stay sharp at any zoom.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QStringView>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

class QSvgRenderer;

namespace hero {

// An SVG may not reach outside its file, and stays small enough to be read
// in bounded time and memory: at most 4 MiB and 20 000 elements; the pixels
// it is drawn at count toward the skin's picture budget like any picture's.
inline constexpr std::int64_t kMaxVectorBytes = 4 * 1024 * 1024;
inline constexpr int kMaxVectorElements = 20000;

// A reference that stays inside the drawing: "#id", nothing else.
inline bool is_inner_reference(QStringView href) { return href.startsWith(u'#'); }

// What makes an SVG unfit for a skin, and the line it is on (0: the whole
// file): a declared entity, a reference outside the file (a linked or
// embedded picture, style or font, "url(...)" other than "url(#id)"), too
// many elements, or XML that does not parse.
struct VectorProblem {
  int line = 0;
  std::string message;
};
std::optional<VectorProblem> vector_problem(const QByteArray& document);

struct VectorPicture {
  QByteArray document;
  QSize size;  // its width and height, in skin pixels
  // The document parsed once, drawn at every size.
  std::shared_ptr<QSvgRenderer> renderer;
};

// Checks the document and reads its size; throws PictureError naming the
// file (and the line) for a refused one. The size is checked by the caller
// against the picture limits before anything is drawn.
std::shared_ptr<const VectorPicture> read_vector_picture(std::span<const std::uint8_t> bytes,
                                                         const std::string& file_name);

// The same read from a file (`shown_name` goes into messages); a file that
// cannot be read or is larger than kMaxVectorBytes is refused unread.
std::shared_ptr<const VectorPicture> load_vector_picture(const std::filesystem::path& file,
                                                         const std::string& shown_name);

// The picture drawn to fill `pixels` (premultiplied ARGB32, transparent
// where nothing is drawn); null when the memory cannot be had.
QImage render_vector_picture(const VectorPicture& picture, QSize pixels);

}  // namespace hero
