#pragma once

#include <QString>

#include <variant>

namespace kdx {

// Why a batch file cannot be started with a given argument, in words for the user.
struct RefusedArgument {
    QString reason;
};

// The arguments that make cmd.exe run a batch file with one argument, exactly
// as CreateProcess passes them (so without the program name):
//     /d /v:off /s /c ""C:\bot\KDXchat.bat" Deutsch.txt"
// The argument stands bare where it needs no quotes, so the batch file's %1 is
// exactly the name; it is quoted where cmd.exe would split it (blanks, commas,
// semicolons, equals signs) or a parenthesised block of the batch file
// would end at it. Refused are arguments that cmd.exe or the batch file would
// change or run as commands even when quoted: % ^ & | < > ! " and control
// characters; and a batch file whose path holds % or ".
std::variant<QString, RefusedArgument> cmdArgumentsForBatchFile(const QString &batchFile, const QString &argument);

} // namespace kdx
