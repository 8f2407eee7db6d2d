#!/usr/bin/env python3
"""The Ansible module kdxcfg, run by ansible-playbook on this host (connection
local) against a bot folder of its own, with the kdxcfg of the build.

usage: ansible_module_test.py KDXCFG MODULE_FOLDER WORK_FOLDER
"""
import json
import os
import shutil
import subprocess
import sys

KDXCFG, MODULE_FOLDER, WORK = sys.argv[1:4]
BOT = os.path.join(WORK, "bot")
CFG = os.path.join(BOT, "KDX.cfg")
BEFORE = b"# our fleet\r\nmax_bots 16\r\nsay hello\r\n"
AFTER = b"# our fleet\r\nmax_bots 12\r\nmp_roundtime 3.5\r\n\r\nbotchat off\r\n\r\nsv_gravity 800\r\n"

PLAYBOOK = """
- hosts: all
  gather_facts: false
  tasks:
    - kdxcfg:
        path: "{{ cfg }}"
        settings: {max_bots: 12, botchat: "off"}
        commands: ["mp_roundtime 3.5", "sv_gravity 800"]
        executable: "{{ kdxcfg }}"
      register: result
      ignore_errors: true
    - copy: {content: "{{ result | to_json }}", dest: "{{ report }}"}
      check_mode: false
      diff: false
"""
REFUSED = PLAYBOOK.replace('botchat: "off"', "radio: 9")


def play(playbook, *options):
    """The kdxcfg task's result, as the playbook registered it."""
    path = os.path.join(WORK, "playbook.yml")
    report = os.path.join(WORK, "result.json")
    with open(path, "w") as file:
        file.write(playbook)
    environment = dict(os.environ, ANSIBLE_LIBRARY=MODULE_FOLDER,
                       ANSIBLE_LOCAL_TEMP=os.path.join(WORK, "tmp"), ANSIBLE_REMOTE_TEMP=os.path.join(WORK, "tmp"),
                       ANSIBLE_PYTHON_INTERPRETER=sys.executable, ANSIBLE_NOCOLOR="1")
    run = subprocess.run(["ansible-playbook", "-i", "localhost,", "-c", "local", "-e", "cfg=" + CFG,
                          "-e", "kdxcfg=" + KDXCFG, "-e", "report=" + report, *options, path],
                         env=environment, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("ansible-playbook ended with status %d:\n%s%s" % (run.returncode, run.stdout, run.stderr))
    with open(report) as file:
        return json.load(file)


def expect(what, actual, expected):
    if actual != expected:
        sys.exit("%s: %r, expected %r" % (what, actual, expected))


def file_state():
    status = os.stat(CFG)
    with open(CFG, "rb") as file:
        return file.read(), status.st_ino, status.st_mtime_ns


shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(BOT)
with open(CFG, "wb") as file:
    file.write(BEFORE)
untouched = file_state()

checked = play(PLAYBOOK, "--check", "--diff")
expect("check mode: changed", checked.get("changed"), True)
expect("check mode: the diff", checked["diff"]["prepared"],
       "--- a" + CFG + "\n+++ b" + CFG + "\n@@ -1,3 +1,7 @@\n # our fleet\n-max_bots 16\n-say hello\n"
       "+max_bots 12\n+mp_roundtime 3.5\n+\n+botchat off\n+\n+sv_gravity 800\n")
expect("check mode: the file", file_state(), untouched)

first = play(PLAYBOOK)
expect("first run: changed", (first.get("changed"), first.get("failed", False)), (True, False))
expect("first run: the file", file_state()[0], AFTER)

written = file_state()
second = play(PLAYBOOK, "--diff")
expect("second run: changed", (second.get("changed"), second.get("failed", False)), (False, False))
expect("second run: the file, its inode and time", file_state(), written)

refused = play(REFUSED)
expect("refused value: failed", refused.get("failed"), True)
if "radio takes 0 (Full)" not in refused.get("msg", ""):
    sys.exit("refused value: the message is %r" % refused.get("msg"))
expect("refused value: the file", file_state(), written)

# An ASCII file takes the code page given: Cyrillic is written in Windows-1251.
cyrillic = play(PLAYBOOK.replace('botchat: "off"', 'wptfolder: "путь"').replace("path:", 'code_page: "1251"\n        path:'))
expect("code page: changed", (cyrillic.get("changed"), cyrillic.get("failed", False)), (True, False))
expect("code page: the file", file_state()[0], AFTER + b"\r\nwptfolder \xef\xf3\xf2\xfc\r\n")


def commands_that_would_not_read_back():
    """Commands that the next read would not take as written: each fails its
    first run with kdxcfg's message and leaves the file, or its second run
    reports no change."""
    for commands in ('["# weekend rules"]', '[""]', '["max_bots 99"]', '["# weekend rules", "", "max_bots 99"]'):
        playbook = PLAYBOOK.replace('["mp_roundtime 3.5", "sv_gravity 800"]', commands)
        before = file_state()
        first = play(playbook)
        if first.get("failed"):
            if "read back" not in first.get("msg", ""):
                sys.exit("commands %s: the message is %r" % (commands, first.get("msg")))
            expect("commands %s: the file after a failed run" % commands, file_state(), before)
            continue
        second = play(playbook)
        expect("commands %s: second run" % commands, (second.get("changed"), second.get("failed", False)), (False, False))


commands_that_would_not_read_back()
print("check mode, first run, second run, a refused value, a code page and commands that would not read back as expected")
