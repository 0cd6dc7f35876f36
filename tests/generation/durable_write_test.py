#!/usr/bin/env python3
"""durable_write_test.py WRITE_PAGE_SET: a page set is on the disk before it
has its name, and its name is on the disk after.

Runs one real page set under strace and reads its system calls: each of the
three files in the staging folder is flushed (fsync or fdatasync on its own
descriptor) after its last write, then the staging folder itself, then the
staging folder is renamed to NAME, then the program folder is flushed."""
import os
import re
import subprocess
import sys
import tempfile

CALL = re.compile(r'^(?:\d+ +)?(\w+)\((.*)\) += (-?\d+)')


def check(driver, top):
    program = os.path.join(os.path.realpath(top), "program")
    os.mkdir(program)
    log = os.path.join(top, "strace.log")
    # LeakSanitizer cannot run under ptrace: a sanitizer build would fail at exit.
    env = dict(os.environ, ASAN_OPTIONS=os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0")
    run = subprocess.run(["strace", "-f", "-y", "-s", "4096", "-o", log,
                          "-e", "trace=write,fsync,fdatasync,rename,renameat,renameat2",
                          driver, program, "bb"], env=env, capture_output=True, text=True)
    if run.returncode != 0:
        return f"the run did not save (exit {run.returncode}): {run.stdout}{run.stderr}"
    calls = []  # (name, descriptor's path or quoted paths, result), successful ones only
    for line in open(log, encoding="utf-8", errors="replace"):
        match = CALL.match(line)
        if match and int(match.group(3)) >= 0:
            name, args = match.group(1), match.group(2)
            fd = re.match(r'\d+<([^>]*)>', args)
            calls.append((name, fd.group(1) if fd else None, re.findall(r'"([^"]*)"', args)))

    def first(after, wanted):
        return next((i for i in range(after + 1, len(calls)) if wanted(calls[i])), None)

    folder = os.path.join(program, "bb")
    renamed = first(-1, lambda c: c[0].startswith("rename") and c[2][-1:] == [folder])
    if renamed is None:
        return f"no rename to {folder}"
    staging = calls[renamed][2][-2]
    flushes = lambda path: lambda c: c[0] in ("fsync", "fdatasync") and c[1] == path
    flushed = -1
    for file in ("bb.asx", "bb.htm", "bb01.htm"):
        path = os.path.join(staging, file)
        writes = [i for i, c in enumerate(calls) if c[0] == "write" and c[1] == path]
        at = first(writes[-1], flushes(path)) if writes else None
        if at is None:
            return f"{path} is not flushed after its last write"
        flushed = max(flushed, at)
    folder_flushed = first(flushed, flushes(staging))
    if folder_flushed is None or folder_flushed > renamed:
        return f"the staging folder {staging} is not flushed after its files and before the rename"
    if first(renamed, flushes(program)) is None:
        return f"the program folder {program} is not flushed after the rename"
    return None


def main():
    with tempfile.TemporaryDirectory() as top:
        problem = check(sys.argv[1], top)
    if problem:
        print("durable_write:", problem)
        return 1
    print("durable_write: files, staging folder, rename and program folder flushed in that order")
    return 0


if __name__ == "__main__":
    sys.exit(main())
