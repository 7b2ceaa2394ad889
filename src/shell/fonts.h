#pragma once

namespace tonolog {

// The window asks for Tahoma and Arial; where they are missing, metric-similar free fonts stand
// in, and a Japanese font shows the program's Japanese texts.
void installFontSubstitutes();

} // namespace tonolog
