// The view's window: shows the pane of the document's display mode, drawn by the core on an
// off-screen image, with scroll bars showing the pane's offsets as percentages, and passes
// keys and the mouse to the view.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>

#include "app/orvel_view.h"
#include "app/pane_drawing.h"

namespace orvel::gui {

class PaneWidget : public QAbstractScrollArea {
 public:
  PaneWidget(CORVELView& view, QWidget* parent = nullptr);

  // The current pane drawn on a white image of the given size.
  QImage Render(const QSize& size);
  // After anything may have changed the document: scroll bars, the result's line index, paint.
  void Refresh();
  // Height of a line of the result pane's font on this screen.
  double ResultLineHeight() const;
  // Asked before any key or mouse input reaches the view; false holds it back.
  std::function<bool()> accepts_input;
  // Told after the view handled a key or mouse input.
  std::function<void()> input_handled;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int, int) override {}

 private:
  void SyncScrollBars();
  void ScrollBarMoved(Qt::Orientation orientation, int position);
  bool InputAllowed() const { return !accepts_input || accepts_input(); }
  bool SheetKeyDown(const QKeyEvent& event);
  // A mouse event for the sheet: in the sheet pane, left button, input allowed.
  bool SheetMouse(const QMouseEvent& event) const;
  void Handled();

  CORVELView& view_;
  CORVELDoc& doc_;
  ResultLineIndex line_index_;
  bool syncing_ = false;
};

}  // namespace orvel::gui
