// The canvas: what the core's drawing code asks of a surface. The Qt front end paints with
// QPainter on an off-screen image, the tests record the calls, the benchmarks count them.
//
// Coordinates are device pixels as doubles; text is UTF-8. A font is chosen by family and point
// size and answers its metrics, so layout (tab stops, line heights, cell padding) is computed by
// the core and tested without a window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

struct Color {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Color&) const = default;
};

namespace colors {
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kGrid{192, 192, 192};
inline constexpr Color kHeader{224, 224, 224};
inline constexpr Color kSelection{204, 224, 255};
}  // namespace colors

struct Pen {
  Color color = colors::kBlack;
  int width = 1;
  bool operator==(const Pen&) const = default;
};

// A brush fills the inside of rectangles and ellipses; a hollow brush leaves it alone.
struct Brush {
  Color color = colors::kWhite;
  bool hollow = false;
  bool operator==(const Brush&) const = default;
};

struct FontChoice {
  std::string family = "Arial";
  double point_size = 10;
  bool bold = false;
  bool operator==(const FontChoice&) const = default;
};

struct FontMetrics {
  double height = 16;              // the character height: one text line
  double average_char_width = 7;   // the font's average character width
};

struct Rect {
  double left = 0, top = 0, right = 0, bottom = 0;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

enum class TextAlign { kLeft, kCenter, kRight };

class Canvas {
 public:
  virtual ~Canvas() = default;

  // The drawing surface's size in pixels.
  virtual double Width() const = 0;
  virtual double Height() const = 0;

  virtual void SetPen(const Pen& pen) = 0;
  virtual void SetBrush(const Brush& brush) = 0;
  virtual void SetFont(const FontChoice& font) = 0;
  // Metrics of the current font.
  virtual FontMetrics Metrics() const = 0;

  virtual void DrawLine(double x1, double y1, double x2, double y2) = 0;
  // Outlined with the pen, filled with the brush.
  virtual void DrawRect(const Rect& rect) = 0;
  virtual void DrawEllipse(const Rect& rect) = 0;
  // Fills without an outline.
  virtual void FillRect(const Rect& rect, Color color) = 0;
  // Text in the current font and the pen's colour. `y` is the top of the text line; `x` is
  // its left edge, centre or right edge by `align`.
  virtual void DrawText(double x, double y, std::string_view text, TextAlign align = TextAlign::kLeft) = 0;

  // Clipping to a rectangle until ClearClip.
  virtual void SetClip(const Rect& rect) = 0;
  virtual void ClearClip() = 0;
};

}  // namespace orvel
