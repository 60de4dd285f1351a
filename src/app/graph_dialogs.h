// The settings sheets of the graphs: a property sheet per graph whose pages are dialog-schema
// pages, so the desktop renders them, the batch runner answers them by key and the checks run
// in the core.
//
// Scatter plot ("Setting for Scatter Plot"; the re-edit sheet of a double click is "Setting for
// scatterplot" with its own checks). Pages and batch keys:
//   X-axis, Y-axis   x_color= (black|red|green|blue) x_weight=1..3 x_font= (century|arial)
//                    x_font_size=10..20 x_max= x_min= x_scale= (texts, parsed as numbers),
//                    and the same with y_; the column's Maximum Value / Minimum Value are shown
//   Data Format      marker=square|circle marker_size=1..5 foreground= background=
//                    (black|white|red|green|blue)
//   Regression Equation  regression=0..7 line_color= (black|white|red|green|blue)
//                    line_weight=1..3 font= font_size=8..20
//   Title            title=TEXT title_font= title_font_size=10..20
//   Plot Area        outline= area= (none|black|red|green|blue|default) area_weight=1..3
#pragma once

#include <string>

#include "app/dialogs.h"
#include "graph/scatter_plot.h"

namespace orvel {

class ScatterPlotDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Setting for Scatter Plot";
  static constexpr const char* kReeditTitle = "Setting for scatterplot";

  ScatterPlotDialog() { Load(ScatterSettings{}); }
  // The sheet of the command: presets from the settings, the extremes of the X and Y columns.
  ScatterPlotDialog(const CORVELDoc& doc, const ScatterSettings& settings, bool reedit);

  std::string Title() const override { return reedit_ ? kReeditTitle : kTitle; }
  DialogSchema Schema() override;
  // The settings the answers stand for, before the swap and the absolute scale OK stores.
  ScatterSettings Settings() const;
  // The command's checks of the accepted sheet (the typed numbers), in order: the message
  // the command shows before it stops, or empty.
  std::string SettingsRefusal() const;

  struct Axis {
    std::string maximum_value, minimum_value;  // shown
    int color = 0, weight = 1, font = 0, font_size = 10;
    std::string max, min, scale;
  };
  Axis x, y;
  int marker = 0, marker_size = 2, foreground = 4, background = 4;
  int regression = 1, line_color = 4, line_weight = 1, font = 0, font_size = 8;
  std::string title = "Scatter Plot";
  int title_font = 0, title_font_size = 12;
  int outline = 5, area = 5, area_weight = 1;

 private:
  void Load(const ScatterSettings& s);
  bool reedit_ = false;
};

}  // namespace orvel
