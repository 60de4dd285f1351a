#include "graph/cairo_canvas.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <mutex>

#include "graph/emf_canvas.h"
#include "graph/graph_common.h"

namespace orvel {

GraphFileFormat GraphFileFormatOfPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.find_last_of('/');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
    return GraphFileFormat::kUnknown;
  std::string ext(path.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "svg") return GraphFileFormat::kSvg;
  if (ext == "pdf") return GraphFileFormat::kPdf;
  if (ext == "png") return GraphFileFormat::kPng;
  if (ext == "emf") return GraphFileFormat::kEmf;
  return GraphFileFormat::kUnknown;
}

void ReleaseCairoCachesAtExit() {
  static std::once_flag once;
  // Runs after every cairo object is gone: thread-local and static canvases are destroyed
  // before the functions registered with atexit at their first use.
  std::call_once(once, [] { std::atexit([] { cairo_debug_reset_static_data(); }); });
}

const char* GraphFontFace(std::string_view family) {
  // Metric-compatible free faces, the same the desktop program substitutes.
  if (family == "Century") return "C059";
  if (family == "Arial") return "Liberation Sans";
  if (family == "ＭＳ ゴシック") return "IPAGothic";  // the scatter-plot matrix's Japanese gothic
  return "Liberation Sans";
}

struct CairoCanvas::State {
  std::string bytes;
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;
  bool finished = false;
};

namespace {

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

void SetColor(cairo_t* cr, Color c) { cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0); }

}  // namespace

CairoCanvas::CairoCanvas(GraphFileFormat format, double width, double height)
    : state_(std::make_unique<State>()), format_(format), width_(width), height_(height) {
  ReleaseCairoCachesAtExit();
  switch (format) {
    case GraphFileFormat::kSvg:
      state_->surface = cairo_svg_surface_create_for_stream(AppendBytes, &state_->bytes, width, height);
      break;
    case GraphFileFormat::kPdf:
      state_->surface = cairo_pdf_surface_create_for_stream(AppendBytes, &state_->bytes, width, height);
      break;
    default:
      state_->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(std::ceil(width)),
                                                   static_cast<int>(std::ceil(height)));
      break;
  }
  state_->cr = cairo_create(state_->surface);
  // A white page: the image surface starts black, and viewers show a vector file's
  // transparency in their own colour.
  cairo_set_source_rgb(state_->cr, 1, 1, 1);
  cairo_paint(state_->cr);
  SetFont(FontChoice{});
}

CairoCanvas::~CairoCanvas() {
  if (state_->cr) cairo_destroy(state_->cr);
  if (state_->surface) cairo_surface_destroy(state_->surface);
}

std::string CairoCanvas::Finish() {
  if (state_->finished) return state_->bytes;
  state_->finished = true;
  const bool ok = cairo_status(state_->cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(state_->cr);
  state_->cr = nullptr;
  if (format_ == GraphFileFormat::kPng) {
    if (ok) cairo_surface_write_to_png_stream(state_->surface, AppendBytes, &state_->bytes);
  } else {
    cairo_surface_finish(state_->surface);  // flushes the vector file into the stream
  }
  const bool surface_ok = cairo_surface_status(state_->surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(state_->surface);
  state_->surface = nullptr;
  if (!ok || !surface_ok) state_->bytes.clear();
  return state_->bytes;
}

void CairoCanvas::SetFont(const FontChoice& font) {
  if (!state_->cr) return;
  cairo_t* cr = state_->cr;
  cairo_select_font_face(cr, GraphFontFace(font.family), CAIRO_FONT_SLANT_NORMAL,
                         font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  // One point is one unit: the file layout measures lines as the point size.
  cairo_set_font_size(cr, std::max(font.point_size, 1.0));
  cairo_font_extents_t fe;
  cairo_font_extents(cr, &fe);
  cairo_text_extents_t te;
  static constexpr const char* kSample = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  cairo_text_extents(cr, kSample, &te);
  metrics_.height = fe.height;
  metrics_.average_char_width = te.x_advance / 52;
  ascent_ = fe.ascent;
}

void CairoCanvas::DrawLine(double x1, double y1, double x2, double y2) {
  if (!state_->cr) return;
  cairo_t* cr = state_->cr;
  SetColor(cr, pen_.color);
  cairo_set_line_width(cr, std::max(pen_.width, 1));
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  cairo_stroke(cr);
}

void CairoCanvas::DrawRect(const Rect& r) {
  if (!state_->cr) return;
  cairo_t* cr = state_->cr;
  // Filled and outlined in one colour (the markers as a rule): one fill of the outline's outer
  // edge looks the same and costs half.
  if (!brush_.hollow && brush_.color == pen_.color) {
    const double h = std::max(pen_.width, 1) / 2.0;
    cairo_rectangle(cr, r.left - h, r.top - h, r.Width() + 2 * h, r.Height() + 2 * h);
    SetColor(cr, brush_.color);
    cairo_fill(cr);
    return;
  }
  cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
  if (!brush_.hollow) {
    SetColor(cr, brush_.color);
    cairo_fill_preserve(cr);
  }
  SetColor(cr, pen_.color);
  cairo_set_line_width(cr, std::max(pen_.width, 1));
  cairo_stroke(cr);
}

void CairoCanvas::DrawEllipse(const Rect& r) {
  if (!state_->cr) return;
  cairo_t* cr = state_->cr;
  const double rx = std::fabs(r.Width()) / 2, ry = std::fabs(r.Height()) / 2;
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);  // the path keeps its shape; the pen is not stretched
  if (!brush_.hollow) {
    SetColor(cr, brush_.color);
    cairo_fill_preserve(cr);
  }
  SetColor(cr, pen_.color);
  cairo_set_line_width(cr, std::max(pen_.width, 1));
  cairo_stroke(cr);
}

void CairoCanvas::FillRect(const Rect& r, Color color) {
  if (!state_->cr) return;
  SetColor(state_->cr, color);
  cairo_rectangle(state_->cr, r.left, r.top, r.Width(), r.Height());
  cairo_fill(state_->cr);
}

void CairoCanvas::DrawText(double x, double y, std::string_view text, TextAlign align) {
  if (!state_->cr || text.empty()) return;
  cairo_t* cr = state_->cr;
  const std::string s(text);
  double left = x;
  if (align != TextAlign::kLeft) {
    cairo_text_extents_t te;
    cairo_text_extents(cr, s.c_str(), &te);
    left = align == TextAlign::kCenter ? x - te.x_advance / 2 : x - te.x_advance;
  }
  SetColor(cr, pen_.color);
  cairo_move_to(cr, left, y + ascent_);
  cairo_show_text(cr, s.c_str());
  cairo_new_path(cr);
}

void CairoCanvas::SetClip(const Rect& r) {
  if (!state_->cr) return;
  cairo_reset_clip(state_->cr);
  cairo_rectangle(state_->cr, r.left, r.top, r.Width(), r.Height());
  cairo_clip(state_->cr);
}

void CairoCanvas::ClearClip() {
  if (state_->cr) cairo_reset_clip(state_->cr);
}

FileOutcome SaveGraphFile(const std::string& path, const std::function<void(Canvas&)>& draw) {
  const GraphFileFormat format = GraphFileFormatOfPath(path);
  std::string bytes;
  if (format == GraphFileFormat::kSvg || format == GraphFileFormat::kPdf || format == GraphFileFormat::kPng) {
    CairoCanvas canvas(format, kGraphFileWidth, kGraphFileHeight);
    draw(canvas);
    bytes = canvas.Finish();
  } else if (format == GraphFileFormat::kEmf) {
    EmfCanvas canvas(kGraphFileWidth, kGraphFileHeight);
    draw(canvas);
    bytes = canvas.Finish();
  } else {
    return Failure("The graph cannot be saved as " + FileNameForMessage(path) +
                   ". Choose a name ending in .emf, .svg, .pdf or .png.");
  }
  if (bytes.empty()) return Failure("The graph could not be drawn into " + FileNameForMessage(path) + ".");
  return WriteFileAtomically(path, bytes);
}

}  // namespace orvel

#if defined(__SANITIZE_ADDRESS__)
// Fontconfig keeps a few hundred bytes of its font matching unreachable for the life of the
// process (not ours to free, and freeing fontconfig at exit would pull it from under a Qt
// front end still tearing down). Leak checks of the sanitizer builds skip that library only.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
// Quietly: a program's standard error is part of what its tests compare.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif
