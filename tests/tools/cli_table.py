#!/usr/bin/python3
"""Runs the command-line cases of tests/data/dumps/cases.txt against the program.

Each row gives the exit status, what must come on standard output and on standard error,
and the arguments; the program runs from the top of the repository with no display (DISPLAY,
WAYLAND_DISPLAY and QT_QPA_PLATFORM unset), so a case that needed a window would fail.

    cli_table.py PROGRAM SOURCE_DIR
"""
import os
import shlex
import shutil
import subprocess
import sys
import tempfile


def expected(column, folder):
    """(kind, text) for a STDOUT or STDERR column."""
    if column == "-":
        return "exact", ""
    if column.startswith("@"):
        with open(os.path.join(folder, column[1:]), encoding="utf-8") as f:
            return "exact", f.read()
    if column.startswith("="):
        return "exact", column[1:] + "\n"
    if column.startswith("^"):
        return "first", column[1:]
    raise ValueError("unknown column " + column)


def matches(column, got, folder):
    kind, want = expected(column, folder)
    if kind == "exact":
        return got == want
    return got.split("\n", 1)[0] == want


def main(argv):
    program, source = argv[1], argv[2]
    folder = os.path.join(source, "tests", "data", "dumps")
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    failed = 0
    rows = 0
    with tempfile.TemporaryDirectory() as tmp:
        shutil.copy(os.path.join(source, "samples", "grey8_ii.tif"),
                    os.path.join(tmp, "grey 8 \u00fc.tif"))
        with open(os.path.join(folder, "cases.txt"), encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                if not line.strip() or line.startswith("#"):
                    continue
                rows += 1
                status, out, err, *args = shlex.split(line)
                args = [a.replace("$TMP", tmp) for a in args]
                run = subprocess.run([program] + args, cwd=source, env=env,
                                     capture_output=True, timeout=120)
                got_out = run.stdout.decode("utf-8", "replace")
                got_err = run.stderr.decode("utf-8", "replace")
                if (run.returncode == int(status) and matches(out, got_out, folder)
                        and matches(err, got_err, folder)):
                    continue
                failed += 1
                print(f"cases.txt:{number}: {shlex.join(args)}")
                print(f"  status {run.returncode}, expected {status}")
                print("  stdout:\n" + got_out[:2000])
                print("  stderr:\n" + got_err[:2000])
    print(f"{rows - failed} of {rows} command-line cases pass")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
