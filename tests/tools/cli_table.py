#!/usr/bin/python3
"""Runs the command-line cases of tests/data/dumps/cases.txt against the program.

Each row gives the exit status, what must come on standard output and on standard error,
and the arguments; the program runs from the top of the repository with no display (DISPLAY,
WAYLAND_DISPLAY and QT_QPA_PLATFORM unset), so a case that needed a window would fail. The
program itself must not link the window system.

    cli_table.py PROGRAM SOURCE_DIR
"""
import glob
import os
import shlex
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from tiff_writer import ASCII, back_to_back, image_entries, tiff  # noqa: E402

# What a last argument does with the program's standard output instead of capturing it.
REDIRECTIONS = {">/dev/full": "full", ">&-": "closed"}


def make_folder(tmp, source):
    """The files of $TMP; returns the name of the one whose bytes are not UTF-8 ($BAD)."""
    grey8 = os.path.join(source, "samples", "grey8_ii.tif")
    shutil.copy(grey8, os.path.join(tmp, "grey 8 \u00fc.tif"))
    bad = os.path.join(tmp, os.fsdecode(b"bad\xff\xfe.tif"))
    shutil.copy(grey8, bad)
    open(os.path.join(tmp, "empty.tif"), "wb").close()
    with open(os.path.join(tmp, "png.tif"), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x04\0\0\0\x02\x08\0\0\0\0")
    # ImageJ's description with a micro sign in Latin-1, a Software text in UTF-8, a date.
    texts = {270: b"ImageJ=1.54f\nunit=\xb5m\n\0", 305: "\u00b5Manager\0".encode(),
             306: b"2024:01:02 03:04:05\0"}
    entries = image_entries(4, 2, 8, 2, back_to_back([8]))
    entries += [(tag, ASCII, len(text), text) for tag, text in texts.items()]
    entries.sort(key=lambda e: e[0])
    with open(os.path.join(tmp, "described.tif"), "wb") as f:
        f.write(tiff(entries, bytes(range(8))))
    return bad


def expected(column, folder, tmp):
    """(kind, text) for a STDOUT or STDERR column."""
    if column == "-":
        return "exact", ""
    if column == "*":
        return "any", ""
    if column.startswith("@"):
        with open(os.path.join(folder, column[1:]), encoding="utf-8") as f:
            return "exact", f.read().replace("$TMP", tmp)
    if column.startswith("="):
        return "exact", column[1:] + "\n"
    if column.startswith("^"):
        return "first", column[1:]
    raise ValueError("unknown column " + column)


def matches(column, got, folder, tmp):
    kind, want = expected(column, folder, tmp)
    if kind == "any":
        return True
    if kind == "exact":
        return got == want
    return got.split("\n", 1)[0] == want


def words(args, tmp, bad, source):
    """The row's arguments: $TMP and $BAD put in, patterns with * expanded."""
    out = []
    for a in args:
        a = a.replace("$BAD", bad).replace("$TMP", tmp)
        out += sorted(glob.glob(a, root_dir=source)) if "*" in a else [a]
    return out


def jq_reads(args, stdout):
    """True when jq reads what --info printed: one object a line, or one array with --pretty."""
    if "--info" not in args:
        return True
    run = subprocess.run(["jq", "-c", "."], input=stdout, capture_output=True)
    objects = run.stdout.decode().splitlines()
    lines = 1 if "--pretty" in args else len(stdout.decode().splitlines())
    return run.returncode == 0 and len(objects) == lines


def run_row(program, args, source, env):
    """The program's (status, stdout, stderr), its stdout sent where a last argument says."""
    where = REDIRECTIONS.get(args[-1]) if args else None
    if where is None:
        run = subprocess.run([program] + args, cwd=source, env=env, capture_output=True,
                             timeout=120)
        return run.returncode, run.stdout, run.stderr
    args = args[:-1]
    if where == "full":
        with open("/dev/full", "wb") as full:
            run = subprocess.run([program] + args, cwd=source, env=env, stdout=full,
                                 stderr=subprocess.PIPE, timeout=120)
    else:
        # The program starts with descriptor 1 closed.
        run = subprocess.run([program] + args, cwd=source, env=env, stderr=subprocess.PIPE,
                             timeout=120, pass_fds=(), preexec_fn=lambda: os.close(1))
    return run.returncode, b"", run.stderr


def links_no_window_system(program):
    needed = subprocess.run(["readelf", "-d", program], capture_output=True, text=True).stdout
    return "libQt" not in needed and "NEEDED" in needed


def main(argv):
    program, source = argv[1], argv[2]
    folder = os.path.join(source, "tests", "data", "dumps")
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    failed = 0 if links_no_window_system(program) else 1
    if failed:
        print(f"{program} links the window system")
    rows = 0
    with tempfile.TemporaryDirectory() as tmp:
        bad = make_folder(tmp, source)
        with open(os.path.join(folder, "cases.txt"), encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                if not line.strip() or line.startswith("#"):
                    continue
                rows += 1
                status, out, err, *args = shlex.split(line)
                args = words(args, tmp, bad, source)
                code, stdout, stderr = run_row(program, args, source, env)
                got_out = stdout.decode("utf-8", "replace")
                got_err = stderr.decode("utf-8", "replace")
                if (code == int(status) and matches(out, got_out, folder, tmp)
                        and matches(err, got_err, folder, tmp) and jq_reads(args, stdout)):
                    continue
                failed += 1
                shown = shlex.join(args).encode("utf-8", "surrogateescape")
                print(f"cases.txt:{number}: {shown.decode('utf-8', 'replace')}")
                print(f"  status {code}, expected {status}")
                print("  stdout:\n" + got_out[:2000])
                print("  stderr:\n" + got_err[:2000])
    print(f"{rows - failed} of {rows} command-line cases pass")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
