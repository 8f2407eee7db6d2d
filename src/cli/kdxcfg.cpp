#include "kdxcfg.h"

#include "subcommands.h"

#include "config/file_names.h"
#include "files/file_access.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>
#include <sstream>
#include <variant>

namespace kdx::cli {
namespace {

constexpr const char *jsonAnswers =
    "With --json, standard output holds one JSON object (a line is null where the file does not hold it):\n"
    "  show                   {\"file\", \"settings\": [{\"key\", \"value\", \"default\", \"line\"}],\n"
    "                          \"commands\": [{\"slot\", \"text\", \"line\"}], \"messages\": [{\"title\", \"text\"}]}\n"
    "  get                    {\"key\", \"value\", \"line\"}\n"
    "  check                  {\"file\", \"findings\": [{\"line\", \"text\"}]}\n"
    "  set, command, clean    {\"changed\", \"file\", \"stored\": [{\"key\", \"given\", \"stored\"}],\n"
    "                          \"changes\": [{\"key\", \"line\", \"before\", \"after\", \"reason\"}],\n"
    "                          \"messages\": [{\"title\", \"text\"}], \"diff\"}, and \"slot\" after command add;\n"
    "                         stored: each value stored differently from how it was given; changes: each\n"
    "                         setting whose value differs from the file's, reason given, rule or tidy\n"
    "  any error (status 2)   {\"error\": the message, also on standard error, \"status\": 2}\n\n";

constexpr const char *exitStatuses = "Exit status:\n"
                                     "  0  done, also when the file needed no change; for check: nothing to report\n"
                                     "  1  check found something to report\n"
                                     "  2  error: bad arguments, a value refused, a run that would not read "
                                     "back as written, a file that cannot be read or written; nothing was "
                                     "written\n";

// Parses the arguments and runs the subcommand; json tells whether --json was
// given (as far as the arguments could be parsed).
int parseAndRun(std::vector<std::string> arguments, std::ostream &out, std::ostream &err, bool &json)
{
    CLI::App app("Reads and edits KDX.cfg, the configuration file of the E[VRK]bot, by the rules of VEVaduDori's "
                 "window. Works on KDX.cfg in the current folder unless --file names another.",
                 "kdxcfg");
    app.set_version_flag("--version", "kdxcfg " KDXCFG_VERSION);
    app.footer(std::string(jsonAnswers) + exitStatuses);
    app.require_subcommand(1);
    app.fallthrough();

    std::string file(ConfigFileName);
    bool create = false;
    app.add_option("--file", file, "The configuration file to work on")->type_name("PATH");
    app.add_flag("--create", create, "set and command make the file when it does not exist");
    ReportForm form;
    app.add_flag("--dry-run", form.dryRun,
                 "set, command and clean write nothing and print the unified diff of what they would change");
    const CLI::Option *jsonOption =
        app.add_flag("--json", form.json, "Every subcommand answers with one JSON object on standard output (below)");
    std::string codePage;
    const CLI::Option *codePageOption = app.add_option("--code-page", codePage, CodePageOptionHelp)->type_name("NAME");

    CLI::App *showCommand = app.add_subcommand(
        "show", "The 26 settings with value, default and line, the eight custom-command slots, the reader's messages");

    std::string key;
    CLI::App *getCommand = app.add_subcommand("get", "The value of one setting alone");
    getCommand->add_option("KEY", key, "A setting's key, such as max_bots")->required();

    std::vector<std::string> assignments, commands;
    CLI::App *setCommand = app.add_subcommand(
        "set", "Enters values in the order given, as in the window's controls, then saves the file in place; each "
               "value stored differently, and each setting that a rule or the window's first show changed, is named on "
               "standard error. A file that would not change is not written. A run that would not read back as "
               "written, so that running it again would change the file again, is refused and writes nothing");
    setCommand->add_option("KEY=VALUE", assignments, "A setting and its new value");
    CLI::Option *commandList =
        setCommand
            ->add_option("--command", commands,
                         "Repeated, replaces the eight custom commands as a whole: the first fills slot 1, the next "
                         "slot 2, and the slots left over are freed; empty ones are skipped, and --command \"\" alone "
                         "frees them all. Refused for a command that would read back as a setting or a comment, and "
                         "on a file with more custom commands than slots")
            ->type_name("TEXT")
            ->expected(1)
            ->allow_extra_args(false) // a vector would take the KEY=VALUE after its text, and eat a "--"
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);

    CLI::App *commandCommand = app.add_subcommand("command", "Edits the eight custom-command slots");
    commandCommand->require_subcommand(1);
    std::string text;
    int slot = 0;
    CLI::App *addCommand = commandCommand->add_subcommand(
        "add", "Puts a command into the first free slot, unless a slot holds it already, and prints the slot");
    addCommand->add_option("TEXT", text, "The command line")->required();
    CLI::App *setSlotCommand = commandCommand->add_subcommand("set", "Replaces the command of a slot");
    setSlotCommand->add_option("N", slot, "The slot, 1 to 8")->required();
    setSlotCommand->add_option("TEXT", text, "The command line; empty frees the slot")->required();
    CLI::App *removeCommand = commandCommand->add_subcommand(
        "remove", "Frees a slot; its line is written empty. Refused where a later slot is filled, or the file holds "
                  "more custom commands than slots: the next read would fill the freed slot");
    removeCommand->add_option("N", slot, "The slot, 1 to 8")->required();

    bool leaveOutDefaults = false;
    std::string outName;
    CLI::App *cleanCommand = app.add_subcommand(
        "clean", "Writes a clean file, a header and the settings in standard order, beside the configuration file");
    cleanCommand->add_flag("--leave-out-defaults", leaveOutDefaults, "Leaves out every setting at its default");
    cleanCommand->add_option("OUT", outName, "The clean file's name, without a folder")->required();

    app.add_subcommand("check", "Reports what the reader or the window would not take as written, line by line");

    for (CLI::App *subcommand : app.get_subcommands({}))
        subcommand->footer(exitStatuses);

    std::reverse(arguments.begin(), arguments.end());
    try {
        app.parse(arguments);
    } catch (const CLI::Success &done) { // --help, --version
        app.exit(done, out, err);
        return ExitSuccess;
    } catch (const CLI::ParseError &error) {
        json = jsonOption->count() > 0;
        err << "kdxcfg: " << error.what() << "\nRun \"kdxcfg --help\" for the usage.\n";
        return ExitFailure;
    }
    json = form.json;

    std::variant<FileCodePages, std::string> codePages = systemCodePages();
    if (codePageOption->count() > 0)
        codePages = codePagesNamed(codePage);
    if (const auto *unknown = std::get_if<std::string>(&codePages)) {
        err << "kdxcfg: --code-page: " << *unknown << "\n";
        return ExitFailure;
    }
    const Context context{files::pathFromUtf8(file), std::get<FileCodePages>(std::move(codePages)), create, form, out, err};
    if (showCommand->parsed())
        return show(context);
    if (getCommand->parsed())
        return get(context, key);
    if (setCommand->parsed())
        return set(context, assignments, commandList->count() > 0 ? std::optional(commands) : std::nullopt);
    if (addCommand->parsed())
        return commandAdd(context, text);
    if (setSlotCommand->parsed())
        return commandSet(context, slot, text);
    if (removeCommand->parsed())
        return commandRemove(context, slot);
    if (cleanCommand->parsed())
        return clean(context, leaveOutDefaults, outName);
    return check(context);
}

} // namespace

int runKdxcfg(std::vector<std::string> arguments, std::ostream &out, std::ostream &err)
{
    // The messages are held until the run ends, so that under --json a failure
    // answers with them on standard output too.
    std::ostringstream messages;
    bool json = false;
    const int status = parseAndRun(std::move(arguments), out, messages, json);
    err << messages.str();
    if (json && status == ExitFailure)
        reportFailure(messages.str(), status, out);
    return status;
}

} // namespace kdx::cli
