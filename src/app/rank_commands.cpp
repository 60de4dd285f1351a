// Command handlers of this family; not built yet: each says so.
#include "app/orvel_view.h"

namespace orvel {

void CORVELView::OnWilcoxonSignedRankTest() { CommandNotAvailableYet(); }
void CORVELView::OnMannWhitneyUTest() { CommandNotAvailableYet(); }
void CORVELView::OnKruskalWallisTest() { CommandNotAvailableYet(); }
void CORVELView::OnFriedmanTest() { CommandNotAvailableYet(); }

}  // namespace orvel
