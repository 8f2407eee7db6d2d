#include "known_config_file.h"

namespace kdx {

void KnownConfigFile::known(std::string content)
{
    state_ = State::Known;
    content_ = std::move(content);
}

void KnownConfigFile::missing()
{
    state_ = State::Missing;
    content_.reset();
}

void KnownConfigFile::unreadable()
{
    state_ = State::Unreadable;
    content_.reset();
}

std::optional<KnownConfigFile::Question> KnownConfigFile::questionAfter(const FileError &refusal) const
{
    if (refusal.missing)
        return std::nullopt;
    if (refusal.unreadableNow)
        return Question::UnreadableNow;
    switch (state_) {
    case State::Unreadable:
        return Question::NeverRead;
    case State::Missing:
        return Question::Appeared;
    case State::Known:
        break;
    }
    return Question::ChangedBehind;
}

} // namespace kdx
