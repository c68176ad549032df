#!/usr/bin/env python3
"""The Windows release: the licences of the third-party code in Qt.

Finds the third-party code that a Qt build compiled in, from Qt's own
qt_attribution.json records, and copies the licence texts each names.

    qt-attributions.py SOURCE_ROOT COMPILED_SOURCES CONFIGURE_OPTIONS OUTPUT_FOLDER

SOURCE_ROOT is the unpacked source Qt was built from, COMPILED_SOURCES the
list of what its build compiled (paths relative to SOURCE_ROOT; absolute ones
name generated files and are skipped), CONFIGURE_OPTIONS the CMake options it
was configured with. Third-party code is often #included rather than compiled
on its own (the hash functions, tinycbor, the Unicode tables), so what the
compiled files include, and what that includes, counts as compiled too; an
include in a branch for another platform, or for a feature the options turned
off, does not.
Each component found gets OUTPUT_FOLDER/<Id>/ with its licence files, and a
line on standard output: "name | version | licence | file, file", the files
named as OUTPUT_FOLDER/<Id>/<file>. A component found whose licence text is
missing fails the run.
"""

import json
import re
import shutil
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
CONDITION = re.compile(r"^\s*#\s*(if|ifdef|ifndef|elif|else|endif)\b(.*)")
# Macros that hold only on platforms other than Windows.
FOREIGN = re.compile(
    r"\b(Q_OS_(DARWIN|MACOS|MACX|IOS|TVOS|WATCHOS|APPLE|UNIX|LINUX|ANDROID|WASM|"
    r"QNX|INTEGRITY|VXWORKS|HURD|FREEBSD|NETBSD|OPENBSD|SOLARIS|HPUX|AIX|CYGWIN)|"
    r"__APPLE__|__linux__|__unix__|__ANDROID__|__EMSCRIPTEN__)\b"
)
WINDOWS = re.compile(r"^\s*(defined\s*\(?\s*)?(Q_OS_WIN|Q_OS_WIN32|Q_OS_WIN64|_WIN32)\s*\)?\s*$")
FEATURE = re.compile(r"QT_CONFIG\s*\(\s*(\w+)\s*\)")
DISABLED = re.compile(r"^-DFEATURE_(\w+)=OFF$")
SOURCE_SUFFIXES = {".c", ".cc", ".cpp", ".cxx", ".h", ".hpp", ".inc", ".macros"}
PUBLIC_DOMAIN = re.compile(r"public domain", re.IGNORECASE)
SPDX_OPERATORS = {"", "AND", "OR", "WITH"}


def fail(message):
    sys.exit(f"qt-attributions.py: {message}")


def branches(directive, condition, disabled):
    """Whether the branch a conditional opens is dead in this build, and
    whether its #else is: a platform other than Windows, or a feature the
    build turned off. A condition this cannot read counts as live."""
    condition = condition.split("//")[0].strip()
    if directive == "ifndef":
        return condition.startswith("QT_NO_") and condition[6:].lower() in disabled, False
    if directive == "ifdef":
        return bool(FOREIGN.search(condition)), bool(WINDOWS.match(condition))
    if "!" in condition or "||" in condition:
        return False, False
    features = FEATURE.findall(condition)
    dead = bool(FOREIGN.search(condition)) or any(feature in disabled for feature in features)
    return dead, bool(WINDOWS.match(condition))


def includes(path, disabled):
    """The names a file #includes outside branches dead in this build."""
    names = []
    # One entry per open conditional: whether the branch now read is dead,
    # and whether its #else would be.
    stack = []
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        condition = CONDITION.match(line)
        if condition:
            directive, rest = condition.groups()
            if directive in ("if", "ifdef", "ifndef"):
                stack.append(branches(directive, rest, disabled))
            elif directive == "elif" and stack:
                stack[-1] = branches(directive, rest, disabled)
            elif directive == "else" and stack:
                stack[-1] = (stack[-1][1], False)
            elif directive == "endif" and stack:
                stack.pop()
            continue
        include = INCLUDE.match(line)
        if include and not any(dead for dead, _ in stack):
            names.append(include.group(1))
    return names


def built_files(root, compiled, disabled):
    """The compiled files and everything they include from the source tree."""
    by_name = {}
    for path in root.rglob("*"):
        if path.suffix in SOURCE_SUFFIXES and path.is_file():
            by_name.setdefault(path.name, []).append(path)

    def resolve(including, name):
        beside = (including.parent / name).resolve()
        if beside.is_file():
            return [beside]
        tail = Path(name).parts
        return [p for p in by_name.get(tail[-1], []) if p.parts[-len(tail):] == tail] or by_name.get(tail[-1], [])

    seen = set()
    pending = [root / line for line in compiled if not line.startswith("/")]
    while pending:
        path = pending.pop().resolve()
        if path in seen or not path.is_file():
            continue
        seen.add(path)
        if path.suffix in SOURCE_SUFFIXES:
            for name in includes(path, disabled):
                pending.extend(resolve(path, name))
    return seen


def records(root):
    for attribution in sorted(root.rglob("qt_attribution.json")):
        # Qt's records repeat keys (the last one counts) and break strings
        # across lines.
        entries = json.loads(attribution.read_text(encoding="utf-8"), strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            yield attribution.parent, entry


def covered(folder, entry):
    if "Path" in entry:
        return [folder / entry["Path"]]
    if "Files" in entry:
        # One string of names, or (newer Qt) a list of them.
        names = entry["Files"]
        return [folder / name for name in (names.split() if isinstance(names, str) else names)]
    return [folder]


def licence_files(root, folder, entry):
    names = entry.get("LicenseFile", [])
    if names:
        return [folder / name for name in ([names] if isinstance(names, str) else names)]
    # Newer Qt keeps one text of each licence in LICENSES/, named by its SPDX
    # identifier, and a record names only the identifiers.
    identifiers = [word for word in re.split(r"[\s()]+", entry.get("LicenseId", "")) if word not in SPDX_OPERATORS]
    return [root / "LICENSES" / f"{identifier}.txt" for identifier in identifiers]


def text_of(value):
    # Newer Qt gives a notice of several lines as a list of them.
    return value if isinstance(value, str) else "\n".join(value)


def main():
    if len(sys.argv) != 5:
        fail("usage: qt-attributions.py SOURCE_ROOT COMPILED_SOURCES CONFIGURE_OPTIONS OUTPUT_FOLDER")
    root, compiled, options, output = Path(sys.argv[1]).resolve(), Path(sys.argv[2]), Path(sys.argv[3]), Path(sys.argv[4])
    lines = [line.strip() for line in compiled.read_text(encoding="utf-8").splitlines() if line.strip()]
    if not lines:
        fail(f"{compiled} lists no compiled source")
    disabled = {m.group(1) for m in map(DISABLED.match, options.read_text(encoding="utf-8").split()) if m}
    built = built_files(root, lines, disabled)
    found = 0
    for folder, entry in records(root):
        paths = [path.resolve() for path in covered(folder, entry)]
        if not any(file == path or path in file.parents for file in built for path in paths):
            continue
        found += 1
        identifier = entry.get("Id") or fail(f"a record in {folder} has no Id")
        licence = entry.get("LicenseId") or entry.get("License") or fail(f"{identifier} names no licence")
        texts = licence_files(root, folder, entry)
        if not texts and not PUBLIC_DOMAIN.search(entry.get("License", "")):
            fail(f"{identifier} ({folder.relative_to(root)}) is compiled in but names no licence text")
        target = output / identifier
        target.mkdir(parents=True, exist_ok=True)
        for text in texts:
            if not text.is_file():
                fail(f"{identifier} is compiled in but its licence text {text.relative_to(root)} is missing")
            shutil.copyfile(text, target / text.name)
        copied = [target / text.name for text in texts]
        if not texts:
            copied = [target / "PUBLIC-DOMAIN.txt"]
            copied[0].write_text(
                f"{entry.get('Name', identifier)}: {entry['License']}.\n{text_of(entry.get('Copyright', ''))}\n", encoding="utf-8"
            )
        row = [entry.get("Name", identifier), entry.get("Version", ""), licence, ", ".join(map(str, copied))]
        print(" | ".join(" ".join(field.split()) for field in row))
    if not found:
        fail(f"none of Qt's third-party components appears among the {len(lines)} compiled sources")


main()
