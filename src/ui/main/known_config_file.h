#pragma once

#include "files/file_access.h"
#include "platform/platform.h"

#include <optional>
#include <string>

namespace kdx {

// What the program last knew of KDX.cfg on disk: the content it read or wrote,
// no file, or a file it could not read. The writer replaces the file only where
// it still holds that; where it refuses, the question says why the file may
// hold what the user has not seen.
class KnownConfigFile {
public:
    enum class Question {
        NeverRead,     // it existed at start-up but could not be read
        Appeared,      // it was missing at start-up and exists now
        ChangedBehind, // it holds something other than what was last read or written
        UnreadableNow, // it exists but cannot be read now
    };

    void known(std::string content); // read or written
    void missing();                  // nothing to lose
    void unreadable();               // exists, but what it holds is unknown

    // What the file must hold for the writer to replace it unasked: a file
    // that could not be read counts as none, so that any file there is refused.
    const files::ContentAsRead &expected() const { return content_; }

    // What to ask after the writer refused, as the file no longer held the
    // expected content; none for a file that is gone, which is written anew.
    std::optional<Question> questionAfter(const FileError &refusal) const;

private:
    enum class State { Missing, Unreadable, Known };
    State state_ = State::Missing;
    files::ContentAsRead content_;
};

} // namespace kdx
