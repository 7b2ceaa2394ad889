#include "print/page_printing.h"

namespace tonolog {

void PagePrinting::printListPage() {}

void PagePrinting::printTrendPage() {}

} // namespace tonolog
