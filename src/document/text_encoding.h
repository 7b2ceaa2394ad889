#pragma once

#include <string>
#include <string_view>

namespace tonolog {

bool isValidUtf8(std::string_view bytes);

// Windows-1252 (the old Western code page) to UTF-8. The five bytes that code page leaves
// undefined map to the control characters of the same number, as Windows does.
std::string windows1252ToUtf8(std::string_view bytes);

} // namespace tonolog
