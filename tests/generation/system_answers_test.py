#!/usr/bin/env python3
"""system_answers_test.py WRITE_PAGE_SET NO_ENTRY_TYPES INTERRUPTED_CLOSE:
answers of the system forced on real runs with strace. Those that are no
failure: a signal that interrupts a write or a flush, a file system that
cannot flush folders (EINVAL), no rename that refuses to replace, from the
kernel (ENOSYS) or the file system (EINVAL); and, with a library
preloaded, closes said to be interrupted (INTERRUPTED_CLOSE) and folders
listed without entry types (NO_ENTRY_TYPES). Each such run must save the
page set an undisturbed run saves, and nothing else. Each refusal of the
folder must be told by its reason, with nothing made."""
import os
import shutil
import subprocess
import sys
import tempfile

import traced_run

ANSWERS = [
    ("a write interrupted by a signal", "inject=write:error=EINTR:when=1"),
    ("flushes interrupted by signals", "inject=fsync:error=EINTR:when=1+2"),
    # The three files are flushed first, then the two folders.
    ("a file system that cannot flush folders", "inject=fsync:error=EINVAL:when=4+"),
    ("a kernel without renameat2", "inject=renameat2:error=ENOSYS"),
    ("a file system without the no-replace rename", "inject=renameat2:error=EINVAL"),
]
REFUSALS = [
    ("ENOENT ENOTDIR", "保存先のフォルダーが見つかりません。"),
    ("EACCES EPERM", "書き込む権限がありません。"),
    ("EROFS", "読み取り専用の場所です。"),
    ("ENOSPC EDQUOT", "ディスクの空き容量が足りません。"),
    ("ENAMETOOLONG", "名前が長すぎます。"),
    ("EINVAL EILSEQ", "この名前はファイル名に使えません。"),
    ("EIO", "ディスクの読み書きでエラーが起きました。"),
    ("ESTALE", "システムエラー（Stale file handle）"),
]


def run(program, strace=(), preload=None):
    environment = traced_run.environment(**({"LD_PRELOAD": preload} if preload else {}))
    return subprocess.run([*strace, sys.argv[1], program, "bb"], capture_output=True, text=True, env=environment)


def saved(program, strace=(), preload=None, kept=()):
    os.makedirs(program, exist_ok=True)
    done = run(program, strace, preload)
    if done.returncode != 0:
        return None, f"not saved (exit {done.returncode}): {done.stdout}{done.stderr}"
    if sorted(os.listdir(program)) != sorted(["bb", *kept]):
        return None, f"the program folder holds {sorted(os.listdir(program))}"
    folder = os.path.join(program, "bb")
    return {name: open(os.path.join(folder, name), "rb").read() for name in os.listdir(folder)}, None


traced_run.skip_unless_traceable("system_answers")
problems = []
with tempfile.TemporaryDirectory() as top:
    expected, problem = saved(os.path.join(top, "undisturbed"))
    if problem:
        sys.exit(f"system_answers: an undisturbed run: {problem}")
    for n, (answer, injection) in enumerate(ANSWERS):
        pages, problem = saved(os.path.join(top, str(n)), ["strace", "-f", "-qq", "-o", os.devnull, "-e", injection])
        if problem or pages != expected:
            problems.append(f"{answer} ({injection}): {problem or 'a page set unlike the undisturbed one'}")
    for errors, reason in REFUSALS:
        for error in errors.split():
            program = os.path.join(top, error)
            os.mkdir(program)
            done = run(program, ["strace", "-f", "-qq", "-o", os.devnull, "-e", f"inject=mkdir:error={error}:when=1"])
            if done.returncode == 0 or reason not in done.stdout + done.stderr or os.listdir(program):
                problems.append(f"the folder refused with {error}: told {done.stdout.strip()!r}, not {reason!r}")
    pages, problem = saved(os.path.join(top, "interrupted"), preload=sys.argv[3])
    if problem or pages != expected:
        problems.append(f"closes said to be interrupted: {problem or 'a page set unlike the undisturbed one'}")
    # Killed at its rename, a run leaves its staging folder; the next run
    # sweeps it, also where the file system tells no folder from a file, but
    # never through a link that looks like one to a folder elsewhere.
    program = os.path.join(top, "untyped")
    os.mkdir(program)
    run(program, ["strace", "-f", "-qq", "-o", os.devnull, "-e", "inject=renameat2:signal=KILL"])
    if len(os.listdir(program)) != 1:
        problems.append(f"a run killed at its rename left {sorted(os.listdir(program))}, not its staging folder")
    else:
        left = os.listdir(program)[0]
        elsewhere = shutil.copytree(os.path.join(program, left), os.path.join(top, "elsewhere"))
        start, number, time = left.rsplit("-", 2)
        link = f"{start}-{int(number) + 1}-{time}"  # as the same dead run's next staging folder
        os.symlink(elsewhere, os.path.join(program, link))
        files = sorted(os.listdir(elsewhere))
        pages, problem = saved(program, preload=sys.argv[2], kept=[link])
        if not problem and sorted(os.listdir(elsewhere)) != files:
            problem = f"a link's folder elsewhere lost its files: {files} became {sorted(os.listdir(elsewhere))}"
        if problem or pages != expected:
            problems.append(f"a file system without entry types: {problem or 'a page set unlike the undisturbed one'}")
print("system_answers:", "\n".join(problems) or "each answer met, and the page set saved whole")
sys.exit(1 if problems else 0)
