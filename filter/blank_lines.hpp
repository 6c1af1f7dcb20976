#pragma once
// Cut positions leave their indentation and line break behind; GPAIS accepts the result only
// without those blank lines, so the output step drops every blank line of the document.

#include <string>

namespace gpais {

// Lines end with CR LF only (a lone CR or LF is part of its line). Every blank line goes
// together with the CR LF that ends it; a blank last line goes alone and the CR LF before it
// stays. Works in place, in one pass over the document.
void remove_blank_lines(std::string& document);

}  // namespace gpais
