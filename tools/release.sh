#!/usr/bin/env bash
# Builds the shipped 32-bit program from the sources and packs it for Windows
# users: dist/wendle-VERSION-win32.zip, one folder wendle-VERSION/ with
# wendle.exe, readme.txt (Shift-JIS with CRLF, as Japanese Notepad opens it)
# and LICENSE; and dist/SHA256SUMS. The same commit gives the same bytes
# wherever and whenever it is built (tools/check-release compares two builds).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
tools/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" --target wendle >/dev/null ||
    cmake --build --preset win32 --target wendle
version=$(sed -n 's/^project(Wendle VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# The files' times in the zip: the commit's, not the build's.
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 315532800)}

python3 - "$root" "$version" "$epoch" <<'PY'
import hashlib, os, sys, time, zipfile
from pathlib import Path

root, version, epoch = Path(sys.argv[1]), sys.argv[2], int(sys.argv[3])
folder = f"wendle-{version}/"
# Zip times are local DOS times from 1980 on; the same for everyone who unpacks.
stamp = time.gmtime(max(epoch, 315532800))[:6]


def windows_text(path, encoding):
    text = path.read_text(encoding="utf-8").replace("\r\n", "\n")
    return text.replace("\n", "\r\n").encode(encoding)  # strict: fails on a character cp932 lacks


files = [
    ("wendle.exe", (root / "build/win32/bin/wendle.exe").read_bytes()),
    ("readme.txt", windows_text(root / "build/win32/readme.txt", "cp932")),
    ("LICENSE", windows_text(root / "LICENSE", "ascii")),
]
dist = root / "dist"
dist.mkdir(exist_ok=True)
name = f"wendle-{version}-win32.zip"
part = dist / (name + ".part")
with zipfile.ZipFile(part, "w") as archive:
    # MS-DOS attributes (directory, archive) in a fixed order: nothing of
    # this machine's owners, permissions or listing order gets in.
    entry = zipfile.ZipInfo(folder, stamp)
    entry.create_system, entry.external_attr = 0, 0x10
    archive.writestr(entry, b"")
    for file_name, data in files:
        entry = zipfile.ZipInfo(folder + file_name, stamp)
        entry.create_system, entry.external_attr = 0, 0x20
        entry.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(entry, data)
os.replace(part, dist / name)
digest = hashlib.sha256((dist / name).read_bytes()).hexdigest()
(dist / "SHA256SUMS").write_text(f"{digest}  {name}\n")
print(f"wrote dist/{name} ({(dist / name).stat().st_size} bytes) and dist/SHA256SUMS")
print(f"SHA-256 {digest}")
PY
