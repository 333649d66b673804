"""The work of tools/mutate, which installs what is missing and then runs this over the faults of
tools/mutations.txt, whose head says how a fault is written. The tests run through CTest, whose
fixtures make the Wine prefix and the display."""

import argparse
import fnmatch
import json
import os
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass, field


@dataclass
class Fault:
    line: int
    fault: str = ""
    file: str = ""
    changes: list = field(default_factory=list)  # [find, replace] pairs
    run: list = field(default_factory=list)


def read_faults(path):
    faults, current = [], None
    with open(path, encoding="utf-8") as listing:
        for number, text in enumerate(listing, 1):
            text = text.rstrip("\n")
            if not text.strip():
                current = None
                continue
            if text.startswith("#"):
                continue
            key, sep, value = text.partition(":")
            value = value[1:] if value.startswith(" ") else value  # "replace:" alone takes the text away
            if not sep or key not in ("fault", "file", "find", "replace", "run"):
                sys.exit(f"{path}:{number}: expected 'fault|file|find|replace|run: ...'")
            if current is None:
                current = Fault(number)
                faults.append(current)
            if key == "run":
                current.run = value.split()
            elif key == "find":
                current.changes.append([value, None])
            elif key == "replace":
                if not current.changes or current.changes[-1][1] is not None:
                    sys.exit(f"{path}:{number}: a replace line goes after its find line")
                current.changes[-1][1] = value
            else:
                setattr(current, key, value)
    for fault in faults:
        if not (fault.fault and fault.file and fault.changes and fault.run) or \
                any(replace is None for _, replace in fault.changes):
            sys.exit(f"{path}:{fault.line}: a fault needs fault, file, find and replace, and run")
    return faults


def stale_quotes(faults, folder):
    """What no longer matches the code in folder: each find text must be in its fault's file once,
    or the fault would go into another place than the one it was written for, or nowhere."""
    stale = []
    for fault in faults:
        try:
            with open(os.path.join(folder, fault.file), encoding="utf-8") as f:
                text = f.read()
        except OSError as error:
            stale.append(f"tools/mutations.txt:{fault.line}: {fault.file} cannot be read ({error.strerror})")
            continue
        for find, _ in fault.changes:
            if text.count(find) != 1:
                stale.append(f"tools/mutations.txt:{fault.line}: '{find}' is in {fault.file} {text.count(find)} times, "
                             "not once")
    return stale


def sync_tree(root, tree):
    """Copies the working tree's files (committed or not) into tree, rewriting only those whose
    bytes differ, so that the builds there stay incremental."""
    listed = subprocess.run(["git", "-C", root, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                            check=True, capture_output=True).stdout.decode().split("\0")
    wanted = {name for name in listed if name and os.path.isfile(os.path.join(root, name))}
    for name in wanted:
        source, target = os.path.join(root, name), os.path.join(tree, name)
        with open(source, "rb") as f:
            content = f.read()
        if os.path.exists(target):
            with open(target, "rb") as f:
                same = f.read() == content
            if same:
                shutil.copymode(source, target)  # the scripts CTest runs must stay executable
                continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(source, target)
        shutil.copymode(source, target)
    for folder, subfolders, files in os.walk(tree):
        relative = os.path.relpath(folder, tree)
        if relative == "build" or relative.startswith("build" + os.sep):
            subfolders[:] = []
            continue
        for name in files:
            path = os.path.normpath(os.path.join(relative, name))
            if path not in wanted:
                os.remove(os.path.join(folder, name))


class Runner:
    """Runs what a run line names through CTest, in the copy's build trees: each program's tests
    are named <program>.<GoogleTest suite> (tests/CMakeLists.txt), with CTest's time limits."""

    # program of a run line: the build tree and the name its CTest tests begin with
    PROGRAMS = {"native": ("native", "native"), "win32": ("windows", "win32"), "acceptance": ("windows", "acceptance"),
                "acceptance-c-utf8": ("windows", "acceptance-c-utf8"), "images": ("native", "image-packer")}
    # Suites that moved to another program, as run lines written before the move still name them.
    MOVED = {("win32", "EditorProgram"): "acceptance"}

    def __init__(self, root, tree, jobs):
        self.root = root
        self.tree = tree
        self.jobs = jobs
        self.built = set()
        self.listed = {}

    def build(self, presets):
        for preset in sorted(presets):
            if preset not in self.built:
                # A fault need not be free of warnings to be a fault.
                subprocess.run(["cmake", "--preset", preset, "-DCMAKE_COMPILE_WARNING_AS_ERROR=OFF"], cwd=self.tree,
                               check=True, capture_output=True)
                self.built.add(preset)
            done = subprocess.run(["cmake", "--build", "--preset", preset, f"-j{self.jobs}"], cwd=self.tree,
                                  capture_output=True, text=True)
            if done.returncode != 0:
                return done.stdout[-3000:] + done.stderr[-3000:]
        return None

    def tests(self, preset):
        """The CTest tests of a build tree: name -> the GoogleTest filter of its command, if any."""
        if preset not in self.listed:
            listing = subprocess.run(["ctest", "--test-dir", os.path.join(self.tree, "build", preset),
                                      "--show-only=json-v1"], check=True, capture_output=True, text=True).stdout
            self.listed[preset] = {}
            for test in json.loads(listing)["tests"]:
                own = [a.partition("=")[2] for a in test.get("command", []) if a.startswith("--gtest_filter=")]
                self.listed[preset][test["name"]] = own[0] if own else ""
        return self.listed[preset]

    def select(self, program, pattern):
        """The CTest tests that run the program's tests that the GoogleTest filter pattern names,
        each with the part of the filter that falls to its suite."""
        preset, prefix = self.PROGRAMS[program]
        tests = self.tests(preset)
        if program == "images":
            return preset, {prefix: None}
        positives, _, negatives = pattern.partition("-")
        selected = {}
        for name, own in tests.items():
            if not name.startswith(prefix + "."):
                continue
            suite = name[len(prefix) + 1:]
            if not pattern:
                selected[name] = None
                continue
            kept = []
            for positive in filter(None, positives.split(":")):
                head, dot, rest = positive.partition(".")
                if own.startswith("*/"):
                    # A parameterized suite's tests are named <instantiation>/<suite>.<test>/<n>.
                    if "/" in head and dot and fnmatch.fnmatchcase(suite, head.rpartition("/")[2]):
                        kept.append(positive)
                elif dot and fnmatch.fnmatchcase(suite, head):
                    kept.append(f"{suite}.{rest}")
                elif not dot and fnmatch.fnmatchcase(f"{suite}.*", positive):  # a prefix of suite names
                    kept.append(f"{suite}.*")
            if kept:
                selected[name] = ":".join(kept) + (f"-{negatives}" if negatives else "")
        return preset, selected

    def run(self, suite):
        """Runs one program with its filter; answers None when every test passed, else what failed."""
        program, _, pattern = suite.partition(":")
        if program not in self.PROGRAMS:
            sys.exit(f"unknown test program {program}")
        program = self.MOVED.get((program, pattern.partition(".")[0]), program)
        preset, selected = self.select(program, pattern)
        if not selected:
            return "no test matched"
        environment = dict(os.environ, ZUB_WINE_PREFIX=os.path.join(self.root, "build", "wine"))
        for name, part in selected.items():
            if part:
                environment["ZUB_GTEST_FILTER_" + name.partition(".")[2]] = part
        names = "^(" + "|".join(re.escape(name) for name in selected) + ")$"
        done = subprocess.run(["ctest", "--test-dir", os.path.join(self.tree, "build", preset), "-R", names,
                               "--output-on-failure"], capture_output=True, text=True, errors="replace",
                              env=environment)
        output = done.stdout + done.stderr
        failed = sorted(set(re.findall(r"^\[  FAILED  \] ([\w/.]+)", output, re.M) +
                            re.findall(r"^(?:FAIL|ERROR): (\w+ \([\w.]+\))", output, re.M)))
        if failed:
            return ", ".join(failed)
        # A test CTest ended at its limit, one that failed without a GoogleTest failure (a crash,
        # or no test matched), or a fixture that failed.
        # A skipped test caught nothing.
        ended = [(name, why) for name, why in re.findall(r"Test +#\d+: (\S+) \.*\*\*\*(\w+(?: \w+)*)", output)
                 if why != "Skipped"]
        if any(why == "Not Run" for _, why in ended):
            sys.exit("CTest could not run the tests (a fixture failed, or a program is missing):\n" + output[-3000:])
        if ended:
            return ", ".join(f"{name} ({why})" for name, why in ended)
        if done.returncode != 0:
            return f"ctest exit code {done.returncode}"
        return None


def presets_for(suites):
    return {"native" if suite.startswith("native") else "windows" for suite in suites if not suite.startswith("images")}


def main():
    options = argparse.ArgumentParser()
    options.add_argument("--root", required=True)
    options.add_argument("--jobs", default="2")
    options.add_argument("--only", default="")
    options.add_argument("--no-baseline", action="store_true")
    options.add_argument("--check", action="store_true")
    arguments = options.parse_args()

    started = time.monotonic()
    root = arguments.root
    faults = [f for f in read_faults(os.path.join(root, "tools", "mutations.txt"))
              if arguments.only in f.fault or arguments.only in f.file]
    if arguments.check:
        stale = stale_quotes(faults, root)
        for line in stale:
            print(line)
        print(f"{len(faults)} faults: " + (f"{len(stale)} quotes no longer match the code" if stale else
                                          "every quote matches the code once"))
        sys.exit(1 if stale else 0)
    tree = os.path.join(root, "build", "mutate", "tree")
    os.makedirs(tree, exist_ok=True)
    print(f"== copying the tree to {tree}", flush=True)
    sync_tree(root, tree)
    runner = Runner(root, tree, arguments.jobs)

    stale = stale_quotes(faults, tree)
    if stale:
        sys.exit("\n".join(stale))

    all_suites = sorted({suite for f in faults for suite in f.run})
    print("== building", flush=True)
    failure = runner.build(presets_for(all_suites))
    if failure:
        sys.exit("the unchanged tree does not build:\n" + failure)
    if not arguments.no_baseline:
        for suite in all_suites:
            print(f"== without a fault: {suite}", flush=True)
            failed = runner.run(suite)
            if failed:
                sys.exit(f"{suite} fails without any fault ({failed}): mend that first")

    caught = 0
    for number, fault in enumerate(faults, 1):
        path = os.path.join(tree, fault.file)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        mutated = original
        for find, replace in fault.changes:
            mutated = mutated.replace(find, replace)
        with open(path, "w", encoding="utf-8") as f:
            f.write(mutated)
        try:
            verdict = "NOT CAUGHT"
            failure = runner.build(presets_for(fault.run))
            if failure:
                verdict = "DOES NOT BUILD (mend the fault's line):\n" + failure
            else:
                for suite in fault.run:
                    failed = runner.run(suite)
                    if failed:
                        verdict = f"caught by {suite.partition(':')[0]}: {failed}"
                        caught += 1
                        break
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        print(f"[{number}/{len(faults)}] {fault.fault} ({fault.file}): {verdict}", flush=True)

    minutes = (time.monotonic() - started) / 60
    print(f"Score: {caught} of {len(faults)} faults caught, in {minutes:.0f} min")
    sys.exit(0 if caught == len(faults) else 1)


if __name__ == "__main__":
    main()
