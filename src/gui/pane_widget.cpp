#include "gui/pane_widget.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cstdlib>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/twoway_grid.h"
#include "gui/qt_canvas.h"

namespace orvel::gui {

namespace {
bool HasScrollBars(DisplayKind mode) {
  return mode == DisplayKind::kDataSheet || mode == DisplayKind::kResult || mode == DisplayKind::kTwowayGrid;
}

}  // namespace

PaneWidget::PaneWidget(CORVELView& view, QWidget* parent)
    : QAbstractScrollArea(parent), view_(view), doc_(view.Doc()) {
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
    bar->setRange(0, 100);
    bar->setSingleStep(1);
    bar->setPageStep(10);
  }
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
          [this](int v) { ScrollBarMoved(Qt::Horizontal, v); });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this](int v) { ScrollBarMoved(Qt::Vertical, v); });
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  // Moves without a button pressed change the pointer over column borders.
  viewport()->setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  SyncScrollBars();
}

double PaneWidget::ResultLineHeight() const {
  return QFontMetricsF(QtCanvas::ToQFont(ResultFont()), viewport()).height();
}

QImage PaneWidget::Render(const QSize& size) {
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  // The image measures fonts as the window does, so the line heights the view scrolls by are
  // the ones drawn.
  image.setDotsPerMeterX(qRound(viewport()->logicalDpiX() / 0.0254));
  image.setDotsPerMeterY(qRound(viewport()->logicalDpiY() / 0.0254));
  image.fill(Qt::white);
  QPainter painter(&image);
  {
    QtCanvas canvas(painter, image.width(), image.height());
    switch (doc_.DisplayMode) {
      case DisplayKind::kDataSheet:
        DrawSheetPane(canvas, doc_);
        // A column border being dragged follows the pointer.
        if (view_.SheetEditing.drag == SheetDragMode::kColumnBorder) {
          canvas.SetPen({colors::kBlack, 1});
          canvas.DrawLine(view_.SheetEditing.pointer_x, 0, view_.SheetEditing.pointer_x, canvas.Height());
        }
        break;
      case DisplayKind::kResult: DrawResultPane(canvas, doc_, &line_index_); break;
      case DisplayKind::kTwowayGrid: DrawTwowayGridPane(canvas, doc_); break;
      default: view_.DrawGraphPane(canvas); break;
    }
  }
  painter.end();
  return image;
}

void PaneWidget::Refresh() {
  line_index_.Invalidate();
  SyncScrollBars();
  viewport()->update();
}

void PaneWidget::paintEvent(QPaintEvent*) {
  SyncScrollBars();
  const QImage image = Render(viewport()->size());
  QPainter painter(viewport());
  painter.drawImage(0, 0, image);
}

void PaneWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  viewport()->update();
}

void PaneWidget::SyncScrollBars() {
  const DisplayKind mode = doc_.DisplayMode;
  const Qt::ScrollBarPolicy policy = HasScrollBars(mode) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (horizontalScrollBarPolicy() != policy) setHorizontalScrollBarPolicy(policy);
  if (verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
  int x = 0, y = 0;
  if (mode == DisplayKind::kDataSheet) {
    x = ScrollBarPosition(doc_.Scroll.sheet_x, kSheetScrollRangeX);
    y = ScrollBarPosition(doc_.Scroll.sheet_y, kSheetScrollRangeY);
  } else if (mode == DisplayKind::kResult) {
    x = ScrollBarPosition(doc_.Scroll.result_x, kResultScrollRangeX);
    y = ScrollBarPosition(doc_.Scroll.result_y, kResultScrollRangeY);
  } else if (mode == DisplayKind::kTwowayGrid) {
    x = ScrollBarPosition(doc_.Scroll.graph_x, kTwowayScrollRangeX);
    y = ScrollBarPosition(doc_.Scroll.graph_y, kTwowayScrollRangeY);
  }
  syncing_ = true;
  horizontalScrollBar()->setValue(x);
  verticalScrollBar()->setValue(y);
  syncing_ = false;
}

void PaneWidget::ScrollBarMoved(Qt::Orientation orientation, int position) {
  if (syncing_ || !InputAllowed()) return;
  const bool across = orientation == Qt::Horizontal;
  if (doc_.DisplayMode == DisplayKind::kDataSheet) {
    (across ? doc_.Scroll.sheet_x : doc_.Scroll.sheet_y) =
        ScrollOffsetForPosition(position, across ? kSheetScrollRangeX : kSheetScrollRangeY);
  } else if (doc_.DisplayMode == DisplayKind::kResult) {
    (across ? doc_.Scroll.result_x : doc_.Scroll.result_y) =
        ScrollOffsetForPosition(position, across ? kResultScrollRangeX : kResultScrollRangeY);
  } else if (doc_.DisplayMode == DisplayKind::kTwowayGrid) {
    (across ? doc_.Scroll.graph_x : doc_.Scroll.graph_y) =
        ScrollOffsetForPosition(position, across ? kTwowayScrollRangeX : kTwowayScrollRangeY);
  } else {
    return;
  }
  viewport()->update();
}

void PaneWidget::Handled() {
  Refresh();
  if (input_handled) input_handled();
}

bool PaneWidget::SheetKeyDown(const QKeyEvent& event) {
  const bool shift = event.modifiers() & Qt::ShiftModifier;
  const bool ctrl = event.modifiers() & Qt::ControlModifier;
  SheetKey key;
  switch (event.key()) {
    case Qt::Key_Left: key = SheetKey::kLeft; break;
    case Qt::Key_Right: key = SheetKey::kRight; break;
    case Qt::Key_Up: key = SheetKey::kUp; break;
    case Qt::Key_Down: key = SheetKey::kDown; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: key = SheetKey::kEnter; break;
    case Qt::Key_PageUp: key = SheetKey::kPageUp; break;
    case Qt::Key_PageDown: key = SheetKey::kPageDown; break;
    case Qt::Key_Home: key = SheetKey::kHome; break;
    case Qt::Key_Backspace: key = SheetKey::kBackspace; break;
    default: {
      // A typed character; Ctrl combinations are commands, not text (Alt never gets here).
      if (ctrl) return false;
      const QList<uint> chars = event.text().toUcs4();
      bool typed = false;
      for (uint c : chars) {
        if (c < 0x20 || c == 0x7F) continue;
        view_.OnSheetChar(static_cast<char32_t>(c));
        typed = true;
      }
      return typed;
    }
  }
  view_.OnSheetKeyDown(key, shift, ctrl);
  return true;
}

void PaneWidget::keyPressEvent(QKeyEvent* event) {
  // Keys go to the view only (the scroll area's own arrow and page keys are not used). Alt
  // combinations belong to the menus and the accelerators: Alt+Backspace is Undo, which has
  // nothing to undo, not a Backspace on the cell.
  event->ignore();
  if (!InputAllowed() || (event->modifiers() & Qt::AltModifier)) return;
  using Key = CORVELView::ResultPaneKey;
  bool handled = false;
  if (doc_.DisplayMode == DisplayKind::kDataSheet) {
    handled = SheetKeyDown(*event);
  } else if (doc_.DisplayMode == DisplayKind::kResult) {
    handled = true;
    switch (event->key()) {
      case Qt::Key_PageUp: view_.OnResultKeyDown(Key::kPageUp); break;
      case Qt::Key_PageDown: view_.OnResultKeyDown(Key::kPageDown); break;
      case Qt::Key_Home: view_.OnResultKeyDown(Key::kHome); break;
      case Qt::Key_Left: view_.OnResultKeyDown(Key::kLeft); break;
      case Qt::Key_Right: view_.OnResultKeyDown(Key::kRight); break;
      case Qt::Key_Up: view_.OnResultKeyDown(Key::kUp); break;
      case Qt::Key_Down: view_.OnResultKeyDown(Key::kDown); break;
      default: handled = false; break;
    }
  } else if (doc_.DisplayMode == DisplayKind::kTwowayGrid) {
    using GridKey = CORVELView::TwowayGridKey;
    handled = true;
    switch (event->key()) {
      case Qt::Key_PageUp: view_.OnTwowayGridKeyDown(GridKey::kPageUp); break;
      case Qt::Key_PageDown: view_.OnTwowayGridKeyDown(GridKey::kPageDown); break;
      case Qt::Key_Home: view_.OnTwowayGridKeyDown(GridKey::kHome); break;
      case Qt::Key_Left: view_.OnTwowayGridKeyDown(GridKey::kLeft); break;
      case Qt::Key_Right: view_.OnTwowayGridKeyDown(GridKey::kRight); break;
      case Qt::Key_Up: view_.OnTwowayGridKeyDown(GridKey::kUp); break;
      case Qt::Key_Down: view_.OnTwowayGridKeyDown(GridKey::kDown); break;
      default: handled = false; break;
    }
  }
  if (!handled) return;
  event->accept();
  Handled();
}

bool PaneWidget::SheetMouse(const QMouseEvent& event) const {
  return doc_.DisplayMode == DisplayKind::kDataSheet && InputAllowed() &&
         (event.button() == Qt::LeftButton || (event.buttons() & Qt::LeftButton) || event.button() == Qt::NoButton);
}

void PaneWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && doc_.DisplayMode == DisplayKind::kTwowayGrid && InputAllowed()) {
    // The twoway grid: a press sets the data of the part under it.
    const QPoint p = event->position().toPoint();
    view_.OnTwowayGridClick(p.x(), p.y());
    Handled();
    return;
  }
  if (event->button() != Qt::LeftButton || !SheetMouse(*event)) return;
  const QPoint p = event->position().toPoint();
  view_.OnSheetMouseDown(p.x(), p.y());
  Handled();
}

void PaneWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!SheetMouse(*event)) return;
  const QPoint p = event->position().toPoint();
  view_.OnSheetMouseMove(p.x(), p.y());
}

void PaneWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !SheetMouse(*event)) return;
  const QPoint p = event->position().toPoint();
  view_.OnSheetMouseUp(p.x(), p.y());
  Handled();
}

void PaneWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // A graph on display opens its settings sheet again.
  const DisplayKind mode = doc_.DisplayMode;
  if (event->button() == Qt::LeftButton && InputAllowed() && !HasScrollBars(mode)) {
    view_.OnEditGraph();
    Handled();
    return;
  }
  if (event->button() != Qt::LeftButton || !SheetMouse(*event)) return;
  const QPoint p = event->position().toPoint();
  view_.OnSheetBorderDoubleClick(p.x(), p.y());
  Handled();
}

void PaneWidget::wheelEvent(QWheelEvent* event) {
  if (!InputAllowed()) return;
  const int notches = event->angleDelta().y() / 120;
  if (notches == 0) return;
  if (doc_.DisplayMode == DisplayKind::kResult) {
    using Key = CORVELView::ResultPaneKey;
    for (int i = 0; i < std::abs(notches); ++i) view_.OnResultKeyDown(notches > 0 ? Key::kUp : Key::kDown);
  } else if (doc_.DisplayMode == DisplayKind::kTwowayGrid) {
    using GridKey = CORVELView::TwowayGridKey;
    for (int i = 0; i < std::abs(notches); ++i) view_.OnTwowayGridKeyDown(notches > 0 ? GridKey::kUp : GridKey::kDown);
    Refresh();
  } else if (doc_.DisplayMode == DisplayKind::kDataSheet) {
    // Three rows a notch, never above the top; the wheel is not recorded in macros.
    doc_.Scroll.sheet_y = std::clamp(doc_.Scroll.sheet_y - notches * 60.0, 0.0, 20.0 * (doc_.RowCount() - 1));
    Refresh();
  }
  if (input_handled) input_handled();
}

}  // namespace orvel::gui
