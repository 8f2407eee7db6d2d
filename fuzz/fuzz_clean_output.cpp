// Clean outputs of any model the reader can build: every line ends in CR LF and
// none is blank; read back, either output gives the model's values and commands;
// the one without defaults holds no setting at its default.
#include "fuzz_check.h"
#include "save_round_trip.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    kdx::KDXCfg cfg;
    kdx::readConfiguration(cfg, fuzzInput(data, size));
    for (const auto kind : {kdx::CleanOutputKind::AllSettings, kdx::CleanOutputKind::LeaveOutDefaults}) {
        const std::string output = kdx::cleanOutput(cfg, kind);
        FUZZ_CHECK(kdx::cleanOutput(cfg, kind) == output);
        for (std::size_t start = 0; start < output.size();) {
            const std::size_t end = output.find_first_of("\r\n", start);
            FUZZ_CHECK(end != std::string::npos && end > start && output.compare(end, 2, "\r\n") == 0);
            start = end + 2;
        }
        kdx::KDXCfg reread;
        kdx::readConfiguration(reread, output);
        for (int index = 1; index <= kdx::SettingCount; ++index) {
            FUZZ_CHECK(bytesInFile(reread, reread.SettingTable[index].Value) == bytesInFile(cfg, cfg.SettingTable[index].Value));
            const bool written = kind == kdx::CleanOutputKind::AllSettings || !cfg.SettingTable.holdsDefault(index);
            FUZZ_CHECK(reread.SettingTable[index].FoundAtLine.has_value() == written);
        }
        for (int slot = 1, filled = 0; slot <= kdx::CustomCommandSlotCount; ++slot)
            if (!cfg.CustomCommands[slot].Text.empty())
                FUZZ_CHECK(bytesInFile(reread, reread.CustomCommands[++filled].Text)
                           == bytesInFile(cfg, cfg.CustomCommands[slot].Text));
    }
    return 0;
}
