#include "config_file_watch.h"

#include <QCryptographicHash>

namespace kdx {
namespace {

QByteArray hashOf(const QByteArray &content)
{
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256);
}

} // namespace

void ConfigFileWatch::known(const QByteArray &content)
{
    state_ = State::Known;
    hash_ = hashOf(content);
}

void ConfigFileWatch::missing()
{
    state_ = State::Missing;
    hash_.clear();
}

void ConfigFileWatch::unreadable()
{
    state_ = State::Unreadable;
    hash_.clear();
}

ConfigFileWatch::Question ConfigFileWatch::beforeReplacing(const std::optional<QByteArray> &current) const
{
    if (state_ == State::Unreadable)
        return Question::NeverRead;
    if (!current || (state_ == State::Known && hashOf(*current) == hash_))
        return Question::None;
    return Question::ChangedBehind;
}

} // namespace kdx
