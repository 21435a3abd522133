#!/usr/bin/python3
"""Builds the Debian package from the build tree and checks it as an installer
would see it: the files and their places, the dependencies, the desktop entry
and the manual pages. Skips (77) where the packaging tools are missing.

usage: check_package.py SOURCE_DIR BUILD_DIR"""
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
NEEDED = ["/usr/bin/install",
          "/usr/share/applications/vesk.desktop",
          "/usr/share/icons/hicolor/256x256/apps/vesk.png",
          "/usr/share/icons/hicolor/48x48/apps/vesk.png",
          "/usr/share/icons/hicolor/16x16/apps/vesk.png",
          "/usr/share/man/man1/vesk.1.gz",
          "/usr/share/man/ja/man1/vesk.1.gz",
          "/usr/share/doc/vesk/copyright",
          "/usr/share/vesk/pictures/vesk.png",
          "/usr/share/vesk/holidays/2026.DEF",
          "/usr/share/vesk/help/index.html",
          "/usr/bin/pelma",
          "/usr/share/vesk/JPGDATA1/mail00.jpg",
          "/usr/share/vesk/JPGDATA1/speed.SSP"]
NOT_WANTED = ["/usr/share/vesk/vesk.desktop", "/usr/share/vesk/icons/"]


def fail(text):
    print(text)
    sys.exit(1)


def main():
    source, build = sys.argv[1], sys.argv[2]
    for tool in ("cpack", "dpkg-deb", "dpkg-shlibdeps", "desktop-file-validate", "man"):
        if not shutil.which(tool):
            print(f"{tool} is missing")
            return SKIP
    NEEDED[0] = "/usr/bin/vesk"
    with tempfile.TemporaryDirectory() as out:
        run = subprocess.run(["cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", out],
                             cwd=build, capture_output=True, text=True)
        if run.returncode != 0:
            fail("cpack failed:\n" + run.stdout + run.stderr)
        debs = [f for f in os.listdir(out) if f.endswith(".deb")]
        if len(debs) != 1:
            fail(f"expected one package, got {debs}")
        deb = os.path.join(out, debs[0])
        listing = subprocess.run(["dpkg-deb", "-c", deb], capture_output=True, text=True, check=True).stdout
        paths = {line.split()[-1].lstrip(".") for line in listing.splitlines() if line.strip()}
        for path in NEEDED:
            if path not in paths and path.rstrip("/") not in paths:
                fail(f"missing from the package: {path}")
        for path in NOT_WANTED:
            if any(p.startswith(path) for p in paths):
                fail(f"not meant for the package: {path}")
        fields = {name: subprocess.run(["dpkg-deb", "-f", deb, name], capture_output=True, text=True,
                                       check=True).stdout.strip()
                  for name in ("Package", "Depends", "Recommends", "Section")}
        if fields["Package"] != "vesk" or fields["Section"] != "mail":
            fail(f"control fields: {fields}")
        for library in ("libqt6core6", "libqt6network6", "libqt6widgets6", "libc6", "libjpeg62-turbo",
                        "qt6-translations-l10n"):
            if library not in fields["Depends"]:
                fail(f"Depends lacks {library}: {fields['Depends']}")
        if "fonts-" not in fields["Recommends"]:
            fail(f"Recommends lacks a Japanese font: {fields['Recommends']}")

    validate = subprocess.run(["desktop-file-validate", os.path.join(source, "resources", "vesk.desktop")],
                              capture_output=True, text=True)
    if validate.returncode != 0 or validate.stdout.strip():
        fail("desktop-file-validate: " + validate.stdout + validate.stderr)
    for page in ("docs/man/vesk.1", "docs/man/ja/vesk.1"):
        env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
        man = subprocess.run(["man", "--warnings", "-l", os.path.join(source, page)], capture_output=True,
                             text=True, env=env)
        if man.returncode != 0 or man.stderr.strip():
            fail(f"man {page}: {man.stderr}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
