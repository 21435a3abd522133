#!/usr/bin/python3
"""The core's layers: each source folder includes only from the folders below
it (and itself), so that a lower layer builds, tests and fuzzes without the
ones above. Also: no core folder includes Qt Gui or Qt Widgets, and only the
platform layers that need it include Qt D-Bus.

usage: check_layers.py SOURCE_DIR   (exit 1 and one line per breach)"""
import os
import re
import sys

# Folder -> folders it may include from, besides itself.
ALLOWED = {
    "platform": set(),
    "settings": {"platform"},
    "net": {"platform"},
    "store": {"platform"},
    "store/japanese": {"platform", "store"},
    "store/rules": {"platform", "settings", "store", "store/japanese"},
    "mail": {"platform", "net", "store"},
    "session": {"platform", "net", "store", "mail"},
    "server": {"platform", "net", "store", "mail"},
    "boxes": {"platform", "settings", "store", "store/japanese", "store/rules"},
    "app/display": {"platform"},
    "pelma": {"platform", "settings"},
    "extras": {"platform", "settings", "store", "store/japanese", "store/rules", "mail", "pelma"},
    "plan": {"platform", "settings"},
    "dialup": {"platform", "settings", "mail", "app/display"},
    "dialup/dbus": {"platform", "dialup"},
    "launcher": {"platform", "settings"},
    "app": {"platform", "settings", "net", "store", "store/japanese", "store/rules", "mail", "session",
            "server", "boxes", "app/display", "extras", "plan", "dialup", "pelma", "launcher"},
}
CORE = set(ALLOWED)
# Window folders: any core folder, and the window folders below them.
WINDOWS = {
    "platform/gui": {"platform"},
    "platform/x11": {"platform"},
    "extras/gui": CORE | {"platform/gui"},
    "plan/gui": CORE | {"platform/gui"},
    "boxes/gui": CORE | {"platform/gui"},
    "launcher/gui": CORE | {"platform/gui"},
    "app/gui": CORE | {"platform/gui", "platform/x11", "extras/gui", "plan/gui", "boxes/gui", "launcher/gui"},
    "pelma/gui": {"platform", "settings", "pelma"},
    "pelma/program": {"platform", "settings", "pelma", "pelma/gui"},
}
ALLOWED.update(WINDOWS)
# The only folders that talk to system services over D-Bus.
DBUS_LAYERS = {"platform/gui", "dialup/dbus"}
DBUS = re.compile(r"#include\s*<(QtDBus[/>]|QDBus)")
# Platform layers on Qt Gui that must stay free of Qt Widgets.
GUI_ONLY = {"platform/x11"}
WIDGETS = re.compile(r"#include\s*<(QtWidgets[/>]|Q(Widget|Application|MainWindow|Dialog|Label|PushButton|Menu|"
                     r"MessageBox|SystemTrayIcon)>)")
# Generated headers every folder may use.
GENERATED = {"VeskVersion.h"}
# Window code: folders whose name ends in "gui" (and the program's entry).
GUI_MODULES = re.compile(r"#include\s*<(QtWidgets|QtGui)[/>]|#include\s*<Q(Widget|Application|MainWindow|"
                         r"Dialog|Label|PushButton|SystemTrayIcon|Menu|MessageBox|Painter|Pixmap|Icon|GuiApplication)>")


def folder_of(path):
    parts = path.split("/")[:-1]
    for depth in (2, 1):
        key = "/".join(parts[:depth])
        if key in ALLOWED:
            return key
    return None


def main():
    src = sys.argv[1]
    breaches = []
    for root, _, files in os.walk(src):
        for name in files:
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.relpath(os.path.join(root, name), src)
            folder = folder_of(path)
            if folder is None:
                continue
            with open(os.path.join(root, name), encoding="utf-8") as f:
                text = f.read()
            for included in re.findall(r'#include\s*"([^"]+)"', text):
                if included in GENERATED:
                    continue
                target = folder_of(included)
                if target is None or (target != folder and target not in ALLOWED[folder]):
                    breaches.append(f"{path}: includes {included}")
            if folder not in WINDOWS and GUI_MODULES.search(text):
                breaches.append(f"{path}: uses Qt Gui or Qt Widgets")
            if folder not in DBUS_LAYERS and DBUS.search(text):
                breaches.append(f"{path}: uses Qt D-Bus")
            if folder in GUI_ONLY and WIDGETS.search(text):
                breaches.append(f"{path}: uses Qt Widgets")
    for line in sorted(breaches):
        print(line)
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
