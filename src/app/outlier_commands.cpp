// Command handlers of this family; not built yet: each says so.
#include "app/orvel_view.h"

namespace orvel {

void CORVELView::OnThompsonRejectionTest() { CommandNotAvailableYet(); }
void CORVELView::OnSmirnovGrubbsTest() { CommandNotAvailableYet(); }
void CORVELView::OnRandomNumbersTable() { CommandNotAvailableYet(); }

}  // namespace orvel
