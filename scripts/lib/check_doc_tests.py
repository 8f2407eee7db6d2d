#!/usr/bin/env python3
"""Fails when README.md or a document of docs/ names a test file or a test that
the tree does not have. Usage: check_doc_tests.py [REPOSITORY]

Only names in backquotes count:
- a test file: a path under tests/ or fuzz/, a file whose name holds "test", or
  a test data file (.cases, .edits, .expected, .layout); given from the
  repository, from tests/ or src/, or by its bare name;
- a QtTest function, Class::function or Class::function(row), of a class whose
  name ends in Test; a lone `(row)` after it names another row of the same
  function. A row must appear in the test's source or its data files;
- a GoogleTest case, Suite.CaseName, optionally as ctest names it
  (Prefix/Suite.CaseName/Parameter);
- a ctest name that begins or ends like an add_test(NAME ...) of the CMake files,
  or ends in _test or _tests (then also a test executable will do);
- a python test, test_name."""

import os
import fnmatch
import re
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", ".."))
DATA_EXTENSIONS = ("cases", "edits", "expected", "layout")
FILE_LIKE = re.compile(r"^[\w./-]+\.(cpp|h|py|sh|txt|cfg|" + "|".join(DATA_EXTENSIONS) + r")$")
QT_TEST = re.compile(r"^(\w+Test)::(\w+)(?:\((.*)\))?$")
ROW_ONLY = re.compile(r"^\((.+)\)$")
GOOGLE_TEST = re.compile(r"^(?:\w+/)?([A-Z]\w*)\.([A-Z][a-z0-9]+[A-Z]\w*)(?:/\w+)?$")
PYTHON_TEST = re.compile(r"^test_\w+$")
CTEST_LIKE = re.compile(r"^[A-Za-z0-9]+_[A-Za-z0-9_.]+$")


def ignore_patterns():
    """The patterns of the top-level .gitignore: a leading / anchors one at the
    top, a trailing / names folders only, one without / matches a name anywhere."""
    try:
        lines = read(".gitignore").split("\n")
    except FileNotFoundError:
        return []
    return [line.strip() for line in lines if line.strip() and not line.startswith(("#", "!"))]


def ignored(path, is_folder, patterns):
    for pattern in patterns:
        if pattern.endswith("/"):
            if not is_folder:
                continue
            pattern = pattern.rstrip("/")
        if pattern.startswith("/") or "/" in pattern:
            if fnmatch.fnmatchcase(path, pattern.lstrip("/")):
                return True
        elif fnmatch.fnmatchcase(os.path.basename(path), pattern):
            return True
    return False


def tree_files():
    """The files of the source tree, from a git checkout or an unpacked source
    archive alike: the folder walked, leaving out .git and what .gitignore names
    (the build folders among it)."""
    patterns = ignore_patterns()
    files = []
    for folder, subfolders, names in os.walk(ROOT):
        relative = os.path.relpath(folder, ROOT)
        prefix = "" if relative == "." else relative + "/"
        subfolders[:] = sorted(name for name in subfolders
                               if name != ".git" and not ignored(prefix + name, True, patterns))
        files += [prefix + name for name in sorted(names)
                  if name != ".git" and not ignored(prefix + name, False, patterns)]
    return files


def read(path):
    with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as file:
        return file.read()


class Tree:
    def __init__(self):
        self.files = tree_files()
        self.folders = {os.path.dirname(path) for path in self.files}
        self.folders |= {folder.rsplit("/", n)[0] for folder in list(self.folders) for n in range(folder.count("/") + 1)}
        tests = [path for path in self.files if path.startswith(("tests/", "fuzz/"))]
        self.qt_classes = {}  # class: (source, its folder's files)
        self.google_tests = set()
        self.python_tests = set()
        for path in tests:
            if path.endswith(".cpp"):
                text = read(path)
                for name in re.findall(r"class\s+(\w+Test)\s*:\s*public\s+QObject", text):
                    self.qt_classes[name] = path
                self.google_tests |= set(re.findall(r"\bTEST(?:_F|_P)?\(\s*(\w+)\s*,\s*(\w+)\s*\)", text))
            elif path.endswith(".py"):
                self.python_tests |= set(re.findall(r"^def (test_\w+)\(", read(path), re.M))
        self.ctest_patterns = []  # (regex, literal prefix, literal suffix, words of its CMake file)
        self.executables = set()
        for path in self.files:
            if os.path.basename(path) != "CMakeLists.txt":
                continue
            text = re.sub(r"#.*", "", read(path))
            words = set(re.findall(r"[A-Za-z0-9_.]+", text))
            self.executables |= set(re.findall(r"(?:add_executable|kdx_add_work_folder_tests)\(\s*([\w.]+)", text))
            for name in re.findall(r"add_test\(\s*NAME\s+(\S+)", text):
                parts = re.split(r"\$\{\w+\}", name)
                regex = "^" + "(.+)".join(re.escape(part) for part in parts) + "$"
                self.ctest_patterns.append((re.compile(regex), parts[0], parts[-1] if len(parts) > 1 else "", words))

    def has_file(self, span):
        span = span.rstrip("/")
        if "/" not in span:
            return span in self.folders or any(os.path.basename(path) == span for path in self.files)
        return any(os.path.join(base, span) in self.files or os.path.join(base, span) in self.folders
                   for base in ("", "tests/", "src/")) or span in self.folders

    def qt_test_problem(self, cls, function, row):
        source = self.qt_classes.get(cls)
        if source is None:
            return f"no QtTest class {cls}"
        text = read(source)
        if not re.search(r"\bvoid\s+" + re.escape(function) + r"\(\)", text):
            return f"no function {function} in {cls} ({source})"
        if row is None:
            return None
        folder = os.path.dirname(source)
        data = [path for path in self.files if os.path.dirname(path) == folder and path != source]
        if f'"{row}"' in text or any(row in read(path) for path in data if not path.endswith((".cpp", ".h"))):
            return None
        return f"no row \"{row}\" of {cls}::{function}"

    def ctest_problem(self, span):
        candidates = [(regex, words) for regex, prefix, suffix, words in self.ctest_patterns
                      if (len(prefix) >= 4 and span.startswith(prefix)) or (len(suffix) >= 4 and span.endswith(suffix))]
        if not candidates:
            # a test executable, or a name shaped like one
            if re.search(r"_tests?(\.|$)", span) and span not in self.executables:
                return f"no ctest test or test executable {span}"
            return None
        for regex, words in candidates:
            match = regex.match(span)
            if match and all(part in words or part.replace("_", ".") in words for part in match.groups()):
                return None
        return f"no ctest test {span}"


def problem(tree, span, last_function):
    if "<" in span:
        return None  # a pattern such as fuzz/regressions/<target>/, not a name
    if FILE_LIKE.match(span) or span.startswith(("tests/", "fuzz/")):
        base = os.path.basename(span.rstrip("/"))
        is_test_file = (span.startswith(("tests/", "fuzz/")) or "test" in base
                        or base.endswith(tuple("." + ext for ext in DATA_EXTENSIONS))
                        or "tests/" + span.split("/")[0] in tree.folders)
        if is_test_file and not tree.has_file(span):
            return f"no file {span}"
        return None
    if match := QT_TEST.match(span):
        return tree.qt_test_problem(*match.groups())
    if (match := ROW_ONLY.match(span)) and last_function:
        return tree.qt_test_problem(*last_function, match.group(1))
    if match := GOOGLE_TEST.match(span):
        return None if match.groups() in tree.google_tests else f"no GoogleTest case {match.group(1)}.{match.group(2)}"
    if PYTHON_TEST.match(span):
        return None if span in tree.python_tests else f"no python test {span}"
    if CTEST_LIKE.match(span):
        return tree.ctest_problem(span)
    return None


def main():
    tree = Tree()
    documents = ["README.md"] + sorted(path for path in tree.files if re.match(r"^docs/[^/]+\.md$", path))
    failures = []
    for document in documents:
        in_code_block = False
        for number, line in enumerate(read(document).split("\n"), 1):
            if line.lstrip().startswith("```"):
                in_code_block = not in_code_block
            if in_code_block:
                continue
            last_function = None
            for span in re.findall(r"`([^`\n]+)`", line):
                found = problem(tree, span, last_function)
                if found:
                    failures.append(f"{document}:{number}: {found}")
                if match := QT_TEST.match(span):
                    last_function = match.groups()[:2]
    for failure in failures:
        print(failure, file=sys.stderr)
    if failures:
        print(f"{len(failures)} test references in the documents name nothing in the tree.", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
