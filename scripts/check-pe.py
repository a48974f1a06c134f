#!/usr/bin/env python3
"""Structural checks of the Windows on ARM64 outputs, read with llvm-readobj (no ARM64 Windows
needed). Each command prints what it found and exits non-zero on a failed check.

  check-pe.py image FILE [--def DEF]    machine ARM64 (0xAA64), exports exactly DEF's, imports
                                        from system DLLs only, .pdata unwind data, ASLR/NX flags
  check-pe.py same-exports FILE OTHER   both export the same names (the ARM64 and x64 builds)
  check-pe.py arm64x FILE --def DEF --native NAME --x64 NAME
                                        an ARM64X pure forwarder: in its native view every
                                        export of DEF forwards to NAME.<export>, in its x64 view
                                        to the other NAME; both views have a load configuration
"""
import argparse
import os
import re
import subprocess
import sys

READOBJ = os.environ.get("REVAZE_READOBJ", "llvm-readobj-22")
# DLLs that Windows 11 on ARM ships for native ARM64 processes (and the API sets).
SYSTEM_DLLS = re.compile(
    r"^(kernel32|user32|gdi32|imm32|ole32|oleaut32|advapi32|msctf|shell32|msvcrt|uxtheme|"
    r"comctl32|shlwapi|version|bcrypt|ntdll|api-ms-win-.*)\.dll$", re.I)
FLAGS = ("DYNAMIC_BASE", "NX_COMPAT", "HIGH_ENTROPY_VA")

failures = []


def check(ok, what):
    print(("ok:   " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def readobj(path):
    return subprocess.run([READOBJ, "--file-headers", "--coff-exports", "--coff-imports",
                           "--coff-load-config", path], check=True, capture_output=True,
                          text=True).stdout


def views(text):
    """The native view and, for a hybrid image, its x64 (ARM64EC) view."""
    native, _, hybrid = text.partition("\nHybridObject {")
    return native, hybrid


def blocks(text, head):
    """The bodies of `head {` blocks, one level deep."""
    return re.findall(r"^\s*" + head + r" \{\n(.*?)^\s*\}", text, re.S | re.M)


def field(block, name):
    m = re.search(r"^\s*" + name + r": (.*)$", block, re.M)
    return m.group(1).strip() if m else None


def exports(text):
    """{name: forwarded-to or None}"""
    return {field(b, "Name"): field(b, "ForwardedTo") for b in blocks(text, "Export")
            if field(b, "Name")}


def imports(text):
    return sorted({field(b, "Name") for b in blocks(text, "Import")})


def def_exports(path):
    names, inside = [], False
    for line in open(path, encoding="utf-8"):
        line = line.split(";")[0].strip()
        if line.upper() == "EXPORTS":
            inside = True
        elif inside and line:
            names.append(line.split()[0])
    return sorted(names)


def image(args):
    text = readobj(args.file)
    name = os.path.basename(args.file)
    check("IMAGE_FILE_MACHINE_ARM64 (0xAA64)" in text, f"{name}: machine ARM64 (0xAA64)")
    if args.def_file:
        have = sorted(exports(text))
        check(have == def_exports(args.def_file),
              f"{name}: exports {' '.join(have) or '(none)'} as {os.path.basename(args.def_file)}")
    found = imports(text)
    foreign = [d for d in found if not SYSTEM_DLLS.match(d)]
    check(not foreign, f"{name}: imports from system DLLs only ({' '.join(found)})"
          + (f"; not system: {' '.join(foreign)}" if foreign else ""))
    size = field(text, "ExceptionTableSize") or "0x0"
    check(int(size, 16) > 0, f"{name}: unwind data (.pdata, {int(size, 16)} bytes)")
    for flag in FLAGS:
        check("IMAGE_DLL_CHARACTERISTICS_" + flag in text, f"{name}: {flag}")


def same_exports(args):
    a, b = (sorted(exports(readobj(f))) for f in (args.file, args.other))
    check(a == b and a != [], f"{os.path.basename(args.file)} and {args.other} export the same "
          f"names ({' '.join(a)} / {' '.join(b)})")


def arm64x(args):
    name = os.path.basename(args.file)
    native, hybrid = views(readobj(args.file))
    check("Format: COFF-ARM64X" in native, f"{name}: an ARM64X image")
    check("Format: COFF-ARM64EC" in hybrid, f"{name}: with an x64 (ARM64EC) view")
    want = def_exports(args.def_file)
    for label, text, target in (("native", native, args.native), ("x64", hybrid, args.x64)):
        have = exports(text)
        check(sorted(have) == want and all(have[e] == f"{target}.{e}" for e in want),
              f"{name} {label} view: " + ", ".join(f"{e} -> {have[e]}" for e in sorted(have)))
        check(not imports(text), f"{name} {label} view: imports nothing")
        check(field(text, "Size") == "0x140", f"{name} {label} view: load configuration")
        for flag in FLAGS:
            check("IMAGE_DLL_CHARACTERISTICS_" + flag in text, f"{name} {label} view: {flag}")
    check(field(hybrid, "CHPEMetadataPointer") not in (None, "0x0"),
          f"{name} x64 view: CHPE metadata")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="command", required=True)
    p = sub.add_parser("image")
    p.add_argument("file")
    p.add_argument("--def", dest="def_file")
    p.set_defaults(run=image)
    p = sub.add_parser("same-exports")
    p.add_argument("file")
    p.add_argument("other")
    p.set_defaults(run=same_exports)
    p = sub.add_parser("arm64x")
    p.add_argument("file")
    p.add_argument("--def", dest="def_file", required=True)
    p.add_argument("--native", required=True)
    p.add_argument("--x64", required=True)
    p.set_defaults(run=arm64x)
    args = parser.parse_args()
    args.run(args)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
