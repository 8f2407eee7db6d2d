// kdxcfg's argument handling: any arguments on any KDX.cfg end with status 0, 1
// or 2, and a run that fails says why on standard error, prints no result (but,
// under --json, the error as an object) and leaves the file as it was.
//
// The input is the file's bytes, a form feed, then the arguments separated by
// NUL bytes. kdxcfg always works on the file in a work folder of its own in the
// current one: arguments that would name another file are left out.
#include "fuzz_check.h"

#include "cli/kdxcfg.h"
#include "files/file_access.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input = fuzzInput(data, size);
    const std::size_t split = input.find('\f');
    const std::string file(input.substr(0, split));

    static const std::filesystem::path folder = std::filesystem::absolute("kdxcfg-fuzz-work");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path cfg = folder / "KDX.cfg";
    FUZZ_CHECK(!kdx::files::writeAtomically(cfg, file));

    std::vector<std::string> arguments{"--file", kdx::files::utf8FromPath(cfg)};
    if (split != std::string_view::npos) {
        std::string_view rest = input.substr(split + 1);
        while (arguments.size() < 12) {
            const std::string_view argument = rest.substr(0, rest.find('\0'));
            if (!argument.starts_with("--f"))
                arguments.emplace_back(argument);
            if (argument.size() == rest.size())
                break;
            rest.remove_prefix(argument.size() + 1);
        }
    }

    std::ostringstream out;
    std::ostringstream err;
    const int status = kdx::cli::runKdxcfg(arguments, out, err);
    FUZZ_CHECK(status == kdx::cli::ExitSuccess || status == kdx::cli::ExitFindings || status == kdx::cli::ExitFailure);
    if (status == kdx::cli::ExitFailure) {
        const bool json = std::find(arguments.begin(), arguments.end(), "--json") != arguments.end();
        FUZZ_CHECK(!err.str().empty() && (out.str().empty() || (json && out.str().starts_with("{\n  \"error\": "))));
        FUZZ_CHECK(std::get<std::string>(kdx::files::readWhole(cfg)) == file);
    }
    return 0;
}
