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
    "session": BASE | {"net", "store", "mail"}, "auth": BASE | {"settings", "session"}, "server": BASE | {"net", "store", "mail"}, "display": BASE,
    "boxes": BASE | {"settings", "store", "store/japanese", "store/rules", "mail"},
    "pelma": BASE | {"settings"}, "plan": BASE | {"settings", "store", "mail", "display"},
    "launcher": BASE | {"settings", "mail"},
    "extras/settings": BASE | {"settings", "store", "store/japanese", "store/rules", "mail"},
    "extras/monitor": BASE, "extras/slideshow": BASE, "extras/notes": BASE | {"settings", "pelma"},
    "dialup": BASE | {"settings", "mail", "display"}, "dialup/dbus": BASE | {"dialup"},
    "app": BASE | {"auth", "settings", "net", "store", "store/japanese", "store/rules", "mail", "session", "server",
                   "boxes", "display", "extras/settings", "extras/monitor", "extras/slideshow", "extras/notes",
                   "plan", "dialup", "pelma", "launcher"},
}
CORE = set(ALLOWED)
# What the user does, one folder each; the resident program (app) wires them. A
# feature and its windows see the shared layers and their own folder only.
FEATURES = {"boxes", "plan", "launcher", "dialup", "pelma", "extras/settings", "extras/monitor",
            "extras/slideshow", "extras/notes", "extras/version"}
SHARED = CORE - FEATURES - {"app", "dialup/dbus"}
# Window folders: the shared layers, their feature's folder and the platform's
# windows; only the resident program's windows (app/gui) see everything.
WINDOWS = {"platform/gui": BASE, "platform/x11": BASE, "pelma/gui": BASE | {"settings", "pelma"},
           "pelma/program": BASE | {"settings", "pelma", "pelma/gui"},
           "app/gui": CORE | {"platform/gui", "platform/x11", "extras/settings/gui", "extras/monitor/gui",
                              "extras/slideshow/gui", "extras/version/gui", "plan/gui", "boxes/gui",
                              "launcher/gui"}}
for feature in ("boxes", "plan", "launcher", "extras/settings", "extras/monitor", "extras/slideshow",
                "extras/version"):
    WINDOWS[feature + "/gui"] = SHARED | {feature, "platform/gui"}
ALLOWED.update(WINDOWS)
# The two rules the table above keeps, said once more so that a widened entry
# cannot slip them: a window sees the resident program only through an
# interface in its own feature's folder, and a feature sees no other feature
# (the sticky-note program's library, pelma, is shared with the note bridge).
assert all("app" not in seen for folder, seen in WINDOWS.items() if folder != "app/gui")
assert all(not (seen & (FEATURES - {folder, "pelma"})) for folder, seen in ALLOWED.items() if folder in FEATURES)
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
    return next(("/".join(parts[:depth]) for depth in (3, 2, 1) if "/".join(parts[:depth]) in ALLOWED), None)


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
