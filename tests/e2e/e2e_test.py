"""End-to-end tests of the VEVaduDori executable under Xvfb, each in a fresh
program folder on its own display: what only the real program can show.

Usage: e2e_test.py PROGRAM SAMPLE-FOLDER SCREENSHOT-FOLDER WORK-FOLDER TEST-NAME..."""

import os
import sys

from desktop import Desktop, DriverError, file_identity, wait_until

PROGRAM, SAMPLE, SCREENSHOTS, WORK = sys.argv[1:5]


def crlf(*lines):
    """The bytes of a file whose every line ends in CR LF, as the program writes them."""
    return "".join(line + "\r\n" for line in lines).encode()


def expect_equal(actual, expected, what):
    if actual != expected:
        raise DriverError(f"{what} differs.\n  expected: {expected!r}\n  actual:   {actual!r}")


def desktop(config, with_languages=False):
    copy = {}
    if with_languages:
        # The language folders and this system's sample batch files with their helper.
        copy = {name: os.path.join(SAMPLE, name) for name in os.listdir(SAMPLE)
                if name in ("chat", "Titles") or name.startswith(("KDX", "kdx_")) and not name.endswith(".cfg")}
    return Desktop(PROGRAM, {"KDX.cfg": config}, copy, SCREENSHOTS, WORK)


def test_custom_commands():
    """Adding, changing and deleting (Cancel) custom commands in the input box;
    afterwards Save File has the focus, so Space saves."""
    config = crlf("# commands", "max_bots 20", "clantags On", "mp_roundtime 3.5", "sv_gravity 800", "pause 3")
    with desktop(config) as d:
        for button, new_text in (("cmdCustom_3", "mp_timelimit 20"), ("cmdCustom_1", "mp_roundtime 5"),
                                 ("cmdCustom_2", None)):
            d.click(button)
            box = d.wait_dialog("Change/Add Command")
            if new_text is None:
                d.key("Escape")  # Cancel deletes the command
            else:
                d.key("ctrl+a")
                d.type(new_text)
                d.key("Return")
            d.wait_gone(box, "the command input box")
        d.focus(d.main)
        saved = d.after_write("KDX.cfg", lambda: d.key("space"))
        expect_equal(saved, crlf("# commands", "max_bots 20", "clantags On", "mp_roundtime 5", "", "pause 3", "",
                                 "mp_timelimit 20"), "the saved KDX.cfg")


def test_help_boxes_and_escape():
    """A help mark opens a box titled after its setting; OK and Esc close it.
    Esc in the main window then ends the program and leaves its edits unsaved."""
    with open(os.path.join(SAMPLE, "KDX.cfg"), "rb") as sample:
        config = sample.read() + crlf("mp_roundtime 3.5", "sv_gravity 800")
    with desktop(config) as d:
        d.click("lblHelp_2")
        box = d.wait_dialog("clantags")
        d.screenshot(box, "help-clantags")
        d.key("Return")
        d.wait_gone(box, "the clantags help box")
        d.click("lblHelp_0")
        box = d.wait_dialog("server commands")
        d.key("Escape")
        d.wait_gone(box, "the server commands help box")
        d.screenshot(d.main, "main-window")

        original = file_identity(d.path("KDX.cfg"))
        d.focus(d.main)
        d.click("chkCVAR_2")
        d.click("txtCVAR_1")
        d.type("x")
        d.key("Escape")
        expect_equal(d.wait_exit(), 0, "the exit code")
        expect_equal(file_identity(d.path("KDX.cfg")), original, "KDX.cfg after Esc (inode, time, size)")


def test_given_folder():
    """Started on a bot's KDX.cfg, as the desktop entry starts it, the program
    saves there and leaves the KDX.cfg beside itself alone. Which folder each
    form of argument names is bot_folder_test's."""
    own, bot = crlf("clantags on"), os.path.join("Bot Ördner 日本", "KDX.cfg")
    with Desktop(PROGRAM, {"KDX.cfg": own, bot: crlf("clantags on")}, {}, SCREENSHOTS, WORK, arguments=[bot]) as d:
        saved = d.after_write(bot, lambda: (d.click("chkCVAR_2"), d.click("cmdSave")))
        expect_equal(saved, crlf("clantags off"), "the bot's KDX.cfg")
        expect_equal(d.read("KDX.cfg"), own, "the KDX.cfg beside the program")


def test_bad_argument():
    """A path that is no bot folder, or a code page that the system does not
    know: a box says so, and the program ends with status 2."""
    for options, arguments in (([], ["no such folder"]), (["--code-page", "no-such-page"], [])):
        with Desktop(PROGRAM, {"KDX.cfg": crlf("pause 3")}, {}, SCREENSHOTS, WORK, arguments=arguments,
                     main_window=False, options=options) as d:
            d.wait_dialog("VEVaduDori")
            d.key("Return")
            expect_equal(d.wait_exit(), 2, f"the exit code for {options + arguments}")


def apply_language(d, title, shot, search, folder, active):
    """Picks a language file by typing its first letter and presses Enter; the
    batch file then makes it the bot's active file and its message is shown.
    One letter, because on a loaded machine the pause between two typed letters
    can outlast the list's search and start it anew."""
    dialog = d.wait_dialog(title)
    d.screenshot(dialog, shot)
    d.type(search[0])
    chosen = d.read(os.path.join(folder, search + ".txt"))
    d.key("Return")
    wait_until(lambda: os.path.exists(d.path(active)) and d.read(active) == chosen,
               f"the batch file to copy {search}.txt to {active}")
    message = d.wait_dialog("VEVaduDori")
    d.key("Return")
    d.wait_gone(message, "the language message")
    d.wait_gone(dialog, f'the dialog "{title}"')


def test_languages():
    with desktop(crlf("pause 3"), with_languages=True) as d:
        d.click("cmdChatLang")
        apply_language(d, "Change chat-language", "chat-dialog", "English", "chat", "chat.txt")
        d.focus(d.main)
        d.key("Tab", "space")  # the focus is back on the chat button, and the titles button is the next stop
        apply_language(d, "Change language", "titles-dialog", "Deutsch", "Titles", "titles.txt")


def main(names):
    failed = 0
    for name in names:
        try:
            globals()["test_" + name]()
            print(f"PASS {name}")
        except (DriverError, OSError) as error:
            failed += 1
            print(f"FAIL {name}: {error}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[5:]))
