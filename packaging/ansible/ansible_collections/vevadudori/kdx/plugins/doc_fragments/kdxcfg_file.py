# The options by which every module of this collection reaches a KDX.cfg
# through the managed host's kdxcfg (module_utils/kdxcfg_run.FILE_OPTIONS).
# Copyright 2026 The VEVaduDori authors; MIT licence.

from __future__ import absolute_import, division, print_function

__metaclass__ = type


class ModuleDocFragment(object):
    DOCUMENTATION = r"""
options:
  path:
    description: The C(KDX.cfg) file.
    type: path
    required: true
  code_page:
    description:
      - The code page of a file that is not UTF-8, and of a new or ASCII-only
        one that kdxcfg writes, as C(kdxcfg --code-page) takes it (C(1251),
        C(CP1250), C(KOI8-R)). Left out, the managed host's default.
    type: str
  executable:
    description: The C(kdxcfg) to run; by default the one on the search path.
    type: path
requirements:
  - The C(kdxcfg) package (or the program C(kdxcfg)) on the managed host.
"""
