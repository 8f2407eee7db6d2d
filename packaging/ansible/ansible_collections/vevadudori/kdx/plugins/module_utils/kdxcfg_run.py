# Runs the managed host's kdxcfg for the modules of this collection and reads
# its JSON answer; kdxcfg owns every rule, the modules only pass on its report.
# Copyright 2026 The VEVaduDori authors; MIT licence.

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import json

# The options every module of the collection takes to reach a KDX.cfg.
FILE_OPTIONS = dict(
    path=dict(type="path", required=True),
    code_page=dict(type="str"),
    executable=dict(type="path"),
)


def run_kdxcfg(module, arguments, dry_run=False):
    """Runs kdxcfg --json on the module's file with the subcommand's arguments.
    Returns the exit status (0, or 1 for check's findings), the JSON answer and
    the lines of standard error. A refusal (status 2) fails the task with
    kdxcfg's message, and so does an answer that is not JSON."""
    params = module.params
    command = [params["executable"] or module.get_bin_path("kdxcfg", required=True), "--json"]
    if dry_run:
        command.append("--dry-run")
    command += ["--file", params["path"]]
    if params["code_page"] is not None:
        command += ["--code-page", params["code_page"]]
    status, out, err = module.run_command(command + arguments)
    try:
        answer = json.loads(out)
    except ValueError:
        module.fail_json(msg="kdxcfg gave no JSON answer (status %d): %s" % (status, err.strip() or out.strip()),
                         rc=status, stdout=out, stderr=err)
    if not isinstance(answer, dict) or "error" in answer or status not in (0, 1):
        message = answer.get("error") if isinstance(answer, dict) else None
        module.fail_json(msg=message or err.strip() or "kdxcfg ended with status %d" % status, rc=status, stderr=err)
    return status, answer, err.splitlines()
