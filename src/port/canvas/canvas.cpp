#include "port/canvas/canvas.h"

#include <stdlib.h>
#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>

namespace zv::port {
namespace {

constexpr int kDefaultTextHeight = 12;

// The design names Windows font faces; these are the installed faces that stand in for them.
QString substituteFace(std::string_view face) {
  const QString name = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
  if (name.contains(QStringLiteral("Ｐ")) || name.contains(QStringLiteral("UI"))) {
    return QStringLiteral("IPAPGothic");
  }
  if (name.contains(QStringLiteral("ゴシック")) || name.contains(QStringLiteral("Gothic")) ||
      name.isEmpty()) {
    return QStringLiteral("IPAGothic");
  }
  return name;
}

QColor toQColor(Colour colour) {
  return QColor(colour.r, colour.g, colour.b, colour.a);
}

QRect toQRect(Rect rect) {
  return QRect(rect.left, rect.top, rect.width(), rect.height());
}

QtMessageHandler previousMessageHandler = nullptr;

// An application made only to paint bitmaps has no desktop session, so Qt's notice that the
// session's runtime folder is missing tells the user of a headless tool nothing.
void dropRuntimeFolderNotice(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
    return;
  }
  if (previousMessageHandler) {
    previousMessageHandler(type, context, message);
  }
}

}  // namespace

struct Canvas::Impl {
  QImage image;
};

void ensurePaintingApplication() {
  if (QCoreApplication::instance()) {
    return;
  }
  // Only bitmaps are painted here, so no display is needed even when one is set.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "zolvanta";
  static char* argv[] = {name, nullptr};
  previousMessageHandler = qInstallMessageHandler(dropRuntimeFolderNotice);
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
}

Canvas::Canvas(int width, int height) : impl_(std::make_unique<Impl>()) {
  if (width > 0 && height > 0) {
    impl_->image = QImage(width, height, QImage::Format_RGBA8888_Premultiplied);
    impl_->image.fill(Qt::transparent);
  }
}

Canvas::Canvas(int width, int height, std::span<const std::uint8_t> rgba) : Canvas(width, height) {
  if (impl_->image.isNull() || rgba.size() < static_cast<std::size_t>(width) * height * 4) {
    return;
  }
  const QImage straight(rgba.data(), width, height, width * 4, QImage::Format_RGBA8888);
  impl_->image = straight.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
}

Canvas::~Canvas() = default;
Canvas::Canvas(Canvas&&) noexcept = default;
Canvas& Canvas::operator=(Canvas&&) noexcept = default;
Canvas::Canvas(const Canvas& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}
Canvas& Canvas::operator=(const Canvas& other) {
  impl_ = std::make_unique<Impl>(*other.impl_);
  return *this;
}

int Canvas::width() const {
  return impl_->image.width();
}
int Canvas::height() const {
  return impl_->image.height();
}

std::span<const std::uint8_t> Canvas::pixels() const {
  const QImage& image = impl_->image;
  return {image.constBits(), static_cast<std::size_t>(image.sizeInBytes())};
}

std::size_t Canvas::bytesPerLine() const {
  return static_cast<std::size_t>(impl_->image.bytesPerLine());
}

Colour Canvas::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) {
    return {0, 0, 0, 0};
  }
  const std::uint8_t* p = impl_->image.constScanLine(y) + x * 4;
  return {p[0], p[1], p[2], p[3]};
}

void Canvas::clear(Rect area) {
  QPainter painter(&impl_->image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(toQRect(area), Qt::transparent);
}

void Canvas::fill(Rect area, Colour colour) {
  QPainter painter(&impl_->image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(toQRect(area), toQColor(colour));
}

void Canvas::polyline(std::span<const Point> points, Colour colour, PenStyle style) {
  if (points.size() < 2 || impl_->image.isNull()) {
    return;
  }
  QPolygon polygon;
  for (const Point& point : points) {
    polygon << QPoint(point.x, point.y);
  }
  QPen pen(toQColor(colour));
  pen.setWidth(style == PenStyle::Solid ? 2 : 1);
  pen.setStyle(style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  QPainter painter(&impl_->image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(pen);
  painter.drawPolyline(polygon);
}

Rect Canvas::text(std::string_view utf8, std::string_view face, int height, int x, int y, Colour colour) {
  if (impl_->image.isNull()) {
    return {x, y, x, y};
  }
  ensurePaintingApplication();
  QFont font(substituteFace(face));
  font.setPixelSize(height > 0 ? height : kDefaultTextHeight);
  font.setWeight(QFont::Normal);
  font.setStyleStrategy(QFont::NoSubpixelAntialias);
  QPainter painter(&impl_->image);
  painter.setFont(font);
  painter.setPen(toQColor(colour));
  const QFontMetrics metrics(font);
  const QString line = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  painter.drawText(QPoint(x, y + metrics.ascent()), line);
  // Glyphs may reach a little past their advance and cell; the margin keeps them inside.
  const int margin = metrics.height() / 2 + 2;
  return {x - margin, y - margin, x + metrics.horizontalAdvance(line) + margin,
          y + metrics.height() + margin};
}

void Canvas::draw(Rect target, const Canvas& from, Rect source) {
  if (impl_->image.isNull() || from.impl_->image.isNull()) {
    return;
  }
  QPainter painter(&impl_->image);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(toQRect(target), from.impl_->image, toQRect(source));
}

void Canvas::makeTransparent(Colour key) {
  QImage& image = impl_->image;
  for (int y = 0; y < image.height(); ++y) {
    std::uint8_t* line = image.scanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      std::uint8_t* p = line + x * 4;
      if (p[0] == key.r && p[1] == key.g && p[2] == key.b && p[3] == key.a) {
        p[0] = p[1] = p[2] = p[3] = 0;
      }
    }
  }
}

bool Canvas::writePng(const std::filesystem::path& file) const {
  return impl_->image.convertToFormat(QImage::Format_RGBA8888)
      .save(QString::fromStdString(file.string()), "PNG");
}

std::string Canvas::pngBytes() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) ||
      !impl_->image.convertToFormat(QImage::Format_RGBA8888).save(&buffer, "PNG")) {
    return {};
  }
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool Canvas::readPng(const std::filesystem::path& file, Canvas& into) {
  QImage image;
  if (!image.load(QString::fromStdString(file.string()), "PNG")) {
    return false;
  }
  into.impl_->image = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
  return true;
}

}  // namespace zv::port
