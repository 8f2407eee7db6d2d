#pragma once

#include <string>
#include <vector>

namespace kdx {

// The fixed texts behind the "?" marks of the main window. A topic's index is the
// index of the setting it explains; 0 stands for the custom server commands. The
// pairs min_bots/max_bots and minbotskill/maxbotskill share one topic, that of
// their first member, so 6 and 11 have none.

// The caption of the topic's message box. Throws std::out_of_range for an index
// without a topic.
std::string helpTitle(int index);

// The topic's lines joined by lineEnd, a lone carriage return for the message
// box; nothing before the first line or after the last. Throws std::out_of_range
// for an index without a topic.
std::string helpText(int index, char lineEnd = '\r');

// Every index that has a topic, ascending.
std::vector<int> helpTopicIndices();

} // namespace kdx
