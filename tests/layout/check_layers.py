#!/usr/bin/python3
"""The core's layers: each source folder includes only from the folders below
it (and itself), so that a lower layer builds, tests and fuzzes without the
ones above. Also: no core folder includes Qt Gui or Qt Widgets, and only the
platform layers that need it include Qt D-Bus.

usage: check_layers.py SOURCE_DIR   (exit 1 and one line per breach)"""
import os
import re
import sys

BASE = {"platform"}
# Folder -> folders it may include from, besides itself.
ALLOWED = {
    "platform": set(), "settings": BASE, "net": BASE, "store": BASE, "store/japanese": BASE | {"store"},
    "store/rules": BASE | {"settings", "store", "store/japanese"}, "mail": BASE | {"net", "store"},
    "session": BASE | {"net", "store", "mail"}, "server": BASE | {"net", "store", "mail"},
    "boxes": BASE | {"settings", "store", "store/japanese", "store/rules"}, "app/display": BASE,
    "pelma": BASE | {"settings"}, "plan": BASE | {"settings"}, "launcher": BASE | {"settings"},
    "extras": BASE | {"settings", "store", "store/japanese", "store/rules", "mail", "pelma"},
    "dialup": BASE | {"settings", "mail", "app/display"}, "dialup/dbus": BASE | {"dialup"},
    "app": BASE | {"settings", "net", "store", "store/japanese", "store/rules", "mail", "session", "server",
                   "boxes", "app/display", "extras", "plan", "dialup", "pelma", "launcher"},
}
CORE = set(ALLOWED)
# Window folders: any core folder, and the window folders below them.
WINDOWS = {"platform/gui": BASE, "platform/x11": BASE, "extras/gui": CORE | {"platform/gui"},
           "plan/gui": CORE | {"platform/gui"}, "boxes/gui": CORE | {"platform/gui"},
           "launcher/gui": CORE | {"platform/gui"},
           "app/gui": CORE | {"platform/gui", "platform/x11", "extras/gui", "plan/gui", "boxes/gui", "launcher/gui"},
           "pelma/gui": BASE | {"settings", "pelma"}, "pelma/program": BASE | {"settings", "pelma", "pelma/gui"}}
ALLOWED.update(WINDOWS)
DBUS_LAYERS = {"platform/gui", "dialup/dbus"}  # the only folders that talk to system services
DBUS = re.compile(r"#include\s*<(QtDBus[/>]|QDBus)")
GUI_ONLY = {"platform/x11"}  # platform layers on Qt Gui that must stay free of Qt Widgets
WIDGETS = re.compile(r"#include\s*<(QtWidgets[/>]|Q(Widget|Application|MainWindow|Dialog|Label|PushButton|Menu|"
                     r"MessageBox|SystemTrayIcon)>)")
GENERATED = {"VeskVersion.h"}  # generated headers every folder may use
GUI_MODULES = re.compile(r"#include\s*<(QtWidgets|QtGui)[/>]|#include\s*<Q(Widget|Application|MainWindow|"
                         r"Dialog|Label|PushButton|SystemTrayIcon|Menu|MessageBox|Painter|Pixmap|Icon|GuiApplication)>")


def folder_of(path):
    parts = path.split("/")[:-1]
    return next(("/".join(parts[:depth]) for depth in (2, 1) if "/".join(parts[:depth]) in ALLOWED), None)


def main():
    src, breaches = sys.argv[1], []
    for root, _, files in os.walk(src):
        for name in (n for n in files if n.endswith((".h", ".cpp"))):
            path = os.path.relpath(os.path.join(root, name), src)
            folder = folder_of(path)
            if folder is None:
                continue
            with open(os.path.join(root, name), encoding="utf-8") as f:
                text = f.read()
            for included in set(re.findall(r'#include\s*"([^"]+)"', text)) - GENERATED:
                target = folder_of(included)
                if target is None or (target != folder and target not in ALLOWED[folder]):
                    breaches.append(f"{path}: includes {included}")
            if folder not in WINDOWS and GUI_MODULES.search(text):
                breaches.append(f"{path}: uses Qt Gui or Qt Widgets")
            if folder not in DBUS_LAYERS and DBUS.search(text):
                breaches.append(f"{path}: uses Qt D-Bus")
            if folder in GUI_ONLY and WIDGETS.search(text):
                breaches.append(f"{path}: uses Qt Widgets")
    print("\n".join(sorted(breaches)), end="\n" if breaches else "")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
