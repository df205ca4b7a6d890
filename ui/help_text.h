// The program's built-in help in Russian, as UTF-8 with '\n' line breaks,
// marked for translation as one text:
// what the program is for, editing, saving and opening files, solving and
// viewing solutions.
#pragma once

#include <string_view>

namespace zv {

std::string_view HelpText();

}  // namespace zv
