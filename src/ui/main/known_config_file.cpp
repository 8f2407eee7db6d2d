#include "known_config_file.h"

#include <QCryptographicHash>

namespace kdx {
namespace {

QByteArray hashOf(const QByteArray &content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256);
}

} // namespace

void KnownConfigFile::known(const QByteArray &content)
{
    state_ = State::Known;
    hash_ = hashOf(content);
}

void KnownConfigFile::missing()
{
    state_ = State::Missing;
    hash_.clear();
}

void KnownConfigFile::unreadable()
{
    state_ = State::Unreadable;
    hash_.clear();
}

KnownConfigFile::Question KnownConfigFile::beforeReplacing(const std::variant<QByteArray, FileError> &now) const
{
    if (const auto *error = std::get_if<FileError>(&now))
        return error->missing ? Question::None : Question::UnreadableNow;
    switch (state_) {
    case State::Unreadable:
        return Question::NeverRead;
    case State::Missing:
        return Question::Appeared;
    case State::Known:
        break;
    }
    return hashOf(std::get<QByteArray>(now)) == hash_ ? Question::None : Question::ChangedBehind;
}

} // namespace kdx
