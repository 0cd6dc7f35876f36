"""What the tests that watch or disturb a real run under strace share."""
import os
import shutil
import subprocess
import sys


def skip_unless_traceable(test):
    """Ends the test where strace is missing (a failure) or may not trace (skipped, 77)."""
    if not shutil.which("strace"):
        sys.exit(f"{test}: strace is missing: scripts/packages test installs it")
    probe = subprocess.run(["strace", "-o", os.devnull, "true"], capture_output=True, text=True)
    if probe.returncode != 0:
        # A container may forbid ptrace: this case cannot be seen here, the rest of the run goes on.
        print(f"{test}: skipped, strace cannot trace a process here:", probe.stderr.strip())
        sys.exit(77)


def environment(**more):
    """The environment of a traced run: LeakSanitizer cannot run under ptrace,
    nor AddressSanitizer after a preloaded library."""
    return dict(os.environ, ASAN_OPTIONS=os.environ.get("ASAN_OPTIONS", "")
                + ":detect_leaks=0:verify_asan_link_order=0", **more)
