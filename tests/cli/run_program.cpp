#include "run_program.h"

#include "files/file_access.h"

#include <variant>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char **environ;
#endif

namespace kdx::test {
namespace {

std::string contentOf(const std::filesystem::path &path)
{
    auto read = files::readWhole(path);
    return std::holds_alternative<std::string>(read) ? std::get<std::string>(read) : std::string();
}

#ifdef _WIN32
std::wstring wide(const std::string &utf8)
{
    return files::pathFromUtf8(utf8).wstring();
}

// One argument as the C runtime's parser splits the command line back into it.
std::wstring quoted(const std::wstring &argument)
{
    std::wstring text = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        text.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        text += c;
    }
    text.append(2 * backslashes, L'\\');
    return text + L"\"";
}

HANDLE inheritableFile(const std::filesystem::path &path)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}
#endif

} // namespace

ProgramRun runProgram(const std::filesystem::path &program, const std::vector<std::string> &arguments,
                      const std::filesystem::path &workFolder)
{
    const std::filesystem::path folder = std::filesystem::absolute(workFolder);
    // Beside the folder, which then holds only what the program made.
    const std::filesystem::path outPath = std::filesystem::path(folder) += ".stdout";
    const std::filesystem::path errPath = std::filesystem::path(folder) += ".stderr";
    ProgramRun run;
#ifdef _WIN32
    std::wstring commandLine = quoted(program.wstring());
    for (const std::string &argument : arguments)
        commandLine += L" " + quoted(wide(argument));
    HANDLE out = inheritableFile(outPath);
    HANDLE err = inheritableFile(errPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD status = 0;
        GetExitCodeProcess(process.hProcess, &status);
        run.status = static_cast<int>(status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
#else
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char *> pointers;
    for (std::string &argument : argv)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder); // the child starts in the folder
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv.front().c_str(), &actions, nullptr, pointers.data(), environ);
    std::filesystem::current_path(previous);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
#endif
    run.out = contentOf(outPath);
    run.err = contentOf(errPath);
    return run;
}

} // namespace kdx::test
