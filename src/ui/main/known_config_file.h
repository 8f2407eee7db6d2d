#pragma once

#include "platform/platform.h"

#include <QByteArray>

#include <variant>

namespace kdx {

// What the program last knew of KDX.cfg on disk, so that replacing it can tell
// whether it would overwrite something the user has not seen. Contents are
// compared by a SHA-256 hash, which costs no second copy of a large file.
class KnownConfigFile {
public:
    enum class Question {
        None,          // replace it: it is what was last read or written, or gone
        NeverRead,     // it existed at start-up but could not be read
        Appeared,      // it was missing at start-up and exists now
        ChangedBehind, // it holds something other than what was last read or written
        UnreadableNow, // it exists but cannot be read now
    };

    void known(const QByteArray &content); // read or written
    void missing();                        // nothing to lose
    void unreadable();                     // exists, but what it holds is unknown

    // What to ask before replacing the file, given what reading it gives now.
    Question beforeReplacing(const std::variant<QByteArray, FileError> &now) const;

private:
    enum class State { Missing, Unreadable, Known };
    State state_ = State::Missing;
    QByteArray hash_;
};

} // namespace kdx
