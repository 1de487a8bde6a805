#!/usr/bin/env python3
"""Checks the #include lines under src/ against the folders' layering.

Every file belongs to the folder right under src/ (platform/ is split into
its subfolders). A quoted include may name a file of its own folder, of a
folder that folder may depend on, or one of the few headers listed below.
Display-server headers in angle brackets are kept to platform/ and app/.
Prints one line per forbidden include and exits 1 if there is any.
"""

import pathlib
import re
import sys

# Which folders each folder may include from (its own is always allowed).
ALLOWED = {
    "core": set(),
    "schedule": {"core"},
    "engines": {"core"},
    "ripple": {"core", "engines"},
    "platform": {"core", "platform/x11", "platform/dbus", "platform/sysfs", "platform/xdg",
                 "platform/desktop", "platform/wayland"},
    "platform/x11": {"core"},
    "platform/dbus": {"core"},
    "platform/sysfs": {"core", "platform/dbus"},
    "platform/xdg": {"core"},
    "platform/desktop": {"core", "platform/dbus"},
    "platform/wayland": {"core"},
    "update": {"core"},
    "popover": {"core", "schedule"},
    "onboarding": {"core", "popover"},
    "app": {"core", "schedule", "engines", "ripple", "update", "popover", "onboarding", "platform",
            "platform/x11", "platform/dbus", "platform/sysfs", "platform/xdg", "platform/desktop"},
}

# Single headers a folder may include beyond its folders.
ALLOWED_HEADERS = {
    # The schedule's model and evaluator are compiled into the core library.
    "core": {"schedule/dailyschedule.h", "schedule/scheduleevaluator.h"},
}

# The interfaces adapters implement: the only engine, ripple and schedule
# headers platform code may include.
ADAPTER_INTERFACES = {
    "engines/colorstage.h", "engines/gammaramp.h", "engines/brightnessdisplay.h",
    "engines/keepawakeadapters.h", "ripple/screencapturesource.h", "schedule/sleepwatcher.h",
}
for _folder in ALLOWED:
    if _folder == "platform" or _folder.startswith("platform/"):
        ALLOWED_HEADERS.setdefault(_folder, set()).update(ADAPTER_INTERFACES)

DISPLAY_SERVER_HEADERS = ("X11/", "xcb/", "wayland-", "wlr-", "xdg-output-")
DISPLAY_SERVER_FOLDERS = {"app"} | {f for f in ALLOWED if f.split("/")[0] == "platform"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}


def folder_of(relative):
    """The layer of a path relative to src/."""
    parts = pathlib.PurePosixPath(relative).parts
    if parts[0] == "platform" and len(parts) > 2:
        return "platform/" + parts[1]
    return parts[0]


def check_line(folder, line):
    """Why this line is a forbidden include in `folder`, or None."""
    match = INCLUDE.match(line)
    if not match:
        return None
    bracket, target = match.groups()
    if bracket == "<":
        if folder not in DISPLAY_SERVER_FOLDERS and target.startswith(DISPLAY_SERVER_HEADERS):
            return f"{folder}/ must not include display-server header <{target}>"
        return None
    if "/" not in target:
        return None
    target_folder = folder_of(target)
    if target_folder == folder:
        return None
    if target in ALLOWED_HEADERS.get(folder, set()):
        return None
    if target_folder in ALLOWED.get(folder, set()):
        return None
    return f'{folder}/ must not include "{target}"'


def check_tree(src):
    """Every forbidden include under `src`, as "path:line: reason"."""
    src = pathlib.Path(src)
    problems = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        relative = path.relative_to(src).as_posix()
        if "/" not in relative:
            continue
        folder = folder_of(relative)
        if folder not in ALLOWED:
            problems.append(f"{relative}:1: {folder}/ is not in the layering table")
            continue
        with path.open(encoding="utf-8", errors="replace") as lines:
            for number, line in enumerate(lines, 1):
                reason = check_line(folder, line)
                if reason:
                    problems.append(f"{relative}:{number}: {reason}")
    return problems


def main(argv):
    if len(argv) != 2:
        print(f"usage: {argv[0]} SRC_DIR", file=sys.stderr)
        return 2
    if not pathlib.Path(argv[1]).is_dir():
        print(f"{argv[0]}: no folder {argv[1]}", file=sys.stderr)
        return 2
    problems = check_tree(argv[1])
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
