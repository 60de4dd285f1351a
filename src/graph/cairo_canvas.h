// Graph files: a canvas over cairo that writes SVG, PDF or PNG from the same drawing calls the
// screen gets, so the desktop program and the batch runner write identical files. Text is set
// in the free faces that stand in for "Century" (C059) and "Arial" (Liberation Sans), found
// through fontconfig; SVG carries the glyph outlines and PDF embeds the fonts, so a file looks
// the same on a machine without those faces.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/canvas.h"
#include "sheet/atomic_file.h"

namespace orvel {

enum class GraphFileFormat { kSvg, kPdf, kPng, kEmf, kUnknown };

// The format named by a path's extension (case-insensitive): .svg, .pdf, .png, .emf.
GraphFileFormat GraphFileFormatOfPath(std::string_view path);

// Registers, once, the release of cairo's font caches at exit (they hold fontconfig patterns
// that leak checkers would report). Called by everything that uses cairo.
void ReleaseCairoCachesAtExit();

// The family a graph font name is drawn with.
const char* GraphFontFace(std::string_view family);

class CairoCanvas : public Canvas {
 public:
  // A surface of the format (SVG, PDF or PNG) and size; the bytes come from Finish().
  CairoCanvas(GraphFileFormat format, double width, double height);
  ~CairoCanvas() override;
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  // Ends the drawing and returns the file's bytes; empty when the surface failed.
  std::string Finish();

  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetPen(const Pen& pen) override { pen_ = pen; }
  void SetBrush(const Brush& brush) override { brush_ = brush; }
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
  struct State;
  std::unique_ptr<State> state_;
  GraphFileFormat format_;
  double width_, height_;
  Pen pen_;
  Brush brush_;
  FontMetrics metrics_;
  double ascent_ = 0;
};

// Draws a graph with `draw` onto a 600 x 450 file canvas of the path's format (the enhanced
// metafile by EmfCanvas, the others by cairo) and writes it
// atomically. An unknown extension or a failed surface leaves any existing file as it was.
FileOutcome SaveGraphFile(const std::string& path, const std::function<void(Canvas&)>& draw);

}  // namespace orvel
