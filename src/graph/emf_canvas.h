// Enhanced metafiles, written by our own small writer: the graphs need only pens, brushes,
// fonts, lines, rectangles, ellipses and text, which are a dozen fixed-layout records, and a
// writer of our own has no dependency that a server lacks (the maintained EMF libraries are
// either Windows-only or unpackaged). Text advances are measured with the same free faces the
// other file formats use, so a reader without those faces still places every character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/canvas.h"

namespace orvel {

// EMF record types the writer emits (and the only ones a graph file holds).
namespace emf {
inline constexpr std::uint32_t kHeader = 1;
inline constexpr std::uint32_t kEof = 14;
inline constexpr std::uint32_t kSetPixelV = 15;
inline constexpr std::uint32_t kSetBkMode = 18;
inline constexpr std::uint32_t kSetTextAlign = 22;
inline constexpr std::uint32_t kSetTextColor = 24;
inline constexpr std::uint32_t kMoveToEx = 27;
inline constexpr std::uint32_t kIntersectClipRect = 30;
inline constexpr std::uint32_t kSaveDC = 33;
inline constexpr std::uint32_t kRestoreDC = 34;
inline constexpr std::uint32_t kSelectObject = 37;
inline constexpr std::uint32_t kCreatePen = 38;
inline constexpr std::uint32_t kCreateBrushIndirect = 39;
inline constexpr std::uint32_t kDeleteObject = 40;
inline constexpr std::uint32_t kEllipse = 42;
inline constexpr std::uint32_t kRectangle = 43;
inline constexpr std::uint32_t kLineTo = 54;
inline constexpr std::uint32_t kExtCreateFontIndirectW = 82;
inline constexpr std::uint32_t kExtTextOutW = 84;
}  // namespace emf

class EmfCanvas : public Canvas {
 public:
  // A metafile of width x height device pixels; the four corner pixels are set black so a
  // reader takes exactly these bounds.
  EmfCanvas(double width, double height);
  // The finished file's bytes (header, records, end-of-file record).
  std::string Finish();

  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetPen(const Pen& pen) override;
  void SetBrush(const Brush& brush) override;
  void SetFont(const FontChoice& font) override;
  FontMetrics Metrics() const override { return metrics_; }
  void DrawLine(double x1, double y1, double x2, double y2) override;
  void DrawRect(const Rect& rect) override;
  void DrawEllipse(const Rect& rect) override;
  void FillRect(const Rect& rect, Color color) override;
  void DrawText(double x, double y, std::string_view text, TextAlign align) override;
  void SetClip(const Rect& rect) override;
  void ClearClip() override;

 private:
  void Begin(std::uint32_t type);
  void Put32(std::uint32_t v);
  void PutI32(double v);
  void End();
  void SelectReplacing(int slot, int old);
  void SelectPen();
  void SelectBrush();
  void SelectFont();

  double width_, height_;
  std::string body_;
  std::size_t record_start_ = 0;
  std::uint32_t records_ = 0;
  Pen pen_;
  Brush brush_;
  FontChoice font_;
  FontMetrics metrics_;
  bool pen_dirty_ = true, brush_dirty_ = true, font_dirty_ = true;
  // Two handle slots for each kind of object: the new one is made in the free slot,
  // selected, and then the old one is deleted.
  int pen_slot_ = 0, brush_slot_ = 0, font_slot_ = 0;
  bool finished_ = false;
  bool clipped_ = false;  // a SetClip saved the state its ClearClip restores
};

}  // namespace orvel
