#pragma once

#include <string>
#include <string_view>
#include <vector>

// The lines of one element of a poem's text (UTF-8): the text is cut after every 。！？；, the
// mark and the closing quotes after it (”’」』) staying with its line; each piece is trimmed of
// white space, and empty pieces and pieces holding an editor's note (any of （）()《》〔〕[]{}, an
// ASCII letter or a digit) are dropped. The lines keep their order.
std::vector<std::string> poemLines(std::string_view text);
