#!/usr/bin/env python3
"""Plants faults into a clean copy of the committed code and says which ones the tests catch.

usage: scripts/mutation-check.py [FAULTS.json] [--only ID,ID] [--timeout SECONDS]

FAULTS.json (default scripts/mutation-faults.json) is a list of
  {"id": "name", "file": "path/in/the/project", "old": "exact text", "new": "replacement"}
Each fault replaces the first occurrence of "old" in "file". The committed HEAD is cloned into
${TMPDIR:-/tmp}/zarneth-mutation/<commit>, built once (Release, no benchmarks) and checked green;
then per fault the file is changed, rebuilt, and tested: first the quick tests, then, if they
all pass, the application tests (the soak test is left out; it finds nothing the others miss and
takes minutes). A fault that breaks the build counts as caught; one whose text is not found is
stale and not counted. The last line reads: caught K/N (S stale)[; escaped: ids]."""
import json
import os
import re
import shutil
import subprocess
import sys
import time

SLOW = "ZarnethApplicationTest"


def run(args, timeout=None, **kw):
    return subprocess.run(args, capture_output=True, text=True, timeout=timeout, **kw)


def tests_pass(build, timeout):
    """True when the suite passes; the quick tests first, so a caught fault is found fast."""
    common = ["ctest", "--test-dir", build, "--parallel", str(os.cpu_count() or 2),
              "--timeout", "300", "--stop-on-failure"]
    quick = run(common + ["-E", "Soak|" + SLOW], timeout)
    if quick.returncode:
        return False, quick.stdout
    slow = run(common + ["-R", SLOW], timeout)
    return slow.returncode == 0, slow.stdout


def first_failure(output):
    failed = re.search(r"Test +#\d+: (\S+) [^\n]*?\*\*\*(?:Failed|Timeout|Exception)", output)
    return failed.group(1) if failed else "ctest"


def prepare(project):
    sha = run(["git", "-C", project, "rev-parse", "--short=12", "HEAD"]).stdout.strip()
    root = os.path.join(os.environ.get("TMPDIR", "/tmp"), "zarneth-mutation", sha)
    src, build = os.path.join(root, "src"), os.path.join(root, "build")
    if os.path.exists(os.path.join(root, ".green")):
        return src, build
    run(["rm", "-rf", root])
    os.makedirs(root)
    subprocess.run(["git", "clone", "-q", project, src], check=True)
    configure = ["cmake", "-S", src, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                 "-DZARNETH_BUILD_BENCHMARKS=OFF"]
    if shutil.which("ccache"):
        # Copies of other commits share their unchanged objects.
        os.environ["CCACHE_BASEDIR"] = os.path.dirname(root)
        configure.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    steps = [configure,
             ["cmake", "--build", build]]
    for step in steps:
        result = run(step)
        if result.returncode:
            sys.exit("could not build the clean copy:\n" + (result.stdout + result.stderr)[-1500:])
    started = time.time()
    green, output = tests_pass(build, None)
    if not green:
        sys.exit("the suite fails without any fault:\n" + output[-1500:])
    print("clean suite passes in %.0f s" % (time.time() - started), flush=True)
    open(os.path.join(root, ".green"), "w").close()
    return src, build


def try_fault(fault, src, build, timeout):
    path = os.path.join(src, fault["file"])
    original = open(path, encoding="utf-8").read() if os.path.exists(path) else ""
    if fault["old"] not in original:
        return None
    open(path, "w", encoding="utf-8").write(original.replace(fault["old"], fault["new"], 1))
    try:
        if run(["cmake", "--build", build], timeout).returncode:
            return "caught by the build"
        green, output = tests_pass(build, timeout)
        return "ESCAPED" if green else "caught by " + first_failure(output)
    except subprocess.TimeoutExpired:
        return "caught (timed out)"
    finally:
        open(path, "w", encoding="utf-8").write(original)


def main():
    args = sys.argv[1:]
    option = lambda name: args[args.index(name) + 1] if name in args else None
    only = set(option("--only").split(",")) if option("--only") else None
    timeout = int(option("--timeout") or 900)
    positional = [a for i, a in enumerate(args) if not a.startswith("--") and (i == 0 or not args[i - 1].startswith("--"))]
    project = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    faults = json.load(open(positional[0] if positional else os.path.join(project, "scripts", "mutation-faults.json")))
    src, build = prepare(project)
    caught, counted, stale, escaped = 0, 0, 0, []
    for fault in faults:
        if only and fault["id"] not in only:
            continue
        started = time.time()
        verdict = try_fault(fault, src, build, timeout)
        if verdict is None:
            stale += 1
            print("stale    %s" % fault["id"], flush=True)
            continue
        counted += 1
        if verdict == "ESCAPED":
            escaped.append(fault["id"])
        else:
            caught += 1
        print("%-8s %-40s %s (%.0f s)" % ("ok" if verdict != "ESCAPED" else "ESCAPED", fault["id"], verdict,
                                            time.time() - started), flush=True)
    run(["cmake", "--build", build])
    print("caught %d/%d (%d stale)%s" % (caught, counted, stale, "; escaped: " + ", ".join(escaped) if escaped else ""))


if __name__ == "__main__":
    main()
