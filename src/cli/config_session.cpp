#include "config_session.h"

#include "config/config_reader.h"

#include <ostream>

namespace kdx::cli {

std::string named(const std::filesystem::path &path)
{
    return files::utf8FromPath(path) + ": ";
}

namespace {

// What another file than the one read holds now; none when it cannot be read,
// so that the write goes ahead and meets the reason itself.
files::ContentAsRead contentOf(const std::filesystem::path &target)
{
    auto read = files::readWhole(target);
    if (auto *bytes = std::get_if<std::string>(&read))
        return std::move(*bytes);
    return std::nullopt;
}

// True when both paths name one file, however they name it: on Windows
// "kdx.cfg" is KDX.cfg, and a link is the file it names.
bool sameFile(const std::filesystem::path &a, const std::filesystem::path &b)
{
    std::error_code error;
    const bool same = std::filesystem::equivalent(a, b, error);
    return error ? a.lexically_normal() == b.lexically_normal() : same;
}

} // namespace

ConfigSession::ConfigSession(std::filesystem::path path, files::ContentAsRead asRead, const FileCodePages &codePages)
    : path_(std::move(path)), asRead_(std::move(asRead)), cfg_(codePages)
{
}

std::optional<ConfigSession> ConfigSession::open(const std::filesystem::path &path, const FileCodePages &codePages,
                                                 bool createMissing, std::ostream &err)
{
    auto read = files::readWhole(path);
    if (const auto *failure = std::get_if<files::Failure>(&read)) {
        if (!failure->missing || !createMissing) {
            err << "kdxcfg: " << named(path) << failure->reason
                << (failure->missing ? " (--create makes a new file with set or command)" : "") << '\n';
            return std::nullopt;
        }
        return ConfigSession(path, std::nullopt, codePages);
    }
    ConfigSession session(path, std::get<std::string>(std::move(read)), codePages);
    session.messages_ = readConfiguration(session.cfg_, *session.asRead_);
    return session;
}

std::optional<Replacement> ConfigSession::write(const std::filesystem::path &target, const std::string &bytes,
                                                const CodePage &codePage, bool dryRun, std::ostream &err) const
{
    const bool itself = sameFile(target, path_);
    Replacement replacement{target, itself ? asRead_ : contentOf(target), bytes, codePage};
    if (!replacement.changed()) {
        err << files::utf8FromPath(target) << " unchanged\n";
        return replacement;
    }
    const auto failure =
        dryRun ? files::refusalToWrite(target) : files::writeAtomically(target, bytes, itself ? &asRead_ : nullptr);
    if (!failure)
        return replacement;
    if (failure->changedSinceRead)
        err << "kdxcfg: " << named(target) << "changed by another program since kdxcfg read it; nothing was written\n";
    else
        err << "kdxcfg: " << named(target) << "could not be written: " << failure->reason << "; the file on disk is unchanged\n";
    return std::nullopt;
}

} // namespace kdx::cli
