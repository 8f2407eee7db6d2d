#!/usr/bin/env python3
"""The collection's modules kdxcfg and kdxcfg_info, run by ansible-playbook on
this host (connection local) against a bot folder of its own, with the kdxcfg
of the build: one play per row, each on a KDX.cfg of its own unless it goes on
with the file of the row before.

usage: ansible_module_test.py KDXCFG COLLECTIONS_FOLDER WORK_FOLDER
"""
import ast
import json
import os
import pwd
import shutil
import subprocess
import sys

KDXCFG, COLLECTIONS, WORK = sys.argv[1:4]
BOT = os.path.join(WORK, "bot")
CFG = os.path.join(BOT, "KDX.cfg")
MODULE = os.path.join(COLLECTIONS, "ansible_collections", "vevadudori", "kdx", "plugins", "modules", "kdxcfg.py")
BEFORE = b"# our fleet\r\nmax_bots 16\r\nsay hello\r\n"
AFTER = b"# our fleet\r\nmax_bots 12\r\nmp_roundtime 3.5\r\n\r\nbotchat off\r\n\r\nsv_gravity 800\r\n"
FLEET = {"settings": {"max_bots": 12, "botchat": "off"}, "commands": ["mp_roundtime 3.5", "sv_gravity 800"]}
CYRILLIC = b"wptfolder \xef\xf3\xf2\xfc\r\nbotchat\xc6on\r\nsay \xef\xf0\xe8\xe2\xe5\xf2\r\n"
SAME = "same"  # the file as the row before left it


def task(**arguments):
    return dict({"module": "kdxcfg", "path": CFG, "executable": KDXCFG}, **arguments)


ROWS = [
    # name, file before, task, ansible-playbook options,
    # what the result holds, a text of msg or of the play's output, the file after (None: as before)
    ("check mode with diff", BEFORE, task(**FLEET), ["--check", "--diff"],
     {"changed": True, "diff": {"prepared": "--- a" + CFG + "\n+++ b" + CFG + "\n@@ -1,3 +1,7 @@\n # our fleet\n"
                                "-max_bots 16\n-say hello\n+max_bots 12\n+mp_roundtime 3.5\n+\n+botchat off\n+\n"
                                "+sv_gravity 800\n"}}, None, None),
    ("first run", BEFORE, task(**FLEET), [],
     {"changed": True, "stored": [], "changes": [
         {"key": "max_bots", "line": 2, "before": "16", "after": "12", "reason": "given"},
         {"key": "botchat", "line": None, "before": "on", "after": "off", "reason": "given"}]}, None, AFTER),
    ("second run", SAME, task(**FLEET), ["--diff"], {"changed": False}, None, None),
    ("refused value", BEFORE, task(settings={"radio": 9}), [], {"failed": True}, "radio takes 0 (Full)", None),
    # Commands that a second run would read back otherwise: refused, or converged on the first run.
    ("command read back as a setting", BEFORE, task(commands=["max_bots 99"]), [], {"failed": True},
     'the custom command "max_bots 99" would read back as the setting max_bots', None),
    ("command read back as a comment", BEFORE, task(commands=["# weekend rules"]), [], {"failed": True},
     'the custom command "# weekend rules" would read back as a comment', None),
    ("empty command skipped", BEFORE, task(commands=["", "sv_gravity 800"]), [], {"changed": True}, None,
     b"# our fleet\r\nmax_bots 16\r\nsv_gravity 800\r\n"),
    ("empty command, second run", SAME, task(commands=["", "sv_gravity 800"]), [], {"changed": False}, None, None),
    ("number with a typo", BEFORE, task(settings={"max_bots": "1O"}), [], {"failed": True},
     'max_bots: cannot store "1O"', None),
    ("unknown key", BEFORE, task(settings={"max_bot": 3}), [], {"failed": True},
     "no setting is called 'max_bot'; the nearest: max_bots, ", None),
    ("key like an option", BEFORE, task(settings={"--help": 3}), [], {"failed": True},
     "no setting is called '--help'; the settings are wptfolder, ", None),
    ("list value", BEFORE, task(settings={"wptfolder": ["wpt", "KDX"]}), [], {"failed": True},
     "wptfolder: the value is a list", None),
    ("mapping value", BEFORE, task(settings={"pause": {"a": 1}}), [], {"failed": True},
     "pause: the value is a mapping", None),
    ("unquoted off", BEFORE, task(settings={"botchat": False}), [], {"failed": True},
     'write "on" or "off" in quotes', None),
    ("value stored differently", BEFORE, task(settings={"pause": "1e2"}), [],
     {"changed": True, "stored": [{"key": "pause", "given": "1e2", "stored": "100"}]},
     "[WARNING]: pause: 1e2 stored as 100", BEFORE + b"\r\npause 100\r\n"),
    # An ASCII file takes the code page given: Cyrillic is written in Windows-1251.
    ("code page", BEFORE, task(settings={"wptfolder": "путь"}, code_page="1251"), [], {"changed": True}, None,
     BEFORE + b"\r\nwptfolder \xef\xf3\xf2\xfc\r\n"),
    ("backup on change", BEFORE, task(settings={"max_bots": 12}, backup=True), [], {"changed": True}, None,
     b"# our fleet\r\nmax_bots 12\r\nsay hello\r\n"),
    ("no backup without change", SAME, task(settings={"max_bots": 12}, backup=True), [], {"changed": False}, None,
     None),
    ("info in a code page", CYRILLIC, {"module": "kdxcfg_info", "path": CFG, "code_page": "1251", "executable": KDXCFG},
     ["--check"], {"changed": False, "commands": [{"slot": 1, "text": "say привет", "line": 3}] + [
         {"slot": slot, "text": "", "line": None} for slot in range(2, 9)]}, None, None),
]


def play(row_task, options):
    """The task's result as the play registered it, and the play's output (warnings are on standard error)."""
    report = os.path.join(WORK, "result.json")
    arguments = dict(row_task)
    module = "vevadudori.kdx." + arguments.pop("module")
    playbook = [{"hosts": "all", "gather_facts": False, "tasks": [
        {module: arguments, "register": "result", "ignore_errors": True},
        {"ansible.builtin.copy": {"content": "{{ result | to_json }}", "dest": report}, "check_mode": False,
         "diff": False}]}]
    path = os.path.join(WORK, "playbook.yml")
    with open(path, "w") as file:
        json.dump(playbook, file)
    environment = dict(os.environ, ANSIBLE_COLLECTIONS_PATH=COLLECTIONS, ANSIBLE_LOCAL_TEMP=os.path.join(WORK, "tmp"),
                       ANSIBLE_REMOTE_TEMP=os.path.join(WORK, "tmp"), ANSIBLE_PYTHON_INTERPRETER=sys.executable,
                       ANSIBLE_NOCOLOR="1")
    run = subprocess.run(["ansible-playbook", "-i", "localhost,", "-c", "local", *options, path],
                         env=environment, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("ansible-playbook ended with status %d:\n%s%s" % (run.returncode, run.stdout, run.stderr))
    with open(report) as file:
        return json.load(file), run.stdout + run.stderr


def file_state():
    status = os.stat(CFG)
    with open(CFG, "rb") as file:
        return file.read(), status.st_ino, status.st_mtime_ns


def check(name, actual, expected):
    if actual != expected:
        sys.exit("%s: %r, expected %r" % (name, actual, expected))


def run_rows():
    for name, before, row_task, options, expected, text, after in ROWS:
        if before is not SAME:
            shutil.rmtree(BOT, ignore_errors=True)
            os.makedirs(BOT)
            with open(CFG, "wb") as file:
                file.write(before)
        untouched = file_state()
        result, output = play(row_task, options)
        check(name + ": the result", {key: result.get(key) for key in expected}, expected)
        if text is not None and text not in result.get("msg", "") + output:
            sys.exit("%s: %r is neither in the message %r nor in the output:\n%s"
                     % (name, text, result.get("msg"), output))
        check(name + ": the file", file_state() if after is None else file_state()[0],
              untouched if after is None else after)
        backups = sorted(entry for entry in os.listdir(BOT) if entry != "KDX.cfg")
        check(name + ": the backup", [os.path.join(BOT, entry) for entry in backups],
              [result["backup_file"]] if "backup_file" in result else [])
        if backups:
            with open(os.path.join(BOT, backups[0]), "rb") as file:
                check(name + ": the backup's bytes", file.read(), untouched[0])
            os.remove(os.path.join(BOT, backups[0]))
        yield result


def check_info(result):
    """kdxcfg_info's settings and findings of the file in Windows-1251."""
    folder = {row["key"]: row for row in result["settings"]}["wptfolder"]
    check("info: wptfolder", folder, {"key": "wptfolder", "value": "путь", "default": "wptKDX", "line": 1})
    check("info: the findings' lines", [finding["line"] for finding in result["findings"]], [2])
    if "botchatЖon" not in result["findings"][0]["text"]:
        sys.exit("info: the finding %r" % result["findings"][0])


def check_setting_keys():
    """The module's keys are kdxcfg's, in its order."""
    with open(MODULE) as file:
        tree = ast.parse(file.read())
    keys = next(ast.literal_eval(node.value) for node in tree.body
                if isinstance(node, ast.Assign) and getattr(node.targets[0], "id", "") == "SETTING_KEYS")
    shown = subprocess.run([KDXCFG, "--json", "--file", CFG, "show"], capture_output=True, check=True, text=True)
    check("the setting keys", list(keys), [row["key"] for row in json.loads(shown.stdout)["settings"]])


def check_file_attributes():
    """A file made by create gets the owner, group and mode given; a second run changes nothing."""
    if os.geteuid() != 0:
        print("owner, group and mode: skipped, as only root can give a file away")
        return
    shutil.rmtree(BOT, ignore_errors=True)
    os.makedirs(BOT)
    nobody = pwd.getpwnam("nobody")
    made = task(settings={"max_bots": 4}, create=True, owner="nobody", group=nobody.pw_gid, mode="0600")
    for name, changed in (("create with owner, group and mode", True), ("again", False)):
        result, dummy = play(made, [])
        status = os.stat(CFG)
        check(name, (result.get("changed"), result.get("failed", False), status.st_uid, status.st_gid,
                     status.st_mode & 0o777), (changed, False, nobody.pw_uid, nobody.pw_gid, 0o600))


shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(WORK)
results = list(run_rows())
check_info(results[-1])
check_setting_keys()
check_file_attributes()
print("%d plays, the setting keys, owner, group and mode as expected" % len(ROWS))
