// Command handlers of this family; not built yet: each says so.
#include "app/orvel_view.h"

namespace orvel {

void CORVELView::OnFisherExactTest() { CommandNotAvailableYet(); }
void CORVELView::OnChiSquareTest() { CommandNotAvailableYet(); }

}  // namespace orvel
