"""The work of tools/mutate, which sets up Wine and a display first and then runs this over the
faults of tools/mutations.txt, whose head says how a fault is written."""

import argparse
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
                if f.read() == content:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(source, target)
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
    LIMITS = {"native": 600, "win32": 900, "acceptance": 900, "acceptance-c-utf8": 900, "images": 120}

    def __init__(self, tree, jobs):
        self.tree = tree
        self.jobs = jobs
        self.built = set()

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

    def command(self, program):
        windows = os.path.join(self.tree, "build", "windows", "tests")
        if program == "native":
            return [os.path.join(self.tree, "build", "native", "tests", "ZubUnitTests")]
        if program == "images":
            return ["python3", "-m", "unittest", "discover", "-s", os.path.join(self.tree, "tests", "images"), "-p",
                    "*_test.py"]
        if program == "win32":
            return ["env", "LC_ALL=ja_JP.UTF-8", "wine", os.path.join(windows, "ZubWin32Tests.exe")]
        if program in ("acceptance", "acceptance-c-utf8"):
            locale = "C.UTF-8" if program == "acceptance-c-utf8" else "ja_JP.UTF-8"
            return ["env", f"LC_ALL={locale}", "wine", os.path.join(windows, "acceptance", "ZubAcceptanceTests.exe")]
        sys.exit(f"unknown test program {program}")

    def run(self, suite):
        """Runs one program with its filter; answers None when every test passed, else what failed."""
        program, _, pattern = suite.partition(":")
        command = self.command(program)
        if program != "images":
            command.append("--gtest_brief=1")
        if pattern:
            command.append(f"--gtest_filter={pattern}")
        try:
            done = subprocess.run(command, capture_output=True, text=True, errors="replace",
                                  timeout=self.LIMITS[program])
            output, status = done.stdout + done.stderr, done.returncode
        except subprocess.TimeoutExpired:
            output, status = "", "timed out"
        finally:
            if program != "native":
                subprocess.run(["env", "LC_ALL=ja_JP.UTF-8", "wineserver", "-k"], capture_output=True)
        failed = sorted(set(re.findall(r"^\[  FAILED  \] ([\w/.]+)", output, re.M) +
                            re.findall(r"^(?:FAIL|ERROR): (\w+ \([\w.]+\))", output, re.M)))
        if failed:
            return ", ".join(failed)
        if status == "timed out":
            return f"timed out after {self.LIMITS[program]} s"
        if status != 0:
            return f"exit code {status}"
        if re.search(r"^\[==========\] 0 tests", output, re.M):
            return "no test matched"
        return None


def presets_for(suites):
    return {"native" if suite.startswith("native") else "windows" for suite in suites if not suite.startswith("images")}


def main():
    options = argparse.ArgumentParser()
    options.add_argument("--root", required=True)
    options.add_argument("--jobs", default="2")
    options.add_argument("--only", default="")
    options.add_argument("--no-baseline", action="store_true")
    arguments = options.parse_args()

    started = time.monotonic()
    root = arguments.root
    faults = [f for f in read_faults(os.path.join(root, "tools", "mutations.txt"))
              if arguments.only in f.fault or arguments.only in f.file]
    tree = os.path.join(root, "build", "mutate", "tree")
    os.makedirs(tree, exist_ok=True)
    print(f"== copying the tree to {tree}", flush=True)
    sync_tree(root, tree)
    runner = Runner(tree, arguments.jobs)

    for fault in faults:
        with open(os.path.join(tree, fault.file), encoding="utf-8") as f:
            text = f.read()
        for find, _ in fault.changes:
            if text.count(find) != 1:
                sys.exit(f"tools/mutations.txt:{fault.line}: '{find}' is in {fault.file} {text.count(find)} times, "
                         "not once")

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
