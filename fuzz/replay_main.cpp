// Runs a fuzz target's entry point once on every file of the given folders, so
// that the seed corpus and every input that once broke an invariant are checked
// by each normal test run, without libFuzzer.
#include "fuzz_check.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<char> readWhole(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char **argv)
{
    int replayed = 0;
    for (int arg = 1; arg < argc; ++arg) {
        const std::filesystem::path folder(argv[arg]);
        if (!std::filesystem::is_directory(folder))
            continue; // a target without regressions has no folder for them
        for (const auto &entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file())
                continue;
            const std::vector<char> bytes = readWhole(entry.path());
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::cout << "replayed " << replayed << " inputs\n";
    // An empty run would pass without checking anything.
    return replayed > 0 ? 0 : 1;
}
