#!/usr/bin/env python3
"""ansible-test's sanity tests (validate-modules, pep8, pylint and the rest)
on a copy of the collection, offline. ansible-test runs most of them in
virtual environments of its own, into which it would install pinned packages
with pip from the network; here each such environment is made beforehand on
the system's Python with its site packages (Debian's python3-voluptuous,
pylint, python3-pycodestyle, yamllint), and marked as ready. Its HOME, where
ansible-test keeps them, is in the work folder. The copy lies in a temporary
folder outside every git repository: inside one (the build tree's), ansible-test
asks git for the files and finds none.

usage: ansible_sanity_test.py COLLECTION_FOLDER
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

COLLECTION = sys.argv[1]
WORK = tempfile.mkdtemp(prefix="kdx-ansible-sanity-")
TREE = os.path.join(WORK, "tree", "ansible_collections", "vevadudori", "kdx")
HOME = os.path.join(WORK, "home")
# The interpreter that runs ansible-test, where the Debian packages are.
with open(shutil.which("ansible-test")) as script:
    PYTHON = script.readline()[2:].split()[0]
VERSION = subprocess.run([PYTHON, "-c", "import sys; print('%d.%d' % sys.version_info[:2])"], capture_output=True,
                         text=True, check=True).stdout.strip()


def ansible_test(*arguments):
    return subprocess.run(["ansible-test", "sanity", "--local", "--python", VERSION, "--python-interpreter", PYTHON,
                           *arguments], cwd=TREE, env=dict(os.environ, HOME=HOME), capture_output=True, text=True)


def make_environments_ready():
    """Makes each environment that ansible-test began and could not fill, until it has them all."""
    for attempt in range(20):
        if ansible_test("--prime-venvs").returncode == 0:
            return
        unready = [folder for folder in glob.glob(os.path.join(HOME, ".ansible/test/venv/*/*/*/"))
                   if not os.path.exists(os.path.join(folder, "marker.txt"))]
        if not unready:
            break
        for folder in unready:
            shutil.rmtree(folder)
            subprocess.run([PYTHON, "-m", "venv", "--system-site-packages", "--without-pip", folder], check=True)
            for name, text in (("meta.install.json", "[]"), ("meta.yaml.json", "true"), ("marker.txt", "")):
                with open(os.path.join(folder, name), "w") as file:
                    file.write(text)
    failed = ansible_test("--prime-venvs")
    sys.exit("ansible-test could not prepare its environments:\n" + failed.stdout + failed.stderr)


try:
    shutil.copytree(COLLECTION, TREE, ignore=shutil.ignore_patterns("__pycache__"))
    make_environments_ready()
    run = ansible_test()
finally:
    shutil.rmtree(WORK, ignore_errors=True)
print(run.stdout + run.stderr)
if "All targets skipped" in run.stdout + run.stderr:
    sys.exit("ansible-test found nothing to test")
sys.exit(run.returncode)
