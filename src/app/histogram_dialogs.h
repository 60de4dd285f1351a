// The histogram's settings sheet ("Setting for Histogram"; a double click reopens it as
// "Setting for histogram"). Pages and batch keys:
//   X-axis      shows Maximum Value, Minimum Value, Number of Data; x_color= (black|red|green|blue)
//               x_weight=1..3 x_font= (century|arial) x_font_size=10..20 classes=5..20
//               max= min= (texts, parsed as numbers)
//   Y-axis      y_color= y_weight= y_font= y_font_size= position=left|right
//               y_max=1..1000000 y_scale=1..1000000 (counts)
//   Data Format bar_color=gray|black|red|green|blue bar_width=1..100 (per cent of a class)
//   Title       title=TEXT title_font= title_font_size=10..20
//   Plot Area   outline= area= (none|black|red|green|blue|default) area_weight=1..3
#pragma once

#include <string>

#include "app/dialogs.h"
#include "graph/histogram.h"

namespace orvel {

class HistogramDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Setting for Histogram";
  static constexpr const char* kReeditTitle = "Setting for histogram";

  HistogramDialog() { Load(HistogramSettings{}); }
  // The sheet for the settings' column: presets from the settings, the column's extremes shown.
  HistogramDialog(const CORVELDoc& doc, const HistogramSettings& settings, bool reedit);

  std::string Title() const override { return reedit_ ? kReeditTitle : kTitle; }
  DialogSchema Schema() override;
  // The settings the answers stand for.
  HistogramSettings Settings() const;

  struct Axis {
    int color = 0, weight = 1, font = 0, font_size = 10;
  };
  std::string maximum_value, minimum_value, number_of_data;  // shown
  Axis x, y;
  int classes = 5;
  std::string max, min;
  int position = 0;  // 0 left, 1 right
  int y_max = 1, y_scale = 1;
  int bar_color = 4, bar_width = 90;
  std::string title;
  int title_font = 0, title_font_size = 12;
  int outline = 5, area = 5, area_weight = 1;

 private:
  void Load(const HistogramSettings& s);
  bool reedit_ = false;
  int column_ = 1;
};

}  // namespace orvel
