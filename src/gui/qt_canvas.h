// The canvas on a QPainter: the core's pane and graph drawing on screen and on images.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include "app/canvas.h"

namespace orvel::gui {

// The platform's stand-ins for the program's font families (set once at start).
void InstallFontSubstitutions();

class QtCanvas : public Canvas {
 public:
  // Draws with `painter` on a surface of the given size; the painter's state is restored
  // when the canvas goes.
  QtCanvas(QPainter& painter, double width, double height);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetPen(const Pen& pen) override;
  void SetBrush(const Brush& brush) override;
  void SetFont(const FontChoice& font) override;
  FontMetrics Metrics() const override;
  void DrawLine(double x1, double y1, double x2, double y2) override;
  void DrawRect(const Rect& rect) override;
  void DrawEllipse(const Rect& rect) override;
  void FillRect(const Rect& rect, Color color) override;
  void DrawText(double x, double y, std::string_view text, TextAlign align) override;
  void SetClip(const Rect& rect) override;
  void ClearClip() override;

  // The QFont for a font of the program (family substituted, point size kept).
  static QFont ToQFont(const FontChoice& font);

 private:
  QPainter& painter_;
  double width_, height_;
  FontChoice font_choice_;
  bool font_set_ = false;
  QFontMetricsF metrics_;
  Pen pen_;
  Brush brush_;
};

}  // namespace orvel::gui
