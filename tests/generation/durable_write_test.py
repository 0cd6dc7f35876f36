#!/usr/bin/env python3
"""durable_write_test.py [--wine] WRITE_PAGE_SET: one real run under strace
must flush each staged file (fsync or fdatasync on its own descriptor) after
its last write, then the staging folder, then rename it to NAME, then flush
the program folder: on the disk before it has its name, and its name after.
With --wine, the Windows program's calls are watched through Wine's relay
trace: each file flushed (FlushFileBuffers) after its last write and before
the folder is moved to NAME, written through and never over anything (Windows
keeps folder entries safe by itself)."""
import os
import re
import subprocess
import sys
import tempfile

import traced_run


def problem(driver, top, program):
    log = os.path.join(top, "strace.log")
    traced_run.skip_unless_traceable("durable_write")
    run = subprocess.run(["strace", "-f", "-y", "-s", "4096", "-o", log, "-e",
                          "trace=write,fsync,fdatasync,rename,renameat,renameat2", driver, program, "bb"],
                         env=traced_run.environment(), capture_output=True, text=True)
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


def wine_problem(driver, program):
    windows = "Z:" + program.replace("/", "\\")
    traced = subprocess.Popen(["wine", driver, windows, "bb"], env=dict(os.environ, WINEDEBUG="-all,+relay"),
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, errors="replace")
    watched = re.compile(r"(\w+):(Call|Ret ) KERNEL32\.(CreateFileW|WriteFile|FlushFileBuffers|CloseHandle|MoveFileExW)"
                         r"\((.*?)\)(?: retval=(\w+))?")
    lines = [found.groups() for found in map(watched.match, traced.stderr) if found]
    said = traced.stdout.read()
    if traced.wait() != 0:
        return f"the run did not save (exit {traced.returncode}): {said}"
    # The relay trace doubles each backslash of a string.
    target = 'L"' + ("\\\\?\\" + windows + "\\bb").replace("\\", "\\\\") + '"'
    moved = next((i for i, (_, kind, name, args, _) in enumerate(lines) if name == "MoveFileExW"
                  and kind == "Call" and target in args), None)
    if moved is None:
        return f"no move to {target}"
    thread, flags = lines[moved][0], int(lines[moved][3].rsplit(",", 1)[1], 16)
    if flags & 1 or not flags & 8:  # MOVEFILE_REPLACE_EXISTING, MOVEFILE_WRITE_THROUGH
        return f"the move's flags are {flags:#x}: it must write through and replace nothing"
    calls = [(kind, name, args, value) for who, kind, name, args, value in lines[:moved] if who == thread]
    for file in ("bb.asx", "bb.htm", "bb01.htm"):
        ending = "\\\\" + file + '"'
        opened = next((i for i, call in enumerate(calls) if call[1] == "CreateFileW" and call[2].split(",")[0].endswith(ending)), None)
        handle = next((value for kind, name, _, value in calls[opened or 0:] if kind == "Ret " and name == "CreateFileW"), None)
        if opened is None or handle is None:
            return f"no file {file} created before the move"
        mine = [(name, i) for i, (kind, name, args, _) in enumerate(calls) if i > opened and kind == "Call"
                and args.split(",")[0].lstrip("0") == handle.lstrip("0")]
        closed = next((i for name, i in mine if name == "CloseHandle"), len(calls))
        writes = [i for name, i in mine if name == "WriteFile" and i < closed]
        if not writes or not any(name == "FlushFileBuffers" and writes[-1] < i < closed for name, i in mine):
            return f"{file} is not flushed after its last write and before the move"


with tempfile.TemporaryDirectory() as top:
    program = os.path.join(os.path.realpath(top), "program")
    os.mkdir(program)
    found = wine_problem(sys.argv[2], program) if sys.argv[1] == "--wine" else problem(sys.argv[1], top, program)
print("durable_write:", found or "each file flushed after its last write, in order with the folders and the rename")
sys.exit(1 if found else 0)
