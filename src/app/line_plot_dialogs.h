// The settings sheets of the line plots: dialog-schema pages, so the desktop renders them, the
// batch runner answers them by key and the checks run in the core.
//
// Kinds 0, 1, 3 and 4 ("Setting for Line Plot (Oneway Two Groups)", ...; the re-edit sheet of
// a double click has its own title and the re-edit checks). Pages and batch keys:
//   Y-axis         y_color= (black|red|green|blue) y_weight=1..3 y_font= (century|arial)
//                  y_font_size=10..20 y_position=left|right y_max= y_min= y_scale= (texts,
//                  parsed as numbers)
//   X-axis         x_color= x_weight= x_font= x_font_size= (the labels under the groups)
//   Line Format    line_color= (black|red|green|blue|yellow) line_weight=1..3
//   Marker Format  marker=square|circle marker_size=1..5 foreground= background=
//                  (black|white|red|green|blue|yellow)
//   Eror Bar       error_bar=sd|se|none (kinds 0 and 1: the profiles of kinds 3 and 4 have none)
//   Title          title=TEXT title_font= title_font_size=10..20
//   Plot Area      outline= area= (none|black|red|green|blue|default) area_weight=1..3
//
// Kind 2 ("Setting for line plot (Twoway data)", the same title when re-edited):
//   Line Format       a1_color= a1_weight=1..3 ... a10_color= a10_weight= (the series' colours)
//   Marker Format     a1_marker=square|circle a1_size=1..5 a1_foreground= a1_background= ... a10_
//   Eror Bar          error=sd|se|none interval=0|1 (Plot Interval)
//   Other Formats     the Y-axis, X-axis and title keys above
//   Color and Legend  outline= area= area_weight= legend=on|off
#pragma once

#include <string>
#include <vector>

#include "app/dialogs.h"
#include "graph/line_plot.h"
#include "graph/twoway_line_plot.h"

namespace orvel {

// The frame's fields as the sheet holds them (indexes into the choice lists, typed texts).
struct GroupFramePages {
  int y_color = 0, y_weight = 1, y_font = 0, y_font_size = 10, y_position = 0;
  std::string y_max = "1.00", y_min = "-1.00", y_scale = "0.10";
  int x_color = 0, x_weight = 1, x_font = 0, x_font_size = 10;
  std::string title;
  int title_font = 0, title_font_size = 12;
  int outline = 5, area = 5, area_weight = 1;

  void Load(const GroupPlotFrame& f);
  GroupPlotFrame Frame() const;
  // The pages "Y-axis" and "X-axis", and the pages "Title" and "Plot Area".
  void AddAxisPages(DialogSchema& s);
  void AddTitleAndAreaPages(DialogSchema& s);
  // The same fields, for a sheet that groups them on pages of its own.
  void AddYAxisFields(DialogSchema& s);
  void AddXAxisFields(DialogSchema& s);
  void AddTitleFields(DialogSchema& s);
  void AddAreaFields(DialogSchema& s);
};

// One line and its markers as a sheet holds them.
struct LineFormatFields {
  int line_color = 3, line_weight = 1;
  int marker = 0, marker_size = 3, foreground = 4, background = 4;
};

// The colour lists of a line and of its markers.
const std::vector<std::string>& LineColorChoices();    // Black, Red, Green, Blue, Yellow
const std::vector<std::string>& LineMarkerColorChoices();  // Black, White, Red, Green, Blue, Yellow

class LinePlotDialog : public DialogModel {
 public:
  LinePlotDialog() { Load(LinePlotSettings{}); }
  LinePlotDialog(const LinePlotSettings& settings, bool reedit);

  std::string Title() const override;
  DialogSchema Schema() override;
  // The settings the answers stand for (the kind and the columns come from the preset).
  LinePlotSettings Settings() const;
  // The two setting checks of the command's or the re-edit sheet, in order, or empty.
  std::string SettingsRefusal() const;

  GroupFramePages frame;
  LineFormatFields line;
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
  TwowayLinePlotDialog(const TwowayLinePlotSettings& settings, bool reedit);

  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  TwowayLinePlotSettings Settings() const;
  std::string SettingsRefusal() const;

  GroupFramePages frame;
  // Per series A1..A10: indexes into the series colours and the marker styles.
  struct Series {
    int color = 0, weight = 1, marker = 0, size = 3, foreground = 0, background = 0;
  };
  std::vector<Series> series;
  int error = 0;
  bool interval = true;
  int legend = 0;  // ON, OFF

 private:
  void Load(const TwowayLinePlotSettings& s);
  bool reedit_ = false;
};

}  // namespace orvel
