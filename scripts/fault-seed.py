#!/usr/bin/env python3
"""Fault seeding: seeds the faults of scripts/fault-seed.list into a copy of
the code one at a time, runs the suites that should catch each and counts
how many were caught. The figure is how we know that a rewrite of the tests
lost none of their power: it must not drop.

  scripts/fault-seed.py                 every fault
  scripts/fault-seed.py --list          the faults, and whether each still applies
  scripts/fault-seed.py --only ID[,ID]  only these faults
  scripts/fault-seed.py --layer native  only the faults of one layer, run on it alone
  scripts/fault-seed.py --record FILE   also write the results to FILE (.json, else TSV)

The tracked files of the checkout (and new files git does not ignore) are
copied once into build/fault-seed/tree; the checkout itself is never
touched. Each fault is applied to the copy, built incrementally and tested,
and the one file is put back before the next.

Layers: "native" builds the native preset of the copy with CMake and runs
its CTest suites; "wine" builds the win64 preset and runs the copy's
scripts/run-tests.sh with SCRIBBIT_STEPS="win64 e2e". The layers are first
run once on the unseeded copy; when that baseline is not green nothing is
seeded.

Outcomes: "caught" (a test of one of its layers failed), "missed" (every
suite passed), "invalid" (the seeded copy did not build), "timeout" (a run
went over its time limit, or every failing native test was cut off by
CTest's per-test limit, and nothing else failed) and "stale" (the snippet
does not occur exactly once: the code has moved on, update the list). Only
caught and missed count. Each fault's outcome and the names of the tests
that failed (GoogleTest's "[  FAILED  ] Suite.Name" lines and CTest's list
of failed tests) go to build/fault-seed/results.json and results.tsv; logs
to build/fault-seed/logs/.

Fail-fast: by default a Wine run stops at its first failing test (the rest
would take minutes and tell nothing more), so only that test is recorded
for the wine layer; native runs take seconds and run to the end.
--fail-fast stops both layers at the first failure, --no-fail-fast neither.

Environment: SCRIBBIT_JOBS (build and test jobs, default 2),
SCRIBBIT_BUILD_ROOT (the build folder; results go to its fault-seed/,
default build), SCRIBBIT_FAULT_NATIVE_LIMIT / SCRIBBIT_FAULT_WINE_LIMIT
(seconds one test run of a layer may take, default 600 / 3600),
SCRIBBIT_FAULT_BUILD_LIMIT (seconds one build may take, default 1800),
SCRIBBIT_FAULT_FAIL_FAST (1 or 0: the same as --fail-fast or
--no-fail-fast).

Exit status: 0 when every selected fault was judged (caught or missed) or
timed out, 1 when some are stale or invalid, 2 on a usage error, a broken
list or a baseline that is not green.
"""

import argparse
import fcntl
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
LIST = ROOT / "scripts" / "fault-seed.list"
LAYERS = ("native", "wine")
KEYS = ("id", "file", "layers", "desc", "find", "repl", "find+", "repl+")

GTEST_FAILED = re.compile(r"^\[  FAILED  \] ([^\s,]+)(?:, where .*| \(\d+ ms\))?\s*$", re.M)
CTEST_FAILED = re.compile(r"^\s+\d+ - (\S+) \((.+)\)$", re.M)
CTEST_SUMMARY = re.compile(r"tests? passed, (\d+) tests? failed out of (\d+)")
CLOSING_LINE = re.compile(r"^(\d+) passed, (\d+) failed$", re.M)
ANY_FAILED_LINE = re.compile(rb"^\[ *FAILED *\] ", re.M)


def shown(path):
    """A path as the user reads it: from the checkout's root when inside it."""
    return path.relative_to(ROOT) if path.is_relative_to(ROOT) else path


def die(message):
    print(f"fault-seed: {message}", file=sys.stderr)
    sys.exit(2)


# ------------------------------------------------------------------ the list


@dataclass
class Fault:
    id: str
    line: int
    file: str = ""
    layers: list = field(default_factory=list)
    desc: str = ""
    find: str | None = None
    repl: str | None = None

    @property
    def folder(self):  # src/app/x.cpp -> src/app
        return "/".join(self.file.split("/")[:2])


def load_list():
    if not LIST.is_file():
        die(f"no fault list at {LIST}")
    faults = {}
    current = None
    for number, line in enumerate(LIST.read_text(encoding="utf-8").split("\n"), 1):
        if not line or line.startswith("#"):
            continue
        where = f"{shown(LIST)}:{number}"
        if ":" not in line:
            die(f"{where}: expected 'key: value'")
        key, value = line.split(":", 1)
        value = value.removeprefix(" ")
        if key not in KEYS:
            die(f"{where}: unknown key '{key}'")
        if key == "id":
            if not re.fullmatch(r"[A-Za-z0-9._-]+", value):
                die(f"{where}: bad id '{value}'")
            if value in faults:
                die(f"{where}: id '{value}' used twice")
            current = faults[value] = Fault(value, number)
            continue
        if current is None:
            die(f"{where}: '{key}' before the first id")
        if key == "file":
            current.file = value
        elif key == "layers":
            current.layers = value.split()
        elif key == "desc":
            current.desc = value
        elif key in ("find", "repl"):
            setattr(current, key, value)
        else:  # a continuation line
            base = key[:-1]
            if getattr(current, base) is None:
                die(f"{where}: '{key}' without '{base}'")
            setattr(current, base, getattr(current, base) + "\n" + value)
    for f in faults.values():
        problem = (
            "file must lie under src/" if not f.file.startswith("src/")
            else "no desc" if not f.desc
            else "no find" if not f.find
            else "no repl (write 'repl: ' for a dropped step)" if f.repl is None
            else "find and repl are the same" if f.find == f.repl
            else "no layers" if not f.layers
            else next((f"unknown layer '{x}'" for x in f.layers if x not in LAYERS), None)
        )
        if problem:
            die(f"fault {f.id} (line {f.line}): {problem}")
    return faults


def occurrences(path, snippet):
    """How often a snippet occurs in a file, byte for byte."""
    try:
        return path.read_bytes().count(snippet.encode("utf-8"))
    except FileNotFoundError:
        return 0


# ------------------------------------------------------- the copy of the tree


def tracked_files():
    result = subprocess.run(
        ["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
        cwd=ROOT, capture_output=True, check=False)
    if result.returncode != 0:
        die("git ls-files failed: " + result.stderr.decode(errors="replace").strip())
    names = [n for n in result.stdout.decode("utf-8").split("\0") if n]
    return sorted(n for n in names if (ROOT / n).is_file())  # deleted but not yet staged: gone


def sync_copy(tree):
    """Makes tree hold exactly the checkout's files. Only files whose bytes
    differ are written, so the copy's build stays incremental between runs,
    and a file a killed run left seeded is put right."""
    names = tracked_files()
    wanted = set(names)
    written = 0
    for name in names:
        source, target = ROOT / name, tree / name
        data = source.read_bytes()
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
            written += 1
        shutil.copymode(source, target)
    for path in sorted(tree.rglob("*"), reverse=True):
        relative = path.relative_to(tree).as_posix()
        if path.is_file() and relative not in wanted:
            path.unlink()
        elif path.is_dir() and not any(path.iterdir()):
            path.rmdir()
    return len(names), written


# ------------------------------------------------------------ running things


def session_pids(sid):
    pids = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            stat = (entry / "stat").read_text()
        except OSError:
            continue
        fields = stat[stat.rindex(")") + 2:].split()
        if int(fields[3]) == sid:  # state, ppid, pgrp, session
            pids.append(int(entry.name))
    return pids


def kill_session(process):
    """Ends the process and everything it started: nested `timeout`s lead
    process groups of their own, but all stay in the session it leads."""
    for sig, grace in ((signal.SIGTERM, 30), (signal.SIGKILL, 10)):
        for pid in session_pids(process.pid):
            try:
                os.kill(pid, sig)
            except ProcessLookupError:
                pass
        deadline = time.monotonic() + grace
        while time.monotonic() < deadline:
            if process.poll() is not None and not session_pids(process.pid):
                return
            time.sleep(0.5)
    process.wait()


@dataclass
class Run:
    status: int | None  # None: cut off at the time limit
    seconds: float
    stopped_early: bool = False


CHILDREN = []


def run(command, log, limit, cwd, env=None, stop_on_failed_line=False):
    """Runs a command in a session of its own with its output appended to
    log; cut off after limit seconds, or at the first GoogleTest failure."""
    started = time.monotonic()
    with open(log, "ab") as out:
        out.write(f"== {' '.join(map(str, command))}\n".encode())
        out.flush()
        process = subprocess.Popen(command, cwd=cwd, env=env, stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=subprocess.STDOUT, start_new_session=True)
    CHILDREN.append(process)
    try:
        seen = Path(log).stat().st_size
        while process.poll() is None:
            if time.monotonic() - started > limit:
                kill_session(process)
                return Run(None, time.monotonic() - started)
            if stop_on_failed_line:
                with open(log, "rb") as text:
                    text.seek(seen)
                    if ANY_FAILED_LINE.search(text.read()):
                        kill_session(process)
                        return Run(process.returncode, time.monotonic() - started, True)
            time.sleep(1)
        return Run(process.returncode, time.monotonic() - started)
    finally:
        CHILDREN.remove(process)


def ctest_failures(text):
    """CTest's own list of failed tests: (name, status) pairs."""
    _, found, rest = text.rpartition("The following tests FAILED:\n")
    if not found:
        return []
    listed = re.match(r"(?:\s+\d+ - .*\n?)*", rest).group(0)
    return CTEST_FAILED.findall(listed)


def failed_tests(text):
    names = dict.fromkeys(GTEST_FAILED.findall(text))
    for name, _ in ctest_failures(text):
        names.setdefault(name)
    return list(names)


# -------------------------------------------------------------------- layers


@dataclass
class LayerResult:
    result: str  # passed, failed, timeout, nobuild, broken
    detail: str
    tests: list = field(default_factory=list)
    seconds: float = 0


class Layer:
    def __init__(self, name, out, tree, jobs, limit, build_limit, fail_fast):
        self.name, self.tree, self.jobs = name, tree, jobs
        self.limit, self.build_limit, self.fail_fast = limit, build_limit, fail_fast
        self.root = out / name
        self.preset = "native" if name == "native" else "win64"
        self.dir = self.root / self.preset
        self.configured = False

    def build(self, log):
        if not self.configured:
            done = run(["cmake", "--preset", self.preset, "-B", self.dir], log, 600, self.tree)
            if done.status != 0:
                return LayerResult("nobuild", "configure failed" if done.status is not None else "configure cut off")
            self.configured = True
        # Built first, so that a fault that does not compile is told apart
        # from one the suites catch.
        done = run(["cmake", "--build", self.dir, "-j", str(self.jobs)], log, self.build_limit, self.tree)
        if done.status is None:
            return LayerResult("timeout", f"the build was cut off after {self.build_limit} s")
        if done.status != 0:
            return LayerResult("nobuild", "build failed")
        return None

    def test(self, log):
        Path(log).write_bytes(b"")
        failure = self.build(log)
        if failure:
            return failure
        start = Path(log).stat().st_size
        if self.name == "native":
            command = ["ctest", "--test-dir", self.dir, "--output-on-failure", "-j", str(self.jobs),
                       "--timeout", str(min(300, self.limit))]
            done = run(command + (["--stop-on-failure"] if self.fail_fast else []), log, self.limit, self.tree)
        else:
            env = dict(os.environ, SCRIBBIT_STEPS="win64 e2e", SCRIBBIT_BUILD_ROOT=str(self.root),
                       SCRIBBIT_JOBS=str(self.jobs))
            done = run([self.tree / "scripts" / "run-tests.sh"], log, self.limit, self.tree, env,
                       stop_on_failed_line=self.fail_fast)
        with open(log, "rb") as text:
            text.seek(start)
            output = text.read().decode("utf-8", errors="replace")
        tests = failed_tests(output)
        result = self.judge(done, output, tests)
        result.seconds = done.seconds
        return result

    def judge(self, done, output, tests):
        if done.stopped_early:
            return LayerResult("failed", "stopped at the first failing test", tests)
        if done.status is None:
            return LayerResult("timeout", f"cut off after {self.limit} s", tests)
        if self.name == "native":
            counts = CTEST_SUMMARY.findall(output)
            if not counts:
                return LayerResult("broken", f"CTest printed no summary (status {done.status})")
            failed, total = map(int, counts[-1])
            detail = f"{failed} of {total} tests failed"
            if failed == 0:
                return LayerResult("passed", detail)
            statuses = [status for _, status in ctest_failures(output)]
            if statuses and all(status == "Timeout" for status in statuses):
                return LayerResult("timeout", detail + ", each cut off by CTest", tests)
            return LayerResult("failed", detail, tests)
        closing = CLOSING_LINE.findall(output)
        if not closing:
            return LayerResult("broken", f"run-tests.sh printed no closing line (status {done.status})")
        passed, failed = map(int, closing[-1])
        detail = f"{passed} passed, {failed} failed"
        if re.search(r"^build [a-z0-9]+: FAILED", output, re.M):
            return LayerResult("nobuild", "run-tests.sh could not build: " + detail)
        return LayerResult("failed" if failed else "passed", detail, tests)


# ---------------------------------------------------------------------- main


def clock(seconds):
    s = int(seconds)
    return f"{s // 3600}:{s % 3600 // 60:02}:{s % 60:02}" if s >= 3600 else f"{s // 60}:{s % 60:02}"


def id_width(faults):
    return max([22] + [len(f.id) + 1 for f in faults])


def show_list(faults, root):
    w = id_width(faults)
    print(f"{'ID':<{w}} {'FOLDER':<12} {'LAYERS':<12} {'SNIPPET':<9} DESCRIPTION")
    folders, layers = {}, {}
    for f in faults:
        n = occurrences(root / f.file, f.find)
        state = "ok" if n == 1 else f"STALE({n})"
        folders[f.folder] = folders.get(f.folder, 0) + 1
        for layer in f.layers:
            layers[layer] = layers.get(layer, 0) + 1
        print(f"{f.id:<{w}} {f.folder:<12} {'+'.join(f.layers):<12} {state:<9} {f.desc}")
    per_folder = ", ".join(f"{k} {v}" for k, v in sorted(folders.items()))
    print(f"\n{len(faults)} faults; {per_folder}; on native {layers.get('native', 0)}, on wine {layers.get('wine', 0)}")


def write_records(paths, header, records):
    for path in paths:
        path.parent.mkdir(parents=True, exist_ok=True)
        if path.suffix == ".json":
            path.write_text(json.dumps({**header, "faults": records}, ensure_ascii=False, indent=2) + "\n",
                            encoding="utf-8")
            continue
        lines = ["id\toutcome\tnative\twine\tseconds\tfailed tests\tdesc"]
        for r in records:
            layer = {name: r["layers"].get(name, {}).get("outcome", "-") for name in LAYERS}
            tests = ",".join(f"{name}:{t}" for name, v in r["layers"].items() for t in v.get("tests", []))
            lines.append("\t".join([r["id"], r["outcome"], layer["native"], layer["wine"],
                                    str(round(r["seconds"])), tests, r["desc"]]))
        path.write_text("\n".join(lines) + "\n", encoding="utf-8")


def summary(selected, records, seconds):
    w = id_width(selected)
    lines = ["", "===== fault seeding: summary =====",
             f"{'ID':<{w}} {'FOLDER':<12} {'LAYERS':<12} {'NATIVE':<8} {'WINE':<8} {'RESULT':<8} {'TIME':>8}"]
    judged, caught = {}, {}
    for f in selected:
        r = records[f.id]
        layer = {name: r["layers"].get(name, {}).get("outcome", "-") for name in LAYERS}
        lines.append(f"{f.id:<{w}} {f.folder:<12} {'+'.join(f.layers):<12} {layer['native']:<8} {layer['wine']:<8} "
                     f"{r['outcome']:<8} {clock(r['seconds']):>8}")
        if r["outcome"] in ("caught", "missed"):
            judged[f.folder] = judged.get(f.folder, 0) + 1
            caught[f.folder] = caught.get(f.folder, 0) + (r["outcome"] == "caught")
    lines.append("")
    lines += [f"  {folder:<12} caught {caught[folder]} of {judged[folder]}" for folder in sorted(judged)]
    for title, outcomes in (("missed (no suite noticed):", ("missed",)),
                            ("timeout (a run went over its limit; not counted):", ("timeout",)),
                            ("NOT COUNTED, fix them in scripts/fault-seed.list:", ("stale", "invalid"))):
        chosen = [f for f in selected if records[f.id]["outcome"] in outcomes]
        if chosen:
            lines += ["", title]
            lines += [f"  {f.id:<{w}} {records[f.id]['outcome']:<8} {records[f.id]['note'] or f.desc}" for f in chosen]
    lines += ["", f"total time {clock(seconds)}",
              f"caught {sum(caught.values())} of {sum(judged.values())}"]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(prog="scripts/fault-seed.py", description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--list", action="store_true", help="show the faults and whether each still applies")
    parser.add_argument("--only", metavar="ID[,ID]", help="only these faults")
    parser.add_argument("--layer", choices=LAYERS, help="only the faults of this layer, run on it alone")
    parser.add_argument("--record", metavar="FILE", type=Path, help="also write the results here")
    fast = parser.add_mutually_exclusive_group()
    fast.add_argument("--fail-fast", dest="fail_fast", action="store_const", const="all",
                      help="stop every layer's run at its first failing test")
    fast.add_argument("--no-fail-fast", dest="fail_fast", action="store_const", const="none",
                      help="run every suite to the end")
    args = parser.parse_args()

    faults = load_list()
    if args.only:
        unknown = [i for i in args.only.split(",") if i not in faults]
        if unknown:
            die(f"no fault {', '.join(unknown)} in {shown(LIST)}")
        selected = [faults[i] for i in dict.fromkeys(args.only.split(","))]
    else:
        selected = list(faults.values())
    if args.layer:
        selected = [f for f in selected if args.layer in f.layers]
    if not selected:
        die("no fault selected")
    if args.list:
        show_list(selected, ROOT)
        return 0

    def layers_of(fault):
        return [args.layer] if args.layer else fault.layers

    env_fast = os.environ.get("SCRIBBIT_FAULT_FAIL_FAST")
    fail_fast = args.fail_fast or {"1": "all", "0": "none"}.get(env_fast or "", "wine")
    build_root = Path(os.environ.get("SCRIBBIT_BUILD_ROOT", "build"))
    out = (build_root if build_root.is_absolute() else ROOT / build_root) / "fault-seed"
    tree, logs = out / "tree", out / "logs"
    jobs = int(os.environ.get("SCRIBBIT_JOBS", "2"))
    limits = {"native": int(os.environ.get("SCRIBBIT_FAULT_NATIVE_LIMIT", "600")),
              "wine": int(os.environ.get("SCRIBBIT_FAULT_WINE_LIMIT", "3600"))}
    build_limit = int(os.environ.get("SCRIBBIT_FAULT_BUILD_LIMIT", "1800"))

    logs.mkdir(parents=True, exist_ok=True)
    lock = open(out / "lock", "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        die(f"another fault-seed run is using {shown(out)}")
    for stale_log in logs.glob("*.log"):
        stale_log.unlink()

    started = time.monotonic()
    total, written = sync_copy(tree)
    head = subprocess.run(["git", "rev-parse", "--short", "HEAD"], cwd=ROOT, capture_output=True, text=True)
    changed = subprocess.run(["git", "status", "--porcelain", "--", "src", "tests"], cwd=ROOT, capture_output=True,
                             text=True).stdout.splitlines()
    needed = [name for name in LAYERS if any(name in layers_of(f) for f in selected)]
    print(f"fault-seed: {len(selected)} faults, layers: {' '.join(needed)}; tree {head.stdout.strip() or '?'} "
          f"({len(changed)} changed files under src/ and tests/)")
    print(f"fault-seed: copy of {total} files in {shown(tree)} ({written} written); "
          f"logs in {shown(logs)}/")
    layers = {name: Layer(name, out, tree, jobs, limits[name], build_limit,
                          fail_fast == "all" or (fail_fast == "wine" and name == "wine")) for name in needed}

    header = {"commit": head.stdout.strip(), "changed_files": len(changed), "baseline": {}}
    for name, layer in layers.items():
        print(f"baseline {name} ...", flush=True)
        base = layer.test(logs / f"baseline-{name}.log")
        print(f"baseline {name}: {base.result} ({base.detail}) {clock(base.seconds)}")
        header["baseline"][name] = {"result": base.result, "detail": base.detail, "seconds": round(base.seconds)}
        if base.result != "passed":
            die(f"the {name} suites are not green on the unseeded copy, so no fault can be judged; "
                f"make them pass first (log: {shown(logs / f'baseline-{name}.log')})")

    records = {}
    record_paths = [out / "results.json", out / "results.tsv"] + ([args.record] if args.record else [])
    w = id_width(selected)
    for count, f in enumerate(selected, 1):
        t0 = time.monotonic()
        record = {"id": f.id, "file": f.file, "desc": f.desc, "outcome": "", "note": "", "seconds": 0,
                  "layers": {}}
        records[f.id] = record
        target = tree / f.file
        n = occurrences(target, f.find)
        if n != 1:
            record.update(outcome="stale", note=f"the snippet occurs {n} times in {f.file}")
            print(f"[{count}/{len(selected)}] {f.id}: STALE: {record['note']} (it must occur once)", file=sys.stderr)
            write_records(record_paths, header, list(records.values()))
            continue
        original = target.read_bytes()
        target.write_bytes(original.replace(f.find.encode("utf-8"), f.repl.encode("utf-8"), 1))
        try:
            parts = []
            for name in layers_of(f):
                log = logs / f"{f.id}.{name}.log"
                result = layers[name].test(log)
                outcome = {"failed": "caught", "passed": "missed", "timeout": "timeout"}.get(result.result, "invalid")
                record["layers"][name] = {"outcome": outcome, "detail": result.detail, "tests": result.tests,
                                          "seconds": round(result.seconds)}
                parts.append(f"{name} {outcome}: {result.detail}" + (f" [{', '.join(result.tests)}]"
                                                                       if result.tests else ""))
                if outcome in ("invalid", "timeout"):
                    record["note"] = f"{name}: {result.detail} (log: {shown(log)})"
                if outcome == "invalid":
                    break
        finally:
            target.write_bytes(original)
        outcomes = [v["outcome"] for v in record["layers"].values()]
        record["outcome"] = next(o for o in ("invalid", "caught", "timeout", "missed") if o in outcomes)
        record["seconds"] = round(time.monotonic() - t0, 1)
        print(f"[{count}/{len(selected)}] {f.id:<{w}} {record['outcome']:<8} {clock(record['seconds']):>6}  "
              + "; ".join(parts), flush=True)
        write_records(record_paths, header, list(records.values()))

    text = summary(selected, records, time.monotonic() - started)
    print(text)
    (out / "summary.txt").write_text(text + "\n", encoding="utf-8")
    return 1 if any(r["outcome"] in ("stale", "invalid") for r in records.values()) else 0


def interrupted(signum, _frame):
    for process in list(CHILDREN):
        kill_session(process)
    print("\nfault-seed: interrupted (the checkout was never touched; the next run repairs the copy)",
          file=sys.stderr)
    sys.exit(128 + signum)


if __name__ == "__main__":
    sys.stdout.reconfigure(line_buffering=True)
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, interrupted)
    sys.exit(main())
