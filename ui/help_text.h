// The program's built-in help in Russian, as UTF-8 with '\n' line breaks,
// in sections marked for translation each: what the program is for,
// editing, zoom and the window, saving and opening files, solving and
// viewing solutions, the 3-D view and the fold, pictures and models, and
// where the program keeps its files.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace zv {

struct HelpSection {
  const char* title;  // nullptr for the opening text
  const char* body;
};

std::span<const HelpSection> HelpSections();

// The sections as one text, each title underlined by as many hyphens as it
// has letters, blank lines between; `text` gives each title and body in the
// language wanted.
std::string JoinHelp(const std::function<std::string(const char*)>& text);
std::size_t HeadingLength(const std::string& title);

// The whole help in Russian.
std::string_view HelpText();

}  // namespace zv
