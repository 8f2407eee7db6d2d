// Reader and annotated save: whatever the file holds, a save keeps what the
// reader understood and every line it did not replace.
//
// An input with a form feed is two files read one after the other, as
// "ReLoad File" after the file changed: values of the first that the second
// does not hold remain and are added at the end of the save.
#include "fuzz_check.h"
#include "save_round_trip.h"

#include <cstdio>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input = fuzzInput(data, size);
    const std::size_t split = input.find('\f');

    kdx::KDXCfg cfg;
    if (split != std::string_view::npos)
        kdx::readConfiguration(cfg, input.substr(0, split));
    const std::string_view bytes = split == std::string_view::npos ? input : input.substr(split + 1);
    const std::vector<kdx::Message> messages = kdx::readConfiguration(cfg, bytes);
    FUZZ_CHECK(cfg.ConfigLineCount() <= kdx::MaxConfigLines);
    const std::string broken = kdx::brokenBySave(cfg, &messages);
    if (!broken.empty())
        std::fprintf(stderr, "%s\n", broken.c_str());
    FUZZ_CHECK(broken.empty());
    return 0;
}
