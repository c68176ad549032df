#!/usr/bin/env python3
"""Which sources clang-tidy has already passed, exactly as they stand now.

  clang-tidy-seen.py unseen CACHE BUILD FILE...   prints the files not passed
  clang-tidy-seen.py passed CACHE BUILD FILE...   records the files as passed

A file is known by what clang-tidy reads of it: its text and that of every
header it includes, as the build's compiler listed them in the object's
dependency file; its compile command; the clang-tidy and its configuration.
The tree's own folder is taken out of the names and the command, so that a
clone elsewhere finds what an earlier clone recorded. CACHE is the folder of records, one empty file
per passed state.
"""

import hashlib
import json
import re
import os
import shlex
import subprocess
import sys


def compile_commands(build):
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as listing:
        return {entry["file"]: entry for entry in json.load(listing)}


def dependencies(entry):
    """The files the object was compiled from, as the dependency file names them."""
    arguments = shlex.split(entry["command"])
    depfile = os.path.join(entry["directory"], arguments[arguments.index("-o") + 1] + ".d")
    try:
        with open(depfile, encoding="utf-8") as listing:
            text = listing.read()
    except OSError:
        sys.exit("clang-tidy-seen: %s is missing: build %s first" % (depfile, entry["file"]))
    names = text.replace("\\\n", " ").split(": ", 1)[1]
    return [name.replace("\\ ", " ") for name in re.split(r"(?<!\\)\s+", names.strip())]


def main():
    mode, cache, build, files = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    if mode not in ("unseen", "passed") or not files:
        sys.exit("usage: clang-tidy-seen.py unseen|passed CACHE BUILD FILE...")
    tree = os.getcwd().encode()
    commands = compile_commands(build)
    version = subprocess.run(["clang-tidy", "--version"], stdout=subprocess.PIPE, check=True).stdout
    with open(".clang-tidy", "rb") as configuration:
        common = version + configuration.read()

    contents = {}

    def content(folder, name):
        path = os.path.normpath(os.path.join(folder, name))
        if path not in contents:
            with open(path, "rb") as file:
                contents[path] = hashlib.sha256(file.read()).digest()
        return contents[path]

    def key(path):
        entry = commands.get(path)
        if entry is None:
            sys.exit("clang-tidy-seen: %s is not in %s/compile_commands.json" % (path, build))
        digest = hashlib.sha256(common)
        digest.update(entry["command"].encode().replace(tree, b".") + b"\0")
        for name in dependencies(entry):
            digest.update(name.encode().replace(tree, b".") + b"\0" + content(entry["directory"], name))
        return digest.hexdigest()

    keys = [key(path) for path in files]
    os.makedirs(cache, exist_ok=True)
    for path, file_key in zip(files, keys):
        record = os.path.join(cache, file_key)
        if mode == "unseen" and not os.path.exists(record):
            print(path)
        elif mode == "passed":
            open(record, "wb").close()


if __name__ == "__main__":
    main()
