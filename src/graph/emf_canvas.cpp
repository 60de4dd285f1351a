#include "graph/emf_canvas.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "graph/cairo_canvas.h"

namespace orvel {

namespace {

// Device size of the reference the header describes: 1024 x 768 pixels on 320 x 240 mm.
constexpr int kDevicePixelsX = 1024, kDevicePixelsY = 768;
constexpr int kDeviceMillimetersX = 320, kDeviceMillimetersY = 240;
constexpr std::uint32_t kStockNullPen = 0x80000008;

std::uint32_t ColorRef(Color c) {
  return std::uint32_t(c.r) | (std::uint32_t(c.g) << 8) | (std::uint32_t(c.b) << 16);
}

// UTF-8 to UTF-16 code units; a malformed byte becomes U+FFFD.
std::vector<std::uint16_t> Utf16(std::string_view s, std::vector<std::string>* chars) {
  std::vector<std::uint16_t> out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    char32_t cp = 0xFFFD;
    if (len == 0 || i + len > s.size()) {
      len = 1;
    } else {
      cp = len == 1 ? c : c & (0x7F >> len);
      for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    if (chars) chars->push_back(cp == 0xFFFD && len == 1 && c >= 0x80 ? std::string("?") : std::string(s.substr(i, len)));
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<std::uint16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<std::uint16_t>(0xDC00 + (cp & 0x3FF)));
      if (chars) chars->push_back(std::string());  // the low surrogate advances by nothing
    } else {
      out.push_back(static_cast<std::uint16_t>(cp));
    }
    i += len;
  }
  return out;
}

// Measures text in the face the graph files use, on a scratch surface.
class FontMeasure {
 public:
  FontMeasure() : surface_(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1)), cr_(cairo_create(surface_)) {
    ReleaseCairoCachesAtExit();
  }
  ~FontMeasure() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  FontMeasure(const FontMeasure&) = delete;
  FontMeasure& operator=(const FontMeasure&) = delete;
  void Use(const FontChoice& f) {
    cairo_select_font_face(cr_, GraphFontFace(f.family), CAIRO_FONT_SLANT_NORMAL,
                           f.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, std::max(f.point_size, 1.0));
  }
  FontMetrics Metrics() {
    cairo_font_extents_t fe;
    cairo_font_extents(cr_, &fe);
    cairo_text_extents_t te;
    cairo_text_extents(cr_, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", &te);
    return {fe.height, te.x_advance / 52};
  }
  double Advance(const std::string& s) {
    if (s.empty()) return 0;
    cairo_text_extents_t te;
    cairo_text_extents(cr_, s.c_str(), &te);
    return te.x_advance;
  }

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

FontMeasure& Measure() {
  thread_local FontMeasure measure;
  return measure;
}

}  // namespace

EmfCanvas::EmfCanvas(double width, double height) : width_(width), height_(height) {
  Measure().Use(font_);
  metrics_ = Measure().Metrics();
  // The four bound pixels.
  for (const auto& [x, y] : {std::pair{0.0, 0.0}, {width, 0.0}, {width, height}, {0.0, height}}) {
    Begin(emf::kSetPixelV);
    PutI32(x), PutI32(y), Put32(ColorRef(colors::kBlack));
    End();
  }
  Begin(emf::kSetBkMode);
  Put32(1);  // transparent: text draws no background box
  End();
}

void EmfCanvas::Begin(std::uint32_t type) {
  record_start_ = body_.size();
  Put32(type);
  Put32(0);  // size, filled by End()
}

void EmfCanvas::Put32(std::uint32_t v) {
  for (int k = 0; k < 4; ++k) body_.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
}

void EmfCanvas::PutI32(double v) {
  const double clamped = std::isfinite(v) ? std::clamp(v, -1e8, 1e8) : 0;
  Put32(static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(clamped))));
}

void EmfCanvas::End() {
  while (body_.size() % 4) body_.push_back('\0');
  const std::uint32_t size = static_cast<std::uint32_t>(body_.size() - record_start_);
  for (int k = 0; k < 4; ++k) body_[record_start_ + 4 + k] = static_cast<char>((size >> (8 * k)) & 0xFF);
  ++records_;
}

void EmfCanvas::SetPen(const Pen& pen) {
  if (pen == pen_) return;
  pen_ = pen;
  pen_dirty_ = true;
}

void EmfCanvas::SetBrush(const Brush& brush) {
  if (brush == brush_) return;
  brush_ = brush;
  brush_dirty_ = true;
}

void EmfCanvas::SetFont(const FontChoice& font) {
  Measure().Use(font);
  metrics_ = Measure().Metrics();
  if (font == font_) return;
  font_ = font;
  font_dirty_ = true;
}

// Handle slots: pens 1-2, brushes 3-4, fonts 5-6.
// Selects the object just created in `slot` and deletes the one it replaces (slot 0: none).
void EmfCanvas::SelectReplacing(int slot, int old) {
  Begin(emf::kSelectObject);
  Put32(static_cast<std::uint32_t>(slot));
  End();
  if (old) {
    Begin(emf::kDeleteObject);
    Put32(static_cast<std::uint32_t>(old));
    End();
  }
}

void EmfCanvas::SelectPen() {
  if (!pen_dirty_) return;
  const int old = pen_slot_, slot = old == 1 ? 2 : 1;
  Begin(emf::kCreatePen);
  Put32(static_cast<std::uint32_t>(slot));
  Put32(0);  // PS_SOLID
  PutI32(std::max(pen_.width, 1)), PutI32(0);
  Put32(ColorRef(pen_.color));
  End();
  SelectReplacing(slot, old);
  pen_slot_ = slot;
  pen_dirty_ = false;
}

void EmfCanvas::SelectBrush() {
  if (!brush_dirty_) return;
  const int old = brush_slot_, slot = old == 3 ? 4 : 3;
  Begin(emf::kCreateBrushIndirect);
  Put32(static_cast<std::uint32_t>(slot));
  Put32(brush_.hollow ? 1 : 0);  // BS_NULL or BS_SOLID
  Put32(ColorRef(brush_.color));
  Put32(0);
  End();
  SelectReplacing(slot, old);
  brush_slot_ = slot;
  brush_dirty_ = false;
}

void EmfCanvas::SelectFont() {
  if (!font_dirty_) return;
  const int old = font_slot_, slot = old == 5 ? 6 : 5;
  Begin(emf::kExtCreateFontIndirectW);
  Put32(static_cast<std::uint32_t>(slot));
  // LOGFONTW: the character height (negative: without internal leading) in units.
  PutI32(-std::max(font_.point_size, 1.0));
  Put32(0), Put32(0), Put32(0);
  Put32(font_.bold ? 700 : 400);
  Put32(0x00000000);  // italic, underline, strike-out, ANSI charset
  Put32(0x00000000 | (4u << 16));  // precision defaults, antialiased quality, default pitch
  const std::vector<std::uint16_t> face = Utf16(GraphFontFace(font_.family), nullptr);
  for (std::size_t i = 0; i < 32; ++i) {
    const std::uint16_t u = i < face.size() && i < 31 ? face[i] : 0;
    body_.push_back(static_cast<char>(u & 0xFF));
    body_.push_back(static_cast<char>(u >> 8));
  }
  End();
  SelectReplacing(slot, old);
  font_slot_ = slot;
  font_dirty_ = false;
}

void EmfCanvas::DrawLine(double x1, double y1, double x2, double y2) {
  SelectPen();
  Begin(emf::kMoveToEx);
  PutI32(x1), PutI32(y1);
  End();
  Begin(emf::kLineTo);
  PutI32(x2), PutI32(y2);
  End();
}

void EmfCanvas::DrawRect(const Rect& r) {
  SelectPen();
  SelectBrush();
  Begin(emf::kRectangle);
  PutI32(r.left), PutI32(r.top), PutI32(r.right), PutI32(r.bottom);
  End();
}

void EmfCanvas::DrawEllipse(const Rect& r) {
  SelectPen();
  SelectBrush();
  Begin(emf::kEllipse);
  PutI32(r.left), PutI32(r.top), PutI32(r.right), PutI32(r.bottom);
  End();
}

void EmfCanvas::FillRect(const Rect& r, Color color) {
  const Brush brush = brush_;
  SetBrush(Brush{color, false});
  SelectBrush();
  // Without an outline: the stock null pen, then the present pen again at the next draw.
  Begin(emf::kSelectObject);
  Put32(kStockNullPen);
  End();
  Begin(emf::kRectangle);
  // A rectangle drawn without a pen covers one pixel less on the right and at the bottom.
  PutI32(r.left), PutI32(r.top), PutI32(r.right + 1), PutI32(r.bottom + 1);
  End();
  if (pen_slot_) {
    Begin(emf::kSelectObject);
    Put32(static_cast<std::uint32_t>(pen_slot_));
    End();
  }
  SetBrush(brush);
}

void EmfCanvas::DrawText(double x, double y, std::string_view text, TextAlign align) {
  if (text.empty()) return;
  SelectFont();
  Begin(emf::kSetTextColor);
  Put32(ColorRef(pen_.color));
  End();
  Begin(emf::kSetTextAlign);
  Put32(align == TextAlign::kCenter ? 6u : align == TextAlign::kRight ? 2u : 0u);  // TA_TOP with the side
  End();
  std::vector<std::string> chars;
  const std::vector<std::uint16_t> units = Utf16(text, &chars);
  const std::uint32_t n = static_cast<std::uint32_t>(units.size());
  // Advances rounded from their running sum, so the rounding never accumulates.
  std::vector<std::uint32_t> dx;
  double sum = 0;
  long placed = 0;
  for (const std::string& c : chars) {
    sum += Measure().Advance(c);
    const long at = std::lround(sum);
    dx.push_back(static_cast<std::uint32_t>(std::max(0L, at - placed)));
    placed = at;
  }
  const std::uint32_t string_offset = 76;
  const std::uint32_t dx_offset = string_offset + ((2 * n + 3) / 4) * 4;
  Begin(emf::kExtTextOutW);
  PutI32(x), PutI32(y), PutI32(x + sum), PutI32(y + metrics_.height);  // bounds (advisory)
  Put32(1);  // GM_COMPATIBLE
  Put32(0), Put32(0);  // scales, unused in the compatible mode
  PutI32(x), PutI32(y);
  Put32(n);
  Put32(string_offset);
  Put32(0);  // no options: no clipping, no opaque box
  PutI32(0), PutI32(0), PutI32(-1), PutI32(-1);
  Put32(dx_offset);
  for (const std::uint16_t u : units) {
    body_.push_back(static_cast<char>(u & 0xFF));
    body_.push_back(static_cast<char>(u >> 8));
  }
  while ((body_.size() - record_start_) % 4) body_.push_back('\0');
  for (const std::uint32_t d : dx) Put32(d);
  End();
}

void EmfCanvas::SetClip(const Rect& r) {
  ClearClip();
  Begin(emf::kSaveDC);
  End();
  clipped_ = true;
  Begin(emf::kIntersectClipRect);
  PutI32(r.left), PutI32(r.top), PutI32(r.right), PutI32(r.bottom);
  End();
}

void EmfCanvas::ClearClip() {
  // Each SetClip saved the state before its clip; restoring it drops the clip. A restore also
  // brings back the objects selected then, so everything is selected afresh.
  if (!clipped_) return;
  clipped_ = false;
  Begin(emf::kRestoreDC);
  PutI32(-1);
  End();
  pen_dirty_ = brush_dirty_ = font_dirty_ = true;
}

std::string EmfCanvas::Finish() {
  if (!finished_) {
    Begin(emf::kEof);
    Put32(0), Put32(16), Put32(20);
    End();
    finished_ = true;
  }
  std::string head;
  auto put = [&head](std::uint32_t v) {
    for (int k = 0; k < 4; ++k) head.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
  };
  auto put_i = [&](double v) { put(static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(v)))); };
  constexpr std::uint32_t kHeaderSize = 108;
  put(emf::kHeader);
  put(kHeaderSize);
  put_i(0), put_i(0), put_i(width_), put_i(height_);  // bounds, inclusive, in pixels
  // The frame in 0.01 mm on the reference device.
  put_i(0), put_i(0), put_i(width_ * kDeviceMillimetersX * 100.0 / kDevicePixelsX),
      put_i(height_ * kDeviceMillimetersY * 100.0 / kDevicePixelsY);
  put(0x464D4520);  // " EMF"
  put(0x00010000);
  put(static_cast<std::uint32_t>(kHeaderSize + body_.size()));
  put(records_ + 1);
  put(7);  // handles: the six slots and the reserved 0
  put(0), put(0);  // no description
  put(0);  // no palette
  put(kDevicePixelsX), put(kDevicePixelsY);
  put(kDeviceMillimetersX), put(kDeviceMillimetersY);
  put(0), put(0), put(0);  // no pixel format, not OpenGL
  put(kDeviceMillimetersX * 1000), put(kDeviceMillimetersY * 1000);
  return head + body_;
}

}  // namespace orvel
