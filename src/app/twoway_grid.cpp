#include "app/twoway_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/orvel_view.h"
#include "app/pane_drawing.h"

namespace orvel {

TwowayGridHit TwowayGridHitTest(double x, double y, double scroll_x, double scroll_y) {
  // The band with the key prompt lies over whatever is scrolled beneath it.
  if (y < kResultBandHeight) return {};
  const double gx = x + scroll_x - kTwowayGridLeft;
  const double gy = y + scroll_y - kTwowayGridTop;
  if (gx < 0 || gy < 0) return {};
  // Computed in doubles: nothing beyond level 25 or 10 is turned into an int.
  const double b = std::floor(gx / kTwowayCellWidth);
  const double a = std::floor(gy / kTwowayCellHeight);
  if (b > kTwowayBLevels || a > kTwowayALevels) return {};
  const int ai = static_cast<int>(a), bi = static_cast<int>(b);
  if (ai == 0 && bi == 0) return {};  // the corner names no level
  if (ai == 0) return {TwowayGridHit::kLabelB, 0, bi};
  if (bi == 0) return {TwowayGridHit::kLabelA, ai, 0};
  return {TwowayGridHit::kCell, ai, bi};
}

Rect TwowayGridPart(int a, int b, double scroll_x, double scroll_y) {
  const double left = kTwowayGridLeft + kTwowayCellWidth * b - scroll_x;
  const double top = kTwowayGridTop + kTwowayCellHeight * a - scroll_y;
  return {left, top, left + kTwowayCellWidth, top + kTwowayCellHeight};
}

DialogSchema DataSelectionDialog::Schema() {
  DialogSchema s;
  s.prompt = kPrompt;
  ColumnPicker list;
  list.picker = ColumnPicker::Picker::kList;
  list.format = ColumnEntryFormat::kCol2;
  list.first_column = 0;  // "None"
  list.accept_on_double_click = true;
  s.Column("column", "", column, 0, kLastColumn, list, "Select \"None\" or one of the columns.");
  return s;
}

DialogSchema LabelNameDialog::Schema() {
  DialogSchema s;
  s.prompt = kPrompt;
  s.Text("label", "", label, 0, "\"\r\n", kBadLabel).keep_blanks = true;
  return s;
}

// ---- Drawing -------------------------------------------------------------------------------------

void DrawTwowayGridPane(Canvas& canvas, const CORVELDoc& doc) {
  const double width = canvas.Width(), height = canvas.Height();
  const double sx = doc.Scroll.graph_x, sy = doc.Scroll.graph_y;
  canvas.SetFont(SheetFont());
  const FontMetrics metrics = canvas.Metrics();
  const double line = metrics.height > 0 ? metrics.height : 1;
  const Rect visible{0, kResultBandHeight, width, height};

  for (int a = 0; a <= kTwowayALevels; ++a) {
    for (int b = 0; b <= kTwowayBLevels; ++b) {
      if (a == 0 && b == 0) continue;  // the corner names no level
      const Rect part = TwowayGridPart(a, b, sx, sy);
      if (part.right <= visible.left || part.left >= visible.right || part.bottom <= visible.top ||
          part.top >= visible.bottom)
        continue;
      const Rect shown{std::max(part.left, visible.left), std::max(part.top, visible.top),
                       std::min(part.right, visible.right), std::min(part.bottom, visible.bottom)};
      const bool is_label = a == 0 || b == 0;
      if (is_label) canvas.FillRect(shown, colors::kHeader);
      canvas.SetClip(shown);
      canvas.SetPen({colors::kGrid, 1});
      canvas.SetBrush({colors::kWhite, true});
      canvas.DrawRect(part);
      canvas.SetPen({colors::kBlack, 1});
      const double centre = (part.left + part.right) / 2;
      if (is_label) {
        const std::string& label = a == 0 ? doc.TwowayLabelB(b) : doc.TwowayLabelA(a);
        if (!label.empty())
          canvas.DrawText(centre, part.top + (kTwowayCellHeight - line) / 2, label, TextAlign::kCenter);
      } else if (const int c = doc.TwowayGridCell(a, b); c != 0) {
        // The column's number, and under it its name when it has one.
        char number[24];
        std::snprintf(number, sizeof number, "Col%2d", c);
        const std::string_view name = doc.Text(c, 0);
        const double lines = name.empty() ? 1 : 2;
        const double top = part.top + (kTwowayCellHeight - lines * line) / 2;
        canvas.DrawText(centre, top, number, TextAlign::kCenter);
        if (!name.empty()) canvas.DrawText(centre, top + line, name, TextAlign::kCenter);
      }
      canvas.ClearClip();
    }
  }

  canvas.FillRect({0, 0, width, kResultBandHeight}, colors::kHeader);
  canvas.SetPen({colors::kBlack, 1});
  canvas.DrawText(10, (kResultBandHeight - line) / 2, kTwowayBandPrompt);
}

// ---- The view's handlers ---------------------------------------------------------------------

void CORVELView::OnTwowayGridClick(int x, int y) {
  if (doc_.DisplayMode != DisplayKind::kTwowayGrid) return;
  const TwowayGridHit hit = TwowayGridHitTest(x, y, doc_.Scroll.graph_x, doc_.Scroll.graph_y);
  switch (hit.kind) {
    case TwowayGridHit::kOutside:
      port_.ShowMessage(kFreeTitle, kTwowayClickRefusal);
      return;
    case TwowayGridHit::kCell: {
      DataSelectionDialog dialog;
      const int preset = doc_.TwowayGridCell(hit.a_level, hit.b_level);
      // A macro may have put a number there that names no column: it shows as "None".
      dialog.column = preset >= 0 && preset <= kLastColumn ? preset : 0;
      if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;
      ApplyTwowayGridCell(hit.a_level, hit.b_level, dialog.column);
      break;
    }
    case TwowayGridHit::kLabelA:
    case TwowayGridHit::kLabelB: {
      const bool is_a = hit.kind == TwowayGridHit::kLabelA;
      LabelNameDialog dialog;
      dialog.label = is_a ? doc_.TwowayLabelA(hit.a_level) : doc_.TwowayLabelB(hit.b_level);
      if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;
      if (is_a) ApplyTwowayLabelA(hit.a_level, dialog.label);
      else ApplyTwowayLabelB(hit.b_level, dialog.label);
      break;
    }
  }
  port_.Repaint();
}

void CORVELView::OnTwowayGridKeyDown(TwowayGridKey key) {
  if (doc_.DisplayMode != DisplayKind::kTwowayGrid) return;
  double& x = doc_.Scroll.graph_x;
  double& y = doc_.Scroll.graph_y;
  switch (key) {
    case TwowayGridKey::kLeft: x -= kTwowayCellWidth; break;
    case TwowayGridKey::kRight: x += kTwowayCellWidth; break;
    case TwowayGridKey::kUp: y -= kTwowayCellHeight; break;
    case TwowayGridKey::kDown: y += kTwowayCellHeight; break;
    case TwowayGridKey::kPageUp: y -= port_.ClientHeight(); break;
    case TwowayGridKey::kPageDown: y += port_.ClientHeight(); break;
    case TwowayGridKey::kHome: x = y = 0; break;
  }
  x = std::clamp(x, 0.0, kTwowayScrollRangeX);
  y = std::clamp(y, 0.0, kTwowayScrollRangeY);
  port_.Repaint();
}

}  // namespace orvel
