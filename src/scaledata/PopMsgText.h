// The forms of a pop-up or origin message's text for the scales that cannot take all of its codes.
#pragma once

#include <string>
#include <string_view>

namespace varnel {

// The text without its ESC 'D' style codes (a code cut by the text's end stays).
std::string StripStyleCodes(std::string_view text);
// The text without its style codes, printed in style 2 throughout: ESC 'D' '2' after each line's
// ESC 'C' font code, before each further one and at the end; an empty text is ESC 'D' '2' alone.
std::string WrapStyleTwo(std::string_view text);

}  // namespace varnel
