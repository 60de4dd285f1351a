// Command handlers of this family; not built yet: each says so.
#include "app/orvel_view.h"

namespace orvel {

void CORVELView::OnFTest() { CommandNotAvailableYet(); }
void CORVELView::OnBartlettTest() { CommandNotAvailableYet(); }
void CORVELView::OnPairedTTest() { CommandNotAvailableYet(); }
void CORVELView::OnUnpairedTTest() { CommandNotAvailableYet(); }
void CORVELView::OnGoodnessOfFitTest() { CommandNotAvailableYet(); }

}  // namespace orvel
