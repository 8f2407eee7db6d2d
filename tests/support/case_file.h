#pragma once

// The case files of the Qt-free rules and of kdxcfg; tests/config/cases/README.txt
// describes their format.

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kdx::test {

struct CaseEntry {
    std::string name, arg, value;
    int line;
};
using CaseBlock = std::vector<CaseEntry>;

inline std::string unescapeCase(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'x')
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)), i += 2;
        else if (c == '*') {
            const std::size_t end = text.find(';', i);
            out.append(std::stoul(std::string(text.substr(i + 1, end - i - 1))) - 1, out.back());
            i = end;
        } else
            out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == '0' ? '\0' : c;
    }
    return out;
}

// The blocks of a case file.
inline std::vector<CaseBlock> readCaseFile(const std::string &path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read the case file " + path);
    std::vector<CaseBlock> blocks(1);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (line == "----")
            blocks.emplace_back();
        if (line.empty() || line[0] == '#' || line == "----")
            continue;
        const std::size_t colon = std::min(line.find(": "), line.size() - 1);
        const std::string head = line.substr(0, colon), value = line.substr(std::min(colon + 2, line.size()));
        const std::size_t space = std::min(head.find(' '), head.size()), star = head.find('*');
        const int count = star < space ? std::stoi(head.substr(star + 1, space - star - 1)) : 1;
        for (int n = 1; n <= count; ++n) {
            std::string repeated = value;
            for (std::size_t at; (at = repeated.find("{n}")) != std::string::npos;)
                repeated.replace(at, 3, std::to_string(n));
            blocks.back().push_back({head.substr(0, std::min(star, space)),
                                     unescapeCase(head.substr(std::min(space + 1, head.size()))), unescapeCase(repeated),
                                     lineNumber});
        }
    }
    return blocks;
}

} // namespace kdx::test
