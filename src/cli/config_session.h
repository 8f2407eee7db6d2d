#pragma once

#include "config/kdx_cfg.h"
#include "config/message.h"
#include "files/file_access.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kdx::cli {

// What a write of kdxcfg did to its target, or in a dry run would do.
struct Replacement {
    std::filesystem::path target;
    files::ContentAsRead before; // none: there was no file
    std::string after;
    CodePage codePage; // what the bytes are written in

    bool changed() const { return before != after; }
};

// KDX.cfg as one run of kdxcfg works on it: read once, written at most once,
// and only over the content that was read.
class ConfigSession {
public:
    // Reads the file in the code pages given. A missing file is read as an empty
    // one when createMissing is set; otherwise, and for every other failure, the
    // reason goes to err and the result is empty.
    static std::optional<ConfigSession> open(const std::filesystem::path &path, const FileCodePages &codePages,
                                             bool createMissing, std::ostream &err);

    KDXCfg &cfg() { return cfg_; }
    const KDXCfg &cfg() const { return cfg_; }
    const std::filesystem::path &path() const { return path_; }
    // The reader's messages ("Too many custom commands", ...), in order.
    const std::vector<Message> &messages() const { return messages_; }
    // The file's bytes as read; empty for a missing file read as a new one.
    std::string_view content() const { return asRead_ ? std::string_view(*asRead_) : std::string_view(); }

    // Writes the bytes, which are in the code page given, atomically to the
    // file itself (refused when another program changed it since it was read)
    // or to another file. Bytes that the target already holds are not written,
    // and err says "PATH unchanged"; a dry run writes nothing, but is refused
    // where the write would be refused before it begins. The target's content
    // before and the bytes, or nothing after the reason went to err; the file
    // on disk is then unchanged.
    std::optional<Replacement> write(const std::filesystem::path &target, const std::string &bytes, const CodePage &codePage,
                                     bool dryRun, std::ostream &err) const;

private:
    ConfigSession(std::filesystem::path path, files::ContentAsRead asRead, const FileCodePages &codePages);

    std::filesystem::path path_;
    files::ContentAsRead asRead_;
    KDXCfg cfg_;
    std::vector<Message> messages_;
};

// "path: " for a message about a file.
std::string named(const std::filesystem::path &path);

} // namespace kdx::cli
