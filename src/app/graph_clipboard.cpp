// Copy in a graph mode: the graph drawn at the file size, as PNG and SVG through cairo and as an
// enhanced metafile by our writer, handed to the clipboard together so each program that pastes
// takes the format it reads best.
#include "app/graph_commands.h"
#include "app/orvel_view.h"
#include "app/pane_drawing.h"
#include "graph/cairo_canvas.h"
#include "graph/emf_canvas.h"

namespace orvel {

namespace {
constexpr const char* kGraphNotCopied = "The graph could not be put on the clipboard.";
}  // namespace

void CORVELView::CopyGraph() {
  // The header line height is the screen font's, as for Save Graph As.
  auto draw = [&](Canvas& canvas) {
    canvas.SetFont(SheetFont());
    DrawGraph(canvas, GraphCall::File(canvas.Metrics().height));
  };
  GraphPicture picture;
  {
    CairoCanvas png(GraphFileFormat::kPng, kGraphFileWidth, kGraphFileHeight);
    draw(png);
    picture.png = png.Finish();
  }
  {
    CairoCanvas svg(GraphFileFormat::kSvg, kGraphFileWidth, kGraphFileHeight);
    draw(svg);
    picture.svg = svg.Finish();
  }
  {
    EmfCanvas emf(kGraphFileWidth, kGraphFileHeight);
    draw(emf);
    picture.emf = emf.Finish();
  }
  if (picture.png.empty() || picture.svg.empty() || picture.emf.empty() || !port_.SetClipboardGraph(picture))
    port_.ShowMessage(kFreeTitle, kGraphNotCopied);
}

}  // namespace orvel
