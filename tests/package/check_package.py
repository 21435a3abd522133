#!/usr/bin/python3
"""Builds the Debian package from the build tree and checks it as an installer
and Debian's tools would see it: the files and their places, the control
fields, lintian, the software-centre description, the user unit, the desktop
entry and the manual pages, and that a second build gives the same bytes.

Every tool it needs is installed by scripts/install-deps, so a missing one is
a failure, not a reason to skip.

usage: check_package.py SOURCE_DIR BUILD_DIR"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

# Tool, and the Debian package that provides it.
TOOLS = [("cpack", "cmake"), ("dpkg-deb", "dpkg"), ("dpkg-shlibdeps", "dpkg-dev"), ("file", "file"),
         ("strip", "binutils"), ("desktop-file-validate", "desktop-file-utils"), ("man", "man-db"),
         ("lintian", "lintian"), ("appstreamcli", "appstream"), ("systemd-analyze", "systemd")]
# Packages that come with others install-deps names.
PULLED_IN = {"dpkg": "build-essential", "binutils": "build-essential"}
DESKTOP_ID = "jp.example.dorvane.vesk"
NEEDED = ["/usr/bin/vesk",
          "/usr/bin/pelma",
          f"/usr/share/applications/{DESKTOP_ID}.desktop",
          f"/usr/share/metainfo/{DESKTOP_ID}.metainfo.xml",
          "/usr/lib/systemd/user/vesk.service",
          "/usr/share/icons/hicolor/256x256/apps/vesk.png",
          "/usr/share/icons/hicolor/48x48/apps/vesk.png",
          "/usr/share/icons/hicolor/16x16/apps/vesk.png",
          "/usr/share/man/man1/vesk.1.gz",
          "/usr/share/man/ja/man1/vesk.1.gz",
          "/usr/share/man/man1/pelma.1.gz",
          "/usr/share/man/ja/man1/pelma.1.gz",
          "/usr/share/doc/vesk/copyright",
          "/usr/share/doc/vesk/changelog.gz",
          "/usr/share/vesk/pictures/vesk.png",
          "/usr/share/vesk/holidays/2026.DEF",
          "/usr/share/vesk/help/index.html",
          "/usr/share/vesk/JPGDATA1/mail00.jpg",
          "/usr/share/vesk/JPGDATA1/speed.SSP"]
NOT_WANTED = ["/usr/share/vesk/vesk.desktop", "/usr/share/vesk/icons/", "/usr/share/vesk/vesk.service",
              f"/usr/share/vesk/{DESKTOP_ID}"]


def fail(text):
    print(text)
    sys.exit(1)


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def check_tools(source):
    with open(os.path.join(source, "scripts", "install-deps")) as f:
        installed = set(re.search(r'PACKAGES="(.*?)"', f.read(), re.S).group(1).split())
    for tool, package in TOOLS:
        if PULLED_IN.get(package, package) not in installed:
            fail(f"scripts/install-deps does not install {package}, which provides {tool}")
        if not shutil.which(tool):
            fail(f"{tool} is missing: scripts/install-deps installs it ({package})")


def build_package(build, out):
    result = run(["cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"), "-B", out], cwd=build)
    if result.returncode != 0:
        fail("cpack failed:\n" + result.stdout + result.stderr)
    debs = [f for f in os.listdir(out) if f.endswith(".deb")]
    if len(debs) != 1:
        fail(f"expected one package, got {debs}")
    return os.path.join(out, debs[0])


def check_contents(deb, tree):
    listing = run(["dpkg-deb", "-c", deb], check=True).stdout
    paths = {line.split()[-1].lstrip(".") for line in listing.splitlines() if line.strip()}
    for path in NEEDED:
        if path not in paths:
            fail(f"missing from the package: {path}")
    for path in NOT_WANTED:
        if any(p.startswith(path) for p in paths):
            fail(f"not meant for the package: {path}")
    fields = {name: run(["dpkg-deb", "-f", deb, name], check=True).stdout.strip()
              for name in ("Package", "Version", "Depends", "Recommends", "Section")}
    if fields["Package"] != "vesk" or fields["Section"] != "mail":
        fail(f"control fields: {fields}")
    for library in ("libqt6core6", "libqt6network6", "libqt6networkauth6", "libqt6widgets6", "libc6",
                    "libjpeg62-turbo", "libcanberra0", "libsecret-1-0", "qt6-translations-l10n"):
        if library not in fields["Depends"]:
            fail(f"Depends lacks {library}: {fields['Depends']}")
    # Without a keyring the passwords stay in the settings file.
    if "gnome-keyring" in fields["Depends"]:
        fail(f"Depends holds a keyring: {fields['Depends']}")
    for wanted in ("fonts-", "sound-theme-freedesktop", "fcitx5-frontend-qt6"):
        if wanted not in fields["Recommends"]:
            fail(f"Recommends lacks {wanted}: {fields['Recommends']}")

    run(["dpkg-deb", "-x", deb, tree], check=True)
    metainfo = os.path.join(tree, f"usr/share/metainfo/{DESKTOP_ID}.metainfo.xml")
    # Warnings count: software centres hide or misfile what has them.
    result = run(["appstreamcli", "validate", "--no-net", "--pedantic", metainfo])
    if result.returncode != 0 or "✔ Validation was successful." not in result.stdout:
        fail("appstreamcli validate: " + result.stdout + result.stderr)
    with open(metainfo, encoding="utf-8") as f:
        releases = re.findall(r'<release version="([^"]+)"', f.read())
    if not releases or releases[0] != fields["Version"]:
        fail(f"the description's latest release {releases[:1]} is not the package's {fields['Version']}")
    result = run(["desktop-file-validate", os.path.join(tree, f"usr/share/applications/{DESKTOP_ID}.desktop")])
    if result.returncode != 0 or result.stdout.strip():
        fail("desktop-file-validate: " + result.stdout + result.stderr)
    unit = os.path.join(tree, "usr/lib/systemd/user/vesk.service")
    with open(unit) as f:
        text = f.read()
    if "ExecStart=/usr/bin/vesk --headless\n" not in text or "ExecStop=/usr/bin/vesk --quit\n" not in text:
        fail("the unit does not run the packaged program:\n" + text)
    # Verified as the user's manager would load it, with the program it runs
    # taken from the unpacked package; a bad setting is only a warning there.
    checked = os.path.join(tree, "vesk.service")
    with open(checked, "w") as f:
        f.write(text.replace("=/usr/bin/vesk", f"={tree}/usr/bin/vesk"))
    runtime = os.path.join(tree, "runtime")
    os.mkdir(runtime, 0o700)
    result = run(["systemd-analyze", "--user", "verify", "--man=no", checked],
                 env=dict(os.environ, XDG_RUNTIME_DIR=runtime))
    if result.returncode != 0 or result.stderr.strip():
        fail("systemd-analyze verify: " + result.stdout + result.stderr)


def check_lintian(deb):
    # No errors, and no warnings either: none has had a reason to stay.
    result = run(["lintian", "--fail-on", "error,warning", "--tag-display-limit", "0", deb])
    if result.returncode != 0 or re.search(r"^[EW]: ", result.stdout, re.M):
        fail("lintian:\n" + result.stdout + result.stderr)


def main():
    source, build = sys.argv[1], sys.argv[2]
    check_tools(source)
    with tempfile.TemporaryDirectory() as out:
        first = build_package(build, os.path.join(out, "first"))
        check_contents(first, os.path.join(out, "tree"))
        check_lintian(first)
        second = build_package(build, os.path.join(out, "second"))
        with open(first, "rb") as a, open(second, "rb") as b:
            if a.read() != b.read():
                fail("two builds of the package differ")

    for page in ("docs/man/vesk.1", "docs/man/ja/vesk.1", "docs/man/pelma.1", "docs/man/ja/pelma.1"):
        env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
        man = run(["man", "--warnings", "-l", os.path.join(source, page)], env=env)
        if man.returncode != 0 or man.stderr.strip():
            fail(f"man {page}: {man.stderr}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
