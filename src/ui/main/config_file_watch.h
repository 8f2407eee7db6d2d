#pragma once

#include <QByteArray>

#include <optional>

namespace kdx {

// What the program last knew of KDX.cfg on disk, so that a save can tell
// whether it would replace something the user has not seen. Contents are
// compared by a SHA-256 hash, which costs no second copy of a large file.
class ConfigFileWatch {
public:
    enum class Question {
        None,          // replace it
        NeverRead,     // it existed at start-up but could not be read
        ChangedBehind, // it holds something other than what was last read or written
    };

    void known(const QByteArray &content); // read or written
    void missing();                        // nothing to lose
    void unreadable();                     // exists, but what it holds is unknown

    // What to ask before replacing the file, which now holds `current`
    // (none: gone or unreadable, so that the write itself reports it).
    Question beforeReplacing(const std::optional<QByteArray> &current) const;

private:
    enum class State { Missing, Unreadable, Known };
    State state_ = State::Missing;
    QByteArray hash_;
};

} // namespace kdx
