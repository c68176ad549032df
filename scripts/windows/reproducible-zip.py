"""The Windows release: rewrites the zip so that it is the same bytes.

Writes a zip afresh so that its bytes depend on its contents alone: the
entries sorted by name, each dated SOURCE_DATE_EPOCH (in UTC), with fixed
modes and no extra fields (the access and change times, user and group that
an archiver copies from the files it packs).

    python3 scripts/windows/reproducible-zip.py ZIP SOURCE_DATE_EPOCH
"""

import os
import sys
import time
import zipfile

# The first moment a zip can record.
ZIP_EPOCH = 315532800  # 1980-01-01T00:00:00Z


def main(path: str, epoch: int) -> None:
    stamp = time.gmtime(max(epoch, ZIP_EPOCH))[:6]
    with zipfile.ZipFile(path) as packed:
        entries = [(info, packed.read(info)) for info in sorted(packed.infolist(), key=lambda i: i.filename)]
    fresh_path = path + ".fresh"
    with zipfile.ZipFile(fresh_path, "w") as fresh:
        for info, data in entries:
            entry = zipfile.ZipInfo(info.filename, stamp)
            entry.create_system = 3  # Unix: the modes below are meant
            if info.is_dir():
                entry.external_attr = (0o40755 << 16) | 0x10  # and the MS-DOS folder flag
                fresh.writestr(entry, data)
            else:
                entry.external_attr = 0o100644 << 16
                entry.compress_type = zipfile.ZIP_DEFLATED
                fresh.writestr(entry, data, compresslevel=9)
    os.replace(fresh_path, path)


if __name__ == "__main__":
    if len(sys.argv) != 3 or not sys.argv[2].isdigit():
        sys.exit("usage: python3 scripts/windows/reproducible-zip.py ZIP SOURCE_DATE_EPOCH")
    main(sys.argv[1], int(sys.argv[2]))
