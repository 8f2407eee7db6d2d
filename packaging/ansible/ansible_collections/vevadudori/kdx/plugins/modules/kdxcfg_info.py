# Ansible module kdxcfg_info: reads KDX.cfg of an E[VRK]bot on a managed host
# through that host's kdxcfg (show and check), changing nothing.
# Copyright 2026 The VEVaduDori authors; MIT licence (LICENSE, or
# /usr/share/doc/kdxcfg/copyright where the kdxcfg package installed it).

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r"""
---
module: kdxcfg_info
short_description: Read the settings, custom commands and findings of an E[VRK]bot's KDX.cfg
description:
  - Reads C(KDX.cfg), the configuration file of the E[VRK]bot add-on for
    Half-Life game servers, as the VEVaduDori window reads it, with the
    managed host's C(kdxcfg show) and C(kdxcfg check), for an audit of many
    servers. Nothing is written.
version_added: "1.0.0"
author: VEVaduDori maintainers (@vevadudori)
extends_documentation_fragment:
  - vevadudori.kdx.kdxcfg_file
  - ansible.builtin.action_common_attributes
attributes:
  check_mode:
    support: full
  diff_mode:
    support: none
  platform:
    platforms: posix
seealso:
  - module: vevadudori.kdx.kdxcfg
"""

EXAMPLES = r"""
- name: The bots of every game server
  vevadudori.kdx.kdxcfg_info:
    path: /srv/hlds/valve/addons/kdx/KDX.cfg
    code_page: "1251"
  register: kdx

- name: Servers whose KDX.cfg the bot reads otherwise than written
  ansible.builtin.debug:
    msg: "{{ kdx.findings }}"
  when: kdx.findings | length > 0
"""

RETURN = r"""
settings:
  description: The 26 settings as the window shows them, in standard order.
  returned: always
  type: list
  elements: dict
  contains:
    key:
      description: The setting's key.
      type: str
    value:
      description: Its value.
      type: str
    default:
      description: Its default value.
      type: str
    line:
      description: The line that sets it, or null where the file does not.
      type: int
  sample: [{"key": "max_bots", "value": "12", "default": "16", "line": 2}]
commands:
  description: The eight custom-command slots.
  returned: always
  type: list
  elements: dict
  contains:
    slot:
      description: The slot, 1 to 8.
      type: int
    text:
      description: The command; empty for a free slot.
      type: str
    line:
      description: The command's line, or null.
      type: int
  sample: [{"slot": 1, "text": "mp_roundtime 3.5", "line": 3}]
messages:
  description: What the window would say on reading the file.
  returned: always
  type: list
  elements: dict
  sample: [{"title": "KDX.cfg", "text": "..."}]
findings:
  description: What the reader or the window would not take as written, as C(kdxcfg check) reports it.
  returned: always
  type: list
  elements: dict
  sample: [{"line": 4, "text": "..."}]
"""

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.vevadudori.kdx.plugins.module_utils.kdxcfg_run import FILE_OPTIONS, run_kdxcfg


def main():
    module = AnsibleModule(argument_spec=FILE_OPTIONS, supports_check_mode=True)
    dummy, shown, dummy_notes = run_kdxcfg(module, ["show"])
    dummy, checked, dummy_notes = run_kdxcfg(module, ["check"])
    module.exit_json(changed=False, settings=shown["settings"], commands=shown["commands"],
                     messages=shown["messages"], findings=checked["findings"])


if __name__ == "__main__":
    main()
