// Every dialog model of the program, for the checks that keep the documentation and the
// front ends in step with the schemas. A new dialog is added here too.
#include "app/anova_dialogs.h"
#include "app/boxbar_dialogs.h"
#include "app/correlation_dialogs.h"
#include "app/data_settings_dialogs.h"
#include "app/dialogs.h"
#include "app/graph_dialogs.h"
#include "app/histogram_dialogs.h"
#include "app/line_plot_dialogs.h"
#include "app/outlier_dialogs.h"
#include "app/rank_dialogs.h"
#include "app/rcode_dialogs.h"
#include "app/scatter_matrix_dialogs.h"
#include "app/sort_dialog.h"
#include "app/twoway_grid.h"

namespace orvel {

std::vector<std::unique_ptr<DialogModel>> AllDialogModels() {
  std::vector<std::unique_ptr<DialogModel>> models;
  models.push_back(std::make_unique<ResultOptionsDialog>());
  models.push_back(std::make_unique<FrequencyDialog>());
  models.push_back(std::make_unique<RowNumbersDialog>());
  models.push_back(std::make_unique<ExplanationDialog>());
  models.push_back(std::make_unique<KruskalWallisDialog>());
  models.push_back(std::make_unique<FriedmanDialog>());
  models.push_back(std::make_unique<RegressionCurveDialog>());
  models.push_back(std::make_unique<RandomNumbersDialog>());
  models.push_back(std::make_unique<SortDialog>());
  models.push_back(std::make_unique<DataSelectionDialog>());
  models.push_back(std::make_unique<LabelNameDialog>());
  models.push_back(std::make_unique<TwoGroupsSettingsDialog>());
  models.push_back(std::make_unique<GroupColumnsSettingsDialog>());
  models.push_back(std::make_unique<MultipleRegressionSettingsDialog>());
  models.push_back(std::make_unique<PcaSettingsDialog>());
  models.push_back(std::make_unique<DiscriminantSettingsDialog>());
  models.push_back(std::make_unique<ObjectDataDialog>());
  // OnewayANOVA lists the group columns: three of them, none numbered like a list position.
  CORVELDoc groups(10);
  for (const int c : {4, 5, 6}) groups.SetGroupColumn(c, true);
  models.push_back(std::make_unique<OnewayAnovaDialog>(groups, 0));
  models.push_back(std::make_unique<TwowayWithoutReplicationDialog>());
  models.push_back(std::make_unique<TwowayAnovaDialog>());
  models.push_back(std::make_unique<ScatterPlotDialog>());
  models.push_back(std::make_unique<ScatterPlotDialog>(groups, ScatterSettings{}, true));
  // The line plots: each kind's command sheet and re-edit sheet (kinds 1 and 4 share one
  // re-edit title; kind 4 has no error bar page).
  for (int kind : {kLineTwoGroups, kLineGroups, kLineTwoRelated, kLineRelatedGroups}) {
    LinePlotSettings line;
    line.kind = kind;
    models.push_back(std::make_unique<LinePlotDialog>(groups, line, false));
    if (kind != kLineRelatedGroups) models.push_back(std::make_unique<LinePlotDialog>(groups, line, true));
  }
  models.push_back(std::make_unique<TwowayLinePlotDialog>());
  for (int kind : {kBoxPlotTwoGroups, kBoxPlotGroups}) models.push_back(std::make_unique<BoxPlotDialog>(kind));
  for (int kind : {kBarPlotTwoGroups, kBarPlotGroups, kBarPlotTwoway})
    models.push_back(std::make_unique<BarPlotDialog>(kind));
  models.push_back(std::make_unique<HistogramDialog>());
  models.push_back(std::make_unique<HistogramDialog>(groups, HistogramSettings{}, true));
  models.push_back(std::make_unique<ScatterMatrixDialog>());
  // The R Language menu's pickers: one command of each layout (the others differ in title
  // only, and two of those titles are also the rank tests' dialogs).
  for (RCodeCommand c : {RCodeCommand::kSummaryStatistics, RCodeCommand::kPairedTTest, RCodeCommand::kAnova,
                         RCodeCommand::kHistogram})
    models.push_back(std::make_unique<RColumnPickerDialog>(RCodeCommandInfoOf(c)));
  return models;
}

}  // namespace orvel
