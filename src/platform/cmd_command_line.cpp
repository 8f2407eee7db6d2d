#include "cmd_command_line.h"

#include <QCoreApplication>

#include <algorithm>

namespace kdx {
namespace {

bool isControlCharacter(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

bool needsQuotes(const QString &argument)
{
    static const QString splitting = QStringLiteral(" ,;=()");
    return argument.isEmpty() || std::any_of(argument.begin(), argument.end(), [](QChar c) { return splitting.contains(c); });
}

} // namespace

std::variant<QString, RefusedArgument> cmdArgumentsForBatchFile(const QString &batchFile, const QString &argument)
{
    static const QString unsafeInArgument = QStringLiteral("%^&|<>!\"");
    for (const QChar c : argument) {
        if (unsafeInArgument.contains(c) || isControlCharacter(c))
            return RefusedArgument{
                QCoreApplication::translate("Platform", "The name \"%1\" holds a character that the command processor "
                                                        "would change or run as a command (%2), so the batch file "
                                                        "cannot be started with it. Rename the file.")
                    .arg(argument,
                         isControlCharacter(c) ? QCoreApplication::translate("Platform", "a control character") : QString(c))};
    }
    const QString nativeBatchFile = QString(batchFile).replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (nativeBatchFile.contains(QLatin1Char('%')) || nativeBatchFile.contains(QLatin1Char('"')))
        return RefusedArgument{QCoreApplication::translate("Platform", "The path \"%1\" holds % or \", which the "
                                                                       "command processor would change, so the batch "
                                                                       "file cannot be started from there.")
                                   .arg(nativeBatchFile)};

    const QString shownArgument = needsQuotes(argument) ? QLatin1Char('"') + argument + QLatin1Char('"') : argument;
    // With /s, cmd.exe drops the first and the last quote of what follows /c and
    // keeps everything between unchanged.
    return QStringLiteral("/d /v:off /s /c \"\"%1\" %2\"").arg(nativeBatchFile, shownArgument);
}

} // namespace kdx
