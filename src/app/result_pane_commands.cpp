// Keys in the result pane: scrolling only.
#include <algorithm>

#include "app/orvel_view.h"

namespace orvel {

namespace {
constexpr double kHorizontalStep = 86;
}  // namespace

void CORVELView::OnResultKeyDown(ResultPaneKey key) {
  const double line = port_.ResultLineHeight();
  double& x = doc_.Scroll.result_x;
  double& y = doc_.Scroll.result_y;
  switch (key) {
    case ResultPaneKey::kPageUp: y -= port_.ClientHeight(); break;
    case ResultPaneKey::kPageDown: y += port_.ClientHeight(); break;
    case ResultPaneKey::kHome: x = y = 0; break;
    case ResultPaneKey::kLeft: x -= kHorizontalStep; break;
    case ResultPaneKey::kRight: x += kHorizontalStep; break;
    case ResultPaneKey::kUp: y -= 2 * line; break;
    case ResultPaneKey::kDown: y += 2 * line; break;
  }
  // Scrolling down stops with the last line at the top of the pane.
  y = std::clamp(y, 0.0, std::max(0.0, line * doc_.ResultLineCount()));
  x = std::max(0.0, x);
  port_.Repaint();
}

}  // namespace orvel
