// The settings sheets of the box plots and the bar plots. The command's sheet and the re-edit
// sheet of a double click share their title and fields; the box plot's re-edit sheet says
// "Scale setting is not correct." where the command says "Setting for scale is not correct.".
//
// Box plots ("Setting for box plot (Oneway Two groups)", "Setting for box plot (Oneway Three
// groups or more)"): pages X-axis, Y-axis, Data Format (line_color=black|red|green|blue,
// fill=white|black|red|green|blue), Title, Plot Area (keys in app/group_plot_dialogs.h).
// Bar plots of kinds 0 and 1 ("Setting for Bar Plot (Oneway Two Groups)", "Setting for Bar
// Plot (Oneway Three Groups or More)"): the same pages, Data Format with line_color=
// line_weight=1..3 fill= error=sd|se|none.
// Bar plot of the two-way data ("Setting for Bar Plot (Twoway Data)"): pages Line Format,
// Marker Format (the fill of each A level), Eror Bar, Other Formats (title and axes), Color and
// Legend (plot area and legend).
#pragma once

#include <string>

#include "app/dialogs.h"
#include "app/group_plot_dialogs.h"
#include "graph/bar_plot.h"
#include "graph/box_plot.h"

namespace orvel {

class BoxPlotDialog : public DialogModel {
 public:
  static constexpr const char* kTwoGroupsTitle = "Setting for box plot (Oneway Two groups)";
  static constexpr const char* kGroupsTitle = "Setting for box plot (Oneway Three groups or more)";

  explicit BoxPlotDialog(int kind = kBoxPlotTwoGroups) : BoxPlotDialog(BoxPlotSettings{kind, {}, "Blue", "White", {}}, false) {}
  // Presets from the settings (the command's defaults, or the stored settings to re-edit).
  BoxPlotDialog(const BoxPlotSettings& settings, bool reedit);

  std::string Title() const override;
  DialogSchema Schema() override;
  // The accepted settings, with the groups of the settings the sheet was opened with.
  BoxPlotSettings Settings() const;
  // The two setting checks in the sheet's wording: the message, or empty.
  std::string SettingsRefusal() const;

  GroupFrameFields frame;
  int line_color = 3, fill = 0;

 private:
  BoxPlotSettings base_;
  bool reedit_ = false;
};

class BarPlotDialog : public DialogModel {
 public:
  static constexpr const char* kTwoGroupsTitle = "Setting for Bar Plot (Oneway Two Groups)";
  static constexpr const char* kGroupsTitle = "Setting for Bar Plot (Oneway Three Groups or More)";
  static constexpr const char* kTwowayTitle = "Setting for Bar Plot (Twoway Data)";

  explicit BarPlotDialog(int kind = kBarPlotTwoGroups);
  BarPlotDialog(const BarPlotSettings& settings, bool reedit);

  std::string Title() const override;
  DialogSchema Schema() override;
  BarPlotSettings Settings() const;
  std::string SettingsRefusal() const;

  GroupFrameFields frame;
  int line_color = 3, line_weight = 1, fill = 0, error = 0;  // kinds 0 and 1
  TwowaySeriesFields series;                                // kind 2

 private:
  void Load(const BarPlotSettings& s);
  BarPlotSettings base_;
  bool reedit_ = false;
};

}  // namespace orvel
