#include "shell/main_form.h"

namespace tonolog {

void MainForm::drawTrendBackground() {}

void MainForm::DspTrendTab() {}

void MainForm::printTrendPage() {}

} // namespace tonolog
