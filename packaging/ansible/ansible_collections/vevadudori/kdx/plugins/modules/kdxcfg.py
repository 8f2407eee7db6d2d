# Ansible module kdxcfg: sets KDX.cfg of an E[VRK]bot on a managed host through
# that host's kdxcfg, which owns every rule; this module only checks the shape
# of its input, builds kdxcfg's command line and passes its report on.
# Copyright 2026 The VEVaduDori authors; MIT licence (LICENSE, or
# /usr/share/doc/kdxcfg/copyright where the kdxcfg package installed it).

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r"""
---
module: kdxcfg
short_description: Set the settings and custom commands of an E[VRK]bot's KDX.cfg
description:
  - Sets settings of C(KDX.cfg), the configuration file of the E[VRK]bot add-on
    for Half-Life game servers, and optionally its eight custom server commands,
    by the rules of the VEVaduDori window, keeping comments, blank lines and the
    order of lines.
  - Runs the managed host's C(kdxcfg) once per task (from the C(kdxcfg)
    package); a value is stored as C(kdxcfg) stores it, and one it refuses fails
    the task with its message. What C(kdxcfg) notes on a successful run (a value
    stored differently from how it was given, a setting the file holds twice)
    becomes a warning.
  - The file is written only when its bytes change, atomically, keeping its
    owner, group and mode unless O(owner), O(group) or O(mode) say otherwise.
version_added: "1.0.0"
author: VEVaduDori maintainers (@vevadudori)
options:
  settings:
    description:
      - Setting keys and their values, as in the example. A key is one of the
        26 that C(kdxcfg show) lists; another fails the task, naming the
        nearest.
      - A value is a string or a number, entered as the window's control takes
        it. A list, a mapping, a null or a boolean fails the task; write the
        values of on/off settings in quotes (V("on"), V("off")), as YAML reads
        them unquoted as booleans.
    type: dict
    default: {}
  commands:
    description:
      - The eight custom-command slots as a whole; the first command fills
        slot 1, and the slots left over are freed. An empty list frees them
        all. Left out, the slots stay as they are.
    type: list
    elements: str
  create:
    description: Make the file when it does not exist.
    type: bool
    default: false
  backup:
    description:
      - Copy the file beside itself, under a name with the time, before it
        changes; no copy is left when it does not change.
    type: bool
    default: false
extends_documentation_fragment:
  - vevadudori.kdx.kdxcfg_file
  - ansible.builtin.files
  - ansible.builtin.action_common_attributes
attributes:
  check_mode:
    support: full
  diff_mode:
    support: full
  platform:
    platforms: posix
notes:
  - In check mode C(kdxcfg --dry-run) computes the change and nothing is written.
seealso:
  - module: vevadudori.kdx.kdxcfg_info
"""

EXAMPLES = r"""
- name: Twelve bots that keep quiet, on every game server
  vevadudori.kdx.kdxcfg:
    path: /srv/hlds/valve/addons/kdx/KDX.cfg
    settings:
      max_bots: 12
      botchat: "off"
    commands:
      - mp_roundtime 3.5
      - sv_gravity 800
    backup: true

- name: A new KDX.cfg that belongs to the game server's user
  vevadudori.kdx.kdxcfg:
    path: /srv/hlds/valve/addons/kdx/KDX.cfg
    settings: {wptfolder: "wpt KDX"}
    create: true
    owner: hlds
    group: hlds
    mode: "0644"
"""

RETURN = r"""
stored:
  description: Each value stored differently from how it was given.
  returned: always
  type: list
  elements: dict
  sample: [{"key": "pause", "given": "1e2", "stored": "100"}]
changes:
  description: Each setting that changed, as C(kdxcfg) reports it; empty where it reports none.
  returned: always
  type: list
  elements: dict
  sample: [{"key": "max_bots", "line": 2, "before": "16", "after": "12", "reason": "given"}]
messages:
  description: The messages C(kdxcfg) gave on the file, as it reports them.
  returned: always
  type: list
  elements: dict
backup_file:
  description: The copy of the file made before it changed.
  returned: when O(backup) is true and the file changed
  type: str
  sample: /srv/hlds/valve/addons/kdx/KDX.cfg.2510.2026-12-07@18:05:11~
diff:
  description: The unified diff of the file, in diff mode.
  returned: when diff mode is on
  type: dict
"""

import difflib
import os

from ansible.module_utils.basic import AnsibleModule
from ansible.module_utils.six import string_types
from ansible_collections.vevadudori.kdx.plugins.module_utils.kdxcfg_run import FILE_OPTIONS, run_kdxcfg

# The keys of the 26 settings, as kdxcfg show lists them; a test of the
# collection compares the two.
SETTING_KEYS = (
    "wptfolder", "clantags", "skilltags", "pause", "min_bots", "max_bots", "botchat", "radio", "jasonmode",
    "minbotskill", "maxbotskill", "inhumanturns", "ultraskill", "botsfollowuser", "maxweaponpickup",
    "collectexperience", "shootthruwalls", "timer_sound", "timer_pickup", "timer_grenade", "usespeech",
    "botvotekick", "botspray", "hostagefix", "patherrmsg", "autofill",
)


def input_fault(key, value):
    """Why a setting cannot be passed to kdxcfg as given, or None."""
    if key not in SETTING_KEYS:
        nearest = difflib.get_close_matches(str(key), SETTING_KEYS, n=3)
        return "settings: no setting is called %r; %s %s" % (
            key, "the nearest:" if nearest else "the settings are", ", ".join(nearest or SETTING_KEYS))
    if isinstance(value, bool):
        return ("settings: %s: %s is a boolean, which kdxcfg does not take; write \"on\" or \"off\" in quotes "
                "(YAML reads an unquoted on, off, yes or no as a boolean)" % (key, value))
    if not isinstance(value, (string_types, int, float)):
        what = "a mapping" if isinstance(value, dict) else "a list" if isinstance(value, list) else "null"
        return "settings: %s: the value is %s; give one string or number (\"\" for the empty text)" % (key, what)
    return None


def set_arguments(settings, commands, create):
    """kdxcfg set's arguments: the commands as options, then "--", so that no
    setting can be read as an option."""
    arguments = ["--create", "set"] if create else ["set"]
    if commands is not None:
        for command in commands or [""]:
            arguments += ["--command", command]
    return arguments + ["--"] + ["%s=%s" % (key, value) for key, value in settings.items()]


def warnings_of(notes, path):
    """kdxcfg's notes on standard error, but the one that the file is unchanged."""
    return [note for note in notes if note and note != "%s unchanged" % path]


def set_file(module):
    """Runs kdxcfg set with the task's settings and commands; the result."""
    params = module.params
    backup_file = params["backup"] and not module.check_mode and module.backup_local(params["path"])
    changed = False
    try:
        dummy, answer, notes = run_kdxcfg(module, set_arguments(params["settings"], params["commands"], params["create"]),
                                          dry_run=module.check_mode)
        changed = answer["changed"]
    finally:
        # The copy stays only beside a file that changed, also when kdxcfg failed.
        if backup_file and not changed:
            module.cleanup(backup_file)
    for warning in warnings_of(notes, params["path"]):
        module.warn(warning)
    result = dict(changed=changed, stored=answer["stored"], changes=answer.get("changes", []),
                  messages=answer.get("messages", []))
    if backup_file and changed:
        result["backup_file"] = backup_file
    if module._diff:
        result["diff"] = dict(prepared=answer["diff"])
    return result


def main():
    argument_spec = dict(
        settings=dict(type="dict", default={}),
        commands=dict(type="list", elements="str"),
        create=dict(type="bool", default=False),
        backup=dict(type="bool", default=False),
        **FILE_OPTIONS
    )
    module = AnsibleModule(argument_spec=argument_spec, add_file_common_args=True, supports_check_mode=True)
    params = module.params
    for key, value in params["settings"].items():
        fault = input_fault(key, value)
        if fault:
            module.fail_json(msg=fault)

    result = dict(changed=False, stored=[], changes=[], messages=[])
    if params["settings"] or params["commands"] is not None:
        result = set_file(module)
    # Owner, group and mode of the file as it is now (in check mode: as it was).
    if os.path.exists(params["path"]):
        result["changed"] = module.set_fs_attributes_if_different(module.load_file_common_arguments(params),
                                                                  result["changed"])
    module.exit_json(**result)


if __name__ == "__main__":
    main()
