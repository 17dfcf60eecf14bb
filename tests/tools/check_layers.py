#!/usr/bin/python3
"""Fails when a source file includes a header of a layer it does not build on.

The layers, from the ground up, and the layers each builds on:
  core/     (none) the App record and the records it holds (header record, file table,
            pixel store, histogram counts), the message lines, the pixel kinds, the toolkit
            interface, message writing, number text, fixed texts
  tiff/     core: header reading
  display/  core: rendering, histogram, intensity, read-out (reads only the records)
  decode/   core, tiff, display: the load driver, which ends a load by painting, the
            decoders
  ui/       every layer below it: the commands, the help window, the command line and the
            program, which loads the window
  ui/qt/    every layer below it: the Qt binding and the window
A file may include headers of its own layer and of the layers it builds on, with no
exceptions: tiff/ and display/ see nothing of each other. The build refuses such an include
too (each layer is a library that sees only its own headers and those of the layers it
links); this check names every such include at once.

  check_layers.py [ROOT]        check the tree at ROOT (default: this repository)
  check_layers.py --self-test   show that an upward include is caught
"""
import os
import re
import sys
import tempfile

LAYERS = ["core", "tiff", "display", "decode", "ui", "ui/qt"]
BUILDS_ON = {
    "core": set(),
    "tiff": {"core"},
    "display": {"core"},
    "decode": {"core", "tiff", "display"},
    "ui": {"core", "tiff", "display", "decode"},
    "ui/qt": {"core", "tiff", "display", "decode", "ui"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer(path):
    folder = os.path.dirname(path)
    return folder if folder in LAYERS else None


def fault(path, target):
    own, theirs = layer(path), layer(target)
    if theirs is None or theirs == own or theirs in BUILDS_ON[own]:
        return None
    if own in BUILDS_ON[theirs]:
        return f"{path} includes {target}, a layer above it"
    return f"{path} includes {target}, a layer it does not build on"


def faults(root):
    found = []
    for folder in LAYERS:
        base = os.path.join(root, folder)
        if not os.path.isdir(base):
            continue
        for name in sorted(os.listdir(base)):
            if not name.endswith((".h", ".cpp")):
                continue
            path = f"{folder}/{name}"
            with open(os.path.join(root, path), encoding="utf-8") as f:
                text = f.read()
            for target in INCLUDE.findall(text):
                line = fault(path, target)
                if line is not None:
                    found.append(line)
    return found


def self_test():
    with tempfile.TemporaryDirectory() as root:
        for folder in ("core", "tiff", "display", "decode"):
            os.makedirs(os.path.join(root, folder))
        files = {
            "core/app.h": '#include "core/image_header.h"\n#include "decode/pixel_store.h"\n',
            "core/image_header.h": '#include "core/flags.h"\n',
            "decode/readfile.cpp": '#include "display/paint.h"\n#include "tiff/getheader.h"\n',
            "display/paint.cpp": '#include "decode/readfile.h"\n',
            "display/greymap.cpp": '#include "tiff/tags.h"\n#include "core/flags.h"\n',
        }
        for path, text in files.items():
            with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                f.write(text)
        got = faults(root)
    want = ["core/app.h includes decode/pixel_store.h, a layer above it",
            "display/greymap.cpp includes tiff/tags.h, a layer it does not build on",
            "display/paint.cpp includes decode/readfile.h, a layer above it"]
    if sorted(got) != want:
        print("self-test: expected", want, "got", got)
        return 1
    print("self-test: upward and sideways includes are caught, downward ones pass")
    return 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../..")
    found = faults(root)
    for line in found:
        print(line)
    if found:
        return 1
    print("layers: no file includes a layer it does not build on")
    return 0


if __name__ == "__main__":
    sys.exit(main())
