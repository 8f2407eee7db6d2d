# Ansible module kdxcfg: sets KDX.cfg of an E[VRK]bot on a managed host through
# that host's kdxcfg, which owns every rule; this module only builds its
# command line and passes its report on.
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
    the task with its message.
  - The file is written only when its bytes change, atomically, keeping its
    owner, group and mode.
version_added: "1.0.0"
author: VEVaduDori maintainers
options:
  path:
    description: The C(KDX.cfg) to change.
    type: path
    required: true
  settings:
    description:
      - Setting keys and their values, as in the example. Values are given
        as the window's controls take them; C(true) and C(false) stand for
        C(on) and C(off).
    type: dict
    default: {}
  commands:
    description:
      - The eight custom-command slots as a whole; the first command fills
        slot 1, and the slots left over are freed. An empty list frees them
        all. Left out, the slots stay as they are.
    type: list
    elements: str
  code_page:
    description:
      - The code page of a file that is not UTF-8, and of a new or ASCII-only
        one, as C(kdxcfg --code-page) takes it (C(1251), C(CP1250), C(KOI8-R)).
        Left out, the managed host's default.
    type: str
  create:
    description: Make the file when it does not exist.
    type: bool
    default: false
  executable:
    description: The C(kdxcfg) to run; by default the one on the search path.
    type: path
requirements:
  - The C(kdxcfg) package (or the program C(kdxcfg)) on the managed host.
attributes:
  check_mode:
    support: full
  diff_mode:
    support: full
notes:
  - In check mode C(kdxcfg --dry-run) computes the change and nothing is written.
"""

EXAMPLES = r"""
- name: Twelve bots that keep quiet, on every game server
  kdxcfg:
    path: /srv/hlds/valve/addons/kdx/KDX.cfg
    settings:
      max_bots: 12
      botchat: "off"
    commands:
      - mp_roundtime 3.5
      - sv_gravity 800
"""

RETURN = r"""
changed:
  description: Whether the file's bytes changed (or in check mode would change).
  returned: always
  type: bool
stored:
  description: Each value stored differently from how it was given.
  returned: always
  type: list
  elements: dict
  sample: [{"key": "pause", "given": "1e2", "stored": "100"}]
diff:
  description: The unified diff of the file, in diff mode.
  returned: when diff mode is on
  type: dict
"""

import json

from ansible.module_utils.basic import AnsibleModule


def value_text(value):
    """The value as kdxcfg takes it: YAML's booleans are on and off, a key
    without a value (None) is the empty text."""
    if isinstance(value, bool):
        return "on" if value else "off"
    return "" if value is None else str(value)


def kdxcfg_arguments(params, check_mode):
    arguments = [params["executable"], "--file", params["path"]]
    if params["code_page"] is not None:
        arguments += ["--code-page", params["code_page"]]
    if params["create"]:
        arguments.append("--create")
    if check_mode:
        arguments.append("--dry-run")
    arguments += ["set", "--json"]
    for key, value in params["settings"].items():
        arguments.append("%s=%s" % (key, value_text(value)))
    if params["commands"] is not None:
        for command in params["commands"] or [""]:
            arguments += ["--command", command]
    return arguments


def main():
    module = AnsibleModule(
        argument_spec=dict(
            path=dict(type="path", required=True),
            settings=dict(type="dict", default={}),
            commands=dict(type="list", elements="str"),
            code_page=dict(type="str"),
            create=dict(type="bool", default=False),
            executable=dict(type="path"),
        ),
        supports_check_mode=True,
    )
    if not module.params["settings"] and module.params["commands"] is None:
        module.exit_json(changed=False, stored=[])

    if module.params["executable"] is None:
        module.params["executable"] = module.get_bin_path("kdxcfg", required=True)
    arguments = kdxcfg_arguments(module.params, module.check_mode)
    rc, out, err = module.run_command(arguments)
    if rc != 0:
        module.fail_json(msg=err.strip() or "kdxcfg ended with status %d" % rc, rc=rc, stderr=err)
    report = json.loads(out)
    result = dict(changed=report["changed"], stored=report["stored"])
    if module._diff:
        result["diff"] = dict(prepared=report["diff"])
    module.exit_json(**result)


if __name__ == "__main__":
    main()
