#include "display/skins/vector_picture.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include "display/files/printable.h"
#include "display/skins/picture_loader.h"

namespace hero {
namespace {

// "url(" followed by anything but "#": a picture, font or style elsewhere.
bool reaches_out(QStringView text) {
  for (qsizetype at = text.indexOf(u"url("); at >= 0; at = text.indexOf(u"url(", at + 4)) {
    QStringView rest = text.mid(at + 4).trimmed();
    if (rest.startsWith(u'"') || rest.startsWith(u'\'')) rest = rest.mid(1);
    if (!rest.startsWith(u'#')) return true;
  }
  return text.contains(u"@import");
}

std::string too_large() {
  return "it is larger than " + std::to_string(kMaxVectorBytes / (1024 * 1024)) + " MiB";
}

}  // namespace

std::optional<VectorProblem> vector_problem(const QByteArray& document) {
  if (document.size() > kMaxVectorBytes) return VectorProblem{0, too_large()};
  QXmlStreamReader xml(document);
  int elements = 0;
  bool root = true;
  while (!xml.atEnd()) {
    const auto token = xml.readNext();
    const int line = static_cast<int>(xml.lineNumber());
    if (token == QXmlStreamReader::DTD && !xml.entityDeclarations().isEmpty())
      return VectorProblem{line, "it declares entities; an SVG picture may not"};
    if (token == QXmlStreamReader::Characters && reaches_out(xml.text()))
      return VectorProblem{line, "its style refers to a file outside it; only url(#id) is allowed"};
    if (token != QXmlStreamReader::StartElement) continue;
    if (root && xml.name() != QLatin1String("svg")) return VectorProblem{line, "it is not an SVG"};
    root = false;
    if (++elements > kMaxVectorElements)
      return VectorProblem{line, "it has more than " + std::to_string(kMaxVectorElements) + " elements"};
    for (const QXmlStreamAttribute& attribute : xml.attributes()) {
      const bool link = attribute.name() == QLatin1String("href");
      if ((link && !is_inner_reference(attribute.value())) || (!link && reaches_out(attribute.value())))
        return VectorProblem{line, "<" + xml.name().toString().toStdString() + "> refers to \"" +
                                       printable(attribute.value().toString().toStdString()) +
                                       "\" outside it; only references to its own parts (#id) are allowed"};
    }
  }
  if (xml.hasError())
    return VectorProblem{static_cast<int>(xml.lineNumber()),
                         "not a readable SVG: " + xml.errorString().toStdString()};
  if (root) return VectorProblem{0, "it is not an SVG"};
  return std::nullopt;
}

std::shared_ptr<const VectorPicture> read_vector_picture(std::span<const std::uint8_t> bytes,
                                                         const std::string& file_name) {
  if (static_cast<std::int64_t>(bytes.size()) > kMaxVectorBytes) refuse_picture(file_name, too_large());
  auto picture = std::make_shared<VectorPicture>();
  picture->document =
      QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  if (const auto problem = vector_problem(picture->document))
    refuse_picture(file_name, problem->message, problem->line);
  // Only the checked document reaches the renderer, which reads its size
  // without drawing anything.
  picture->renderer = std::make_shared<QSvgRenderer>(picture->document);
  if (!picture->renderer->isValid()) refuse_picture(file_name, "not a readable SVG");
  picture->size = picture->renderer->defaultSize();
  return picture;
}

std::shared_ptr<const VectorPicture> load_vector_picture(const std::filesystem::path& file,
                                                         const std::string& shown_name) {
  return read_vector_picture(
      read_picture_file(file, shown_name, static_cast<std::uintmax_t>(kMaxVectorBytes), too_large()),
      shown_name);
}

QImage render_vector_picture(const VectorPicture& picture, QSize pixels) {
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return image;
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  picture.renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
  painter.end();
  return image;
}

}  // namespace hero
