#!/usr/bin/env python3
"""durable_write_test.py WRITE_PAGE_SET: one real run under strace must flush
each staged file (fsync or fdatasync on its own descriptor) after its last
write, then the staging folder, then rename it to NAME, then flush the
program folder: on the disk before it has its name, and its name after."""
import os
import re
import shutil
import subprocess
import sys
import tempfile


def problem(driver, top):
    program = os.path.join(os.path.realpath(top), "program")
    os.mkdir(program)
    log = os.path.join(top, "strace.log")
    # LeakSanitizer cannot run under ptrace: a sanitizer build would fail at exit.
    env = dict(os.environ, ASAN_OPTIONS=os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0")
    if not shutil.which("strace"):
        return "strace is missing: scripts/packages test installs it"
    run = subprocess.run(["strace", "-f", "-y", "-s", "4096", "-o", log, "-e",
                          "trace=write,fsync,fdatasync,rename,renameat,renameat2", driver, program, "bb"],
                         env=env, capture_output=True, text=True)
    if run.returncode != 0:
        return f"the run did not save (exit {run.returncode}): {run.stdout}{run.stderr}"
    calls = []  # the calls that succeeded: name, the descriptor's path, the quoted paths
    for line in open(log, encoding="utf-8", errors="replace"):
        call = re.match(r'(?:\d+ +)?(\w+)\((.*)\) += (\d+)', line)
        if call:
            fd = re.match(r'\d+<([^>]*)>', call.group(2))
            calls.append((call.group(1), fd and fd.group(1), re.findall(r'"([^"]*)"', call.group(2))))

    def first(after, wanted):
        return next((i for i in range(after + 1, len(calls)) if wanted(*calls[i])), None)

    def flush_of(path):
        return lambda name, fd, paths: name in ("fsync", "fdatasync") and fd == path

    renamed = first(-1, lambda name, fd, paths: name.startswith("rename") and paths[-1:] == [program + "/bb"])
    if renamed is None:
        return f"no rename to {program}/bb"
    staging, flushed = calls[renamed][2][-2], -1
    for file in (staging + "/bb.asx", staging + "/bb.htm", staging + "/bb01.htm"):
        writes = [i for i, (name, fd, _) in enumerate(calls) if name == "write" and fd == file]
        at = first(writes[-1], flush_of(file)) if writes else None
        if at is None:
            return f"{file} is not flushed after its last write"
        flushed = max(flushed, at)
    folder_flushed = first(flushed, flush_of(staging))
    if folder_flushed is None or folder_flushed > renamed:
        return f"the staging folder {staging} is not flushed after its files and before the rename"
    if first(renamed, flush_of(program)) is None:
        return f"the program folder {program} is not flushed after the rename"


with tempfile.TemporaryDirectory() as top:
    found = problem(sys.argv[1], top)
print("durable_write:", found or "files, staging folder, rename and program folder flushed in that order")
sys.exit(1 if found else 0)
