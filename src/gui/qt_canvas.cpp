#include "gui/qt_canvas.h"

#include <algorithm>
#include <QPen>
#include <QString>

namespace orvel::gui {

namespace {
QColor ToQColor(Color c) { return QColor(c.r, c.g, c.b); }
QRectF ToQRect(const Rect& r) { return QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)); }
}  // namespace

void InstallFontSubstitutions() {
  // Metric-compatible free faces: Arial -> Liberation Sans, Century -> C059 (a Century
  // Schoolbook); the Japanese texts of reports and messages fall back to IPAGothic.
  QFont::insertSubstitutions("Arial", {"Liberation Sans", "IPAGothic"});
  QFont::insertSubstitutions("Century", {"C059", "Century Schoolbook L", "IPAGothic"});
  QFont::insertSubstitutions("ＭＳ ゴシック", {"IPAGothic"});
}

QFont QtCanvas::ToQFont(const FontChoice& font) {
  QFont f(QString::fromStdString(font.family));
  f.setPointSizeF(font.point_size > 0 ? font.point_size : 10);
  f.setBold(font.bold);
  return f;
}

QtCanvas::QtCanvas(QPainter& painter, double width, double height)
    : painter_(painter), width_(width), height_(height), metrics_(ToQFont(FontChoice{}), painter.device()) {
  painter_.save();
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  SetFont(FontChoice{});
  SetPen(Pen{});
  SetBrush(Brush{});
}

QtCanvas::~QtCanvas() { painter_.restore(); }

void QtCanvas::SetPen(const Pen& pen) {
  pen_ = pen;
  QPen p(ToQColor(pen.color));
  p.setWidth(pen.width > 0 ? pen.width : 1);
  painter_.setPen(p);
}

void QtCanvas::SetBrush(const Brush& brush) {
  brush_ = brush;
  painter_.setBrush(brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush.color)));
}

void QtCanvas::SetFont(const FontChoice& font) {
  if (font_set_ && font == font_choice_) return;
  font_set_ = true;
  font_choice_ = font;
  const QFont f = ToQFont(font);
  painter_.setFont(f);
  metrics_ = QFontMetricsF(f, painter_.device());
}

FontMetrics QtCanvas::Metrics() const { return {metrics_.height(), metrics_.averageCharWidth()}; }

void QtCanvas::DrawLine(double x1, double y1, double x2, double y2) {
  painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtCanvas::DrawRect(const Rect& rect) {
  // Filled and outlined in one colour (the markers of a scatter plot): one fill of the
  // outline's outer edge looks the same and is several times cheaper than stroke and fill.
  if (!brush_.hollow && brush_.color == pen_.color) {
    const double h = std::max(pen_.width, 1) / 2.0;
    painter_.fillRect(QRectF(QPointF(rect.left - h, rect.top - h), QPointF(rect.right + h, rect.bottom + h)),
                      ToQColor(brush_.color));
    return;
  }
  painter_.drawRect(ToQRect(rect));
}

void QtCanvas::DrawEllipse(const Rect& rect) { painter_.drawEllipse(ToQRect(rect)); }

void QtCanvas::FillRect(const Rect& rect, Color color) { painter_.fillRect(ToQRect(rect), ToQColor(color)); }

void QtCanvas::DrawText(double x, double y, std::string_view text, TextAlign align) {
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  double left = x;
  if (align != TextAlign::kLeft) {
    const double width = metrics_.horizontalAdvance(s);
    left = align == TextAlign::kCenter ? x - width / 2 : x - width;
  }
  painter_.drawText(QPointF(left, y + metrics_.ascent()), s);
}

void QtCanvas::SetClip(const Rect& rect) { painter_.setClipRect(ToQRect(rect)); }

void QtCanvas::ClearClip() { painter_.setClipping(false); }

}  // namespace orvel::gui
