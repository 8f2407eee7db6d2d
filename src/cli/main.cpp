// kdxcfg: the headless command over the configuration core.
#include "kdxcfg.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>
#endif

namespace {

// The arguments as UTF-8. Windows passes main() the ANSI code page, which
// cannot hold every file name or value; its wide command line can.
std::vector<std::string> argumentsOf([[maybe_unused]] int argc, [[maybe_unused]] char **argv)
{
    std::vector<std::string> arguments;
#ifdef _WIN32
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide && i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), size, nullptr, nullptr);
        arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
#else
    arguments.assign(argv + 1, argv + argc);
#endif
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
#ifdef _WIN32
    // Line ends as on every other system: scripts read the same bytes everywhere.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    return kdx::cli::runKdxcfg(argumentsOf(argc, argv), std::cout, std::cerr);
}
