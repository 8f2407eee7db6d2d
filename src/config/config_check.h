#pragma once

#include "code_page.h"

#include <string>
#include <string_view>
#include <vector>

namespace kdx {

struct Finding {
    int line = 0; // 1-based line of the file
    std::string text;

    friend bool operator==(const Finding &, const Finding &) = default;
};

// What a hand-edited file holds that the reader or the window would not take as
// its author meant, in line order:
// - a line read as a setting although the key is not followed by a blank
//   ("clantagsX off", "botchat=off");
// - a setting set on more than one line, named on each earlier line with the
//   line that wins;
// - a value that the window changes when it shows the file ("pause 3.7"), or
//   that no control can show ("radio 9", "clantags On");
// - a custom command beyond the eighth;
// - lines past the 256th, once, on line 257.
// The lines are read, and quoted, in the code pages given. An empty result means
// nothing to report.
std::vector<Finding> checkConfiguration(std::string_view bytes, const FileCodePages &codePages = systemCodePages());

} // namespace kdx
