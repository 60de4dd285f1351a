// The settings sheets of the line plots: dialog-schema pages, so the desktop renders them, the
// batch runner answers them by key and the checks run in the core. The frame's and the two-way
// series' fields are the group plots' shared ones (group_plot_dialogs.h).
//
// Kinds 0, 1, 3 and 4 ("Setting for Line Plot (Oneway Two Groups)", ...; the re-edit sheet of
// a double click has its own title and the re-edit checks). Pages and batch keys:
//   Y-axis         y_color= y_weight= y_font= y_font_size= y_position= y_max= y_min= y_scale=
//                  (the plotted values' largest and smallest are shown)
//   X-axis         x_color= x_weight= x_font= x_font_size= (the labels under the groups)
//   Line Format    line_color= (black|red|green|blue|yellow) line_weight=1..3
//   Marker Format  marker=square|circle marker_size=1..5 foreground= background=
//                  (black|white|red|green|blue|yellow)
//   Eror Bar       error_bar=sd|se|none (kinds 0 and 1: the profiles of kinds 3 and 4 have none)
//   Title, Plot Area  title= title_font= title_font_size= outline= area= area_weight=
//
// Kind 2 ("Setting for line plot (Twoway data)", the same title when re-edited):
//   Line Format       a1_color= a1_weight= ... a10_color= a10_weight= (each series' line)
//   Marker Format     a1_marker= a1_size= a1_foreground= a1_background= ... (each series' marker)
//   Eror Bar          error=sd|se|none interval=0|1 (Plot Interval)
//   Other Formats     the Y-axis, X-axis and title keys above
//   Color and Legend  outline= area= area_weight= legend=on|off
#pragma once

#include <string>
#include <vector>

#include "app/dialogs.h"
#include "app/group_plot_dialogs.h"
#include "graph/line_plot.h"
#include "graph/twoway_line_plot.h"

namespace orvel {

// The colour lists of a line and of its markers.
const std::vector<std::string>& LineColorChoices();        // Black, Red, Green, Blue, Yellow
const std::vector<std::string>& LineMarkerColorChoices();  // Black, White, Red, Green, Blue, Yellow

class LinePlotDialog : public DialogModel {
 public:
  LinePlotDialog() { Load(LinePlotSettings{}); }
  // `doc` gives the plotted columns' largest and smallest value the Y-axis page shows.
  LinePlotDialog(const CORVELDoc& doc, const LinePlotSettings& settings, bool reedit);

  std::string Title() const override;
  DialogSchema Schema() override;
  // The settings the answers stand for (the kind and the columns come from the preset).
  LinePlotSettings Settings() const;
  // The two setting checks of the command's or the re-edit sheet, in order, or empty.
  std::string SettingsRefusal() const;

  GroupFrameFields frame;
  int line_color = 3, line_weight = 1;
  int marker = 0, marker_size = 3, foreground = 4, background = 4;
  int error_bar = 0;

 private:
  void Load(const LinePlotSettings& s);
  LinePlotSettings preset_;
  bool reedit_ = false;
};

class TwowayLinePlotDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Setting for line plot (Twoway data)";

  TwowayLinePlotDialog() { Load(TwowayLinePlotSettings{}); }
  TwowayLinePlotDialog(const CORVELDoc& doc, const TwowayLinePlotSettings& settings, bool reedit);

  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  TwowayLinePlotSettings Settings() const;
  std::string SettingsRefusal() const;

  GroupFrameFields frame;
  TwowaySeriesFields series;

 private:
  void Load(const TwowayLinePlotSettings& s);
  bool reedit_ = false;
};

}  // namespace orvel
