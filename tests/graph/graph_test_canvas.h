// A canvas that records every drawing call with the pen, brush and font in force. Metrics are
// fixed (a line 16 pixels high, a character 7 wide) so layouts are predictable.
#pragma once

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "app/canvas.h"

namespace orvel::testing {

class RecordingGraphCanvas : public Canvas {
 public:
  struct Line {
    double x1, y1, x2, y2;
    Pen pen;
  };
  struct Shape {
    Rect rect;
    Pen pen;
    Brush brush;
    bool ellipse;
  };
  struct Text {
    double x, y;
    std::string text;
    TextAlign align;
    FontChoice font;
  };

  RecordingGraphCanvas(double width, double height) : width_(width), height_(height) {}
  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetPen(const Pen& pen) override { pen_ = pen; }
  void SetBrush(const Brush& brush) override { brush_ = brush; }
  void SetFont(const FontChoice& font) override { font_ = font; }
  FontMetrics Metrics() const override { return {16, 7}; }
  void DrawLine(double x1, double y1, double x2, double y2) override {
    Check(x1), Check(y1), Check(x2), Check(y2);
    lines.push_back({x1, y1, x2, y2, pen_});
  }
  void DrawRect(const Rect& r) override { Shape(r, false); }
  void DrawEllipse(const Rect& r) override { Shape(r, true); }
  void FillRect(const Rect& r, Color) override { Check(r.left), Check(r.top), Check(r.right), Check(r.bottom); }
  void DrawText(double x, double y, std::string_view text, TextAlign align) override {
    Check(x), Check(y);
    texts.push_back({x, y, std::string(text), align, font_});
  }
  void SetClip(const Rect&) override {}
  void ClearClip() override {}

  const Text* Find(std::string_view text) const {
    for (const Text& t : texts)
      if (t.text == text) return &t;
    return nullptr;
  }

  std::vector<Line> lines;
  std::vector<Shape> shapes;
  std::vector<Text> texts;
  bool bad_coordinate = false;  // a NaN, an infinity or a value far outside the device

 private:
  void Shape(const Rect& r, bool ellipse) {
    Check(r.left), Check(r.top), Check(r.right), Check(r.bottom);
    shapes.push_back({r, pen_, brush_, ellipse});
  }
  void Check(double v) {
    if (!std::isfinite(v) || std::fabs(v) > 1e6) bad_coordinate = true;
  }
  double width_, height_;
  Pen pen_;
  Brush brush_;
  FontChoice font_;
};

}  // namespace orvel::testing
