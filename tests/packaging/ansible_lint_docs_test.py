#!/usr/bin/env python3
"""ansible-lint, offline, on the playbooks that a document shows: every block
fenced as ```yaml becomes a playbook of its own, so the document and what is
linted cannot drift apart. The collection is found where the project keeps it.

usage: ansible_lint_docs_test.py DOCUMENT COLLECTIONS_FOLDER WORK_FOLDER
"""
import os
import re
import shutil
import subprocess
import sys

DOCUMENT, COLLECTIONS, WORK = sys.argv[1:4]

with open(DOCUMENT, encoding="utf-8") as file:
    blocks = re.findall(r"^```yaml\n(.*?)^```$", file.read(), re.MULTILINE | re.DOTALL)
if not blocks:
    sys.exit("%s shows no playbook in a ```yaml block" % DOCUMENT)
shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(WORK)
playbooks = []
for number, block in enumerate(blocks, 1):
    playbooks.append("playbook%d.yml" % number)
    with open(os.path.join(WORK, playbooks[-1]), "w", encoding="utf-8") as file:
        file.write("---\n" + block)
# ansible-lint's own folders (under HOME) stay in the work folder.
environment = dict(os.environ, ANSIBLE_COLLECTIONS_PATH=COLLECTIONS, HOME=os.path.join(WORK, "home"))
run = subprocess.run(["ansible-lint", "--offline", "--nocolor", "--strict", *playbooks], cwd=WORK, env=environment,
                     capture_output=True, text=True)
print(run.stdout + run.stderr)
print("%d playbooks linted" % len(playbooks))
sys.exit(run.returncode)
