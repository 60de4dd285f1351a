// The scatter-plot matrix's settings sheet, "Setting for scatter plot matrix" (the same sheet
// opens again on a double click). Pages and batch keys:
//   Data Format  font=gothic|century|arial font_size=10..15
//                marker_color= histogram_color= (black|red|green|blue)
//   Title        title=TEXT title_font= (gothic|century|arial) title_font_size=10..20
//   Plot Area    outline= area= (none|black|red|green|blue|default) area_weight=1..3
#pragma once

#include <string>

#include "app/dialogs.h"
#include "graph/scatter_matrix.h"

namespace orvel {

class ScatterMatrixDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Setting for scatter plot matrix";

  ScatterMatrixDialog() { Load(ScatterMatrixSettings{}); }
  explicit ScatterMatrixDialog(const ScatterMatrixSettings& settings) { Load(settings); }

  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  ScatterMatrixSettings Settings() const;

  int font = 0, font_size = 10, marker_color = 3, histogram_color = 3;
  std::string title;
  int title_font = 0, title_font_size = 12;
  int outline = 5, area = 5, area_weight = 1;

 private:
  void Load(const ScatterMatrixSettings& s);
};

}  // namespace orvel
