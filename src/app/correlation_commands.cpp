// Command handlers of this family; not built yet: each says so.
#include "app/orvel_view.h"

namespace orvel {

void CORVELView::OnRegressionLine() { CommandNotAvailableYet(); }
void CORVELView::OnRegressionCurve() { CommandNotAvailableYet(); }
void CORVELView::OnSpearmanRankCorrelation() { CommandNotAvailableYet(); }
void CORVELView::OnKendallRankCorrelation() { CommandNotAvailableYet(); }
void CORVELView::OnIntraclassCorrelation() { CommandNotAvailableYet(); }

}  // namespace orvel
