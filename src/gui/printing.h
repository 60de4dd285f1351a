// Print, Print Preview and Print Setup: the shown pane laid out by the core's Printout and drawn
// page after page on a QPrinter through the QPainter canvas.
#pragma once

#include <QPrinter>
#include <memory>

#include "app/print_layout.h"
#include "sheet/orvel_doc.h"

class QWidget;

namespace orvel::gui {

// Prints the pane of the document's display mode on `printer`, within the page range the
// printer was given (all pages when none). False when the printer could not be opened or
// nothing was in the range.
bool PrintPane(const CORVELDoc& doc, QPrinter& printer, const Printout::GraphDrawer& graph = {});

// The program's printer: the settings chosen in Print Setup and the print dialog hold for the
// rest of the session.
class PrintCommands {
 public:
  // The print dialog, then the pages; false when cancelled or the printing failed (which it
  // reports to the user).
  // `graph` draws the graph of a graph mode on the page.
  bool Print(const CORVELDoc& doc, QWidget* parent, const Printout::GraphDrawer& graph = {});
  void Preview(const CORVELDoc& doc, QWidget* parent, const Printout::GraphDrawer& graph = {});
  void Setup(QWidget* parent);
  // Made when first needed: finding the system's printers can take a moment.
  QPrinter& Printer();

 private:
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace orvel::gui
