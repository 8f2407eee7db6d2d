// kdxcfg check over any bytes: findings come in line order within the lines the
// file has, alike on every run, and a file without findings is one that the
// window shows without changing a value.
#include "fuzz_check.h"

#include "config/config_check.h"
#include "config/config_reader.h"
#include "config/value_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = fuzzInput(data, size);
    const std::vector<kdx::Finding> findings = kdx::checkConfiguration(bytes);
    FUZZ_CHECK(kdx::checkConfiguration(bytes) == findings);

    kdx::KDXCfg cfg;
    kdx::readConfiguration(cfg, bytes);
    int previousLine = 1;
    for (const kdx::Finding &finding : findings) {
        FUZZ_CHECK(finding.line >= previousLine && !finding.text.empty());
        FUZZ_CHECK(finding.line <= cfg.ConfigLineCount() || (finding.line == kdx::MaxConfigLines + 1 && !cfg.UnreadTail.empty()));
        previousLine = finding.line;
    }
    if (findings.empty())
        FUZZ_CHECK(kdx::tidyAsFirstShown(cfg.SettingTable).empty());
    return 0;
}
