#include "shell/main_form.h"

namespace tonolog {

void MainForm::drawListBackground() {}

void MainForm::DspListTab() {}

void MainForm::printListPage() {}

} // namespace tonolog
