#!/usr/bin/env python3
"""Checks the include arrows between the source folders.

Every folder may include itself and the folders below it (the table below);
an include that points up or sideways is reported. Besides that, only
platform/ may include POSIX, Linux or Windows headers or ask which system it
is built for (#ifdef _WIN32 and the like), and only app/ and pages/ may
include Qt. Exit status 1 when anything is reported.
"""
import pathlib
import re
import sys

# Folder -> the folders it may include, besides itself.
BELOW = {
    "platform": set(),
    "scriptfile": {"platform"},
    "elements": {"scriptfile", "platform"},
    "script": {"elements", "scriptfile", "platform"},
    "archive": {"platform"},
    "project": {"script", "archive", "elements", "scriptfile", "platform"},
    "media": {"project", "script", "archive", "elements", "scriptfile", "platform"},
}
CORE = set(BELOW)
for top in ("cli", "engine", "app"):
    BELOW[top] = CORE
BELOW["pages"] = CORE | {"app"}

POSIX = re.compile(
    r"#\s*include\s*<(unistd|fcntl|pwd|grp|signal|csignal|dirent|spawn|termios|poll|glob|"
    r"fnmatch|libgen|dlfcn|syslog|mntent|sys/[a-z_/]+|linux/[a-z_/]+)\.?h?>")
WINDOWS = re.compile(r"#\s*include\s*<(windows|winbase|winreg|shlobj|shobjidl|objbase|"
                     r"psapi|io|direct|process|winsock2?|tlhelp32)\.h>", re.IGNORECASE)
SYSTEM_TEST = re.compile(r"#\s*(if|ifdef|ifndef|elif).*\b(_WIN32|_WIN64|__MINGW32__|__MINGW64__|"
                         r"_MSC_VER|__linux__|__unix__|__APPLE__)\b")
QT = re.compile(r"#\s*include\s*<Q[A-Za-z]+>")
LOCAL = re.compile(r'#\s*include\s*"([a-z_]+)/')


def main() -> int:
    root = pathlib.Path(__file__).resolve().parent.parent
    faults = []
    for folder, allowed in sorted(BELOW.items()):
        for path in sorted((root / folder).glob("*.[ch]*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            rel = path.relative_to(root)
            for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
                m = LOCAL.match(line.strip())
                if m and m.group(1) != folder and m.group(1) not in allowed:
                    faults.append(f"{rel}:{number}: {folder}/ includes {m.group(1)}/ (points up)")
                if folder != "platform" and POSIX.match(line.strip()):
                    faults.append(f"{rel}:{number}: POSIX header outside platform/: {line.strip()}")
                if folder != "platform" and WINDOWS.match(line.strip()):
                    faults.append(f"{rel}:{number}: Windows header outside platform/: {line.strip()}")
                if folder != "platform" and SYSTEM_TEST.match(line.strip()):
                    faults.append(f"{rel}:{number}: system test outside platform/: {line.strip()}")
                if folder in CORE | {"cli", "engine"} and QT.match(line.strip()):
                    faults.append(f"{rel}:{number}: Qt outside the wizard: {line.strip()}")
    for fault in faults:
        print(fault)
    if faults:
        print(f"check_layers: {len(faults)} include(s) against the layers", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
