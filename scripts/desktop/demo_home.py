"""Writes a demo Linux home folder with something to find in several
categories: caches, an editor's cached data and logs (one of which cannot
be deleted), the Trash, a tool's cache, a project's dependencies, two
browser profiles' tracker cookies, copies of documents, of photos (one
exact, one resized) and of an installer, and files that are never junk; and two installed applications (desktop
entries) with their leftovers for the uninstaller.
    demo_home.py HOME"""

import json
import os
import sqlite3
import subprocess
import sys

# A log made immutable, so that cleaning it fails as a locked file does.
LOCKED_LOG = ".config/Code/logs/20240501T101500/exthost.log"


def write(home, relative, size):
    path = os.path.join(home, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(os.urandom(min(size, 1 << 20)))
        if size > 1 << 20:
            file.truncate(size)


def copies(home, contents, *relatives, size=None):
    """Identical files; with `size`, each grows sparsely to it after `contents`."""
    for relative in relatives:
        path = os.path.join(home, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as file:
            file.write(contents)
            if size:
                file.truncate(size)


def lock(path):
    """Marks a file immutable; quietly leaves it alone where that is not allowed."""
    subprocess.run(["chattr", "+i", path], capture_output=True)


def release(home):
    """Undoes lock(), so that the demo home can be removed."""
    path = os.path.join(home, LOCKED_LOG)
    if os.path.exists(path):
        subprocess.run(["chattr", "-i", path], capture_output=True)


def chrome_cookies(path, hosts):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    db = sqlite3.connect(path)
    db.executescript(
        "CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
        "INSERT INTO meta VALUES('version', '21');"
        "CREATE TABLE cookies(creation_utc INTEGER NOT NULL, host_key TEXT NOT NULL, top_frame_site_key TEXT NOT "
        "NULL DEFAULT '', name TEXT NOT NULL, value TEXT NOT NULL DEFAULT '', encrypted_value BLOB NOT NULL "
        "DEFAULT x'', path TEXT NOT NULL DEFAULT '/', expires_utc INTEGER NOT NULL DEFAULT 0, is_secure INTEGER "
        "NOT NULL DEFAULT 1, is_httponly INTEGER NOT NULL DEFAULT 0, last_access_utc INTEGER NOT NULL DEFAULT 0, "
        "has_expires INTEGER NOT NULL DEFAULT 1, is_persistent INTEGER NOT NULL DEFAULT 1, priority INTEGER NOT "
        "NULL DEFAULT 1, samesite INTEGER NOT NULL DEFAULT -1, source_scheme INTEGER NOT NULL DEFAULT 2, "
        "source_port INTEGER NOT NULL DEFAULT 443, last_update_utc INTEGER NOT NULL DEFAULT 0);")
    for index, host in enumerate(hosts):
        db.execute("INSERT INTO cookies(creation_utc, host_key, name) VALUES(?, ?, ?)",
                   (13350000000000000 + index, host, f"id{index}"))
    db.commit()
    db.close()


def trash(home, name, size):
    write(home, f".local/share/Trash/files/{name}", size)
    info = os.path.join(home, f".local/share/Trash/info/{name}.trashinfo")
    os.makedirs(os.path.dirname(info), exist_ok=True)
    with open(info, "w") as file:
        file.write(f"[Trash Info]\nPath={home}/Documents/{name}\nDeletionDate=2024-05-01T10:00:00\n")


def photos(home):
    """Two drawn landscapes: one copied as it is, one saved again smaller
    (ImageMagick draws them; without it there are none)."""
    def draw(relative, *steps):
        path = os.path.join(home, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["convert", *steps, path], check=True, capture_output=True)
        return path

    try:
        sunset = draw("Pictures/Holiday/sunset.jpg", "-size", "1600x1000", "gradient:#ffb15c-#7a2e6e",
                      "-fill", "#ffe08a", "-draw", "circle 800,640 800,500", "-fill", "#2b1d33",
                      "-draw", "polygon 0,1000 0,720 280,580 600,760 900,620 1240,790 1600,650 1600,1000",
                      "-attenuate", "0.4", "+noise", "Gaussian", "-quality", "88")
        lake = draw("Pictures/lake.jpg", "-size", "1600x1060", "gradient:#8fd3ff-#e9f6ff",
                    "-fill", "#5b6b7f", "-draw", "polygon 0,760 420,300 700,560 1000,240 1600,780 1600,1060 0,1060",
                    "-fill", "#f4f8fb", "-draw", "polygon 420,300 340,390 500,390",
                    "-draw", "polygon 1000,240 900,340 1090,330", "-fill", "#2f7d5b",
                    "-draw", "rectangle 0,820 1600,1060", "-attenuate", "0.4", "+noise", "Gaussian", "-quality", "90")
    except (OSError, subprocess.CalledProcessError):
        return
    with open(sunset, "rb") as file:
        copies(home, file.read(), "Downloads/IMG_2041.jpg")
    draw("Desktop/lake (small).jpg", lake, "-resize", "90%", "-quality", "70")


# Desktop id, name, program, icon and leftovers (folder under the home, size)
# of the demo applications.
APPS = [
    ("org.example.Notefold", "Notefold", "notefold", "accessories-text-editor",
     [(".config/org.example.Notefold/settings.ini", 4_000), (".cache/org.example.Notefold/index.db", 2_600_000),
      (".local/share/org.example.Notefold/notes.db", 900_000)]),
    ("org.example.Sketchloom", "Sketchloom", "sketchloom", "applications-graphics",
     [(".config/org.example.Sketchloom/prefs.json", 2_000), (".cache/org.example.Sketchloom/tiles.bin", 7_400_000)]),
]


def applications(home):
    for desktop_id, name, program, icon, leftovers in APPS:
        entry = os.path.join(home, ".local/share/applications", desktop_id + ".desktop")
        os.makedirs(os.path.dirname(entry), exist_ok=True)
        with open(entry, "w") as file:
            file.write(f"[Desktop Entry]\nType=Application\nName={name}\nIcon={icon}\nExec={program} %F\n")
        for relative, size in leftovers:
            write(home, relative, size)


def run_applications(megabytes=(240, 90)):
    """Starts the demo applications as processes that hold some memory; the
    caller ends them."""
    code = "import sys, time; block = b'x' * (int(sys.argv[1]) << 20); time.sleep(600)"
    return [subprocess.Popen([program, "-c", code, str(size)], executable=sys.executable)
            for (_, _, program, _, _), size in zip(APPS, megabytes)]


def make(home, onboarded=True):
    write(home, ".cache/thumbnails/large/4f2a.png", 2_400_000)
    write(home, ".cache/org.example.Photos/previews.db", 48_000_000)
    write(home, ".config/Code/CachedData/abc/blob", 6_000_000)
    write(home, ".config/Code/logs/20240501T101500/main.log", 2_400_000)
    write(home, ".config/Code/logs/20240501T101500/renderer.log", 600_000)
    write(home, LOCKED_LOG, 900_000)
    trash(home, "holiday-draft.mov", 31_000_000)
    trash(home, "old-report.pdf", 800_000)
    write(home, ".npm/_cacache/content-v2/sha512/aa/blob", 9_000_000)
    write(home, "Projects/site/package.json", 200)
    write(home, "Projects/site/node_modules/left-pad/index.js", 5_600_000)
    chrome_cookies(os.path.join(home, ".config/google-chrome/Default/Network/Cookies"),
                   ["ad.doubleclick.net", "www.google-analytics.com", ".example.org"])
    chrome_cookies(os.path.join(home, ".config/google-chrome/Profile 1/Cookies"),
                   ["pixel.facebook.com", "stats.g.doubleclick.net", ".example.com"])
    write(home, "Documents/notes.txt", 2_000)
    copies(home, os.urandom(1_800_000), "Documents/quarterly-report.pdf", "Downloads/quarterly-report (1).pdf",
           "Desktop/quarterly-report copy.pdf")
    copies(home, os.urandom(4_200_000), "Downloads/launch-slides.pptx", "Documents/Talks/launch-slides.pptx")
    photos(home)
    # Two copies of an installer image, sparse: hashing them makes the scan
    # last long enough to be seen, and they take no room.
    copies(home, os.urandom(1 << 20), "Downloads/ubuntu-24.04-desktop-amd64.iso",
           "Documents/Installers/ubuntu-24.04-desktop-amd64.iso", size=300_000_000)
    lock(os.path.join(home, LOCKED_LOG))
    applications(home)
    settings = os.path.join(home, ".config/zentrel/com.torvane.zentrel.json")
    os.makedirs(os.path.dirname(settings), exist_ok=True)
    with open(settings, "w") as file:
        json.dump({"hasCompletedOnboarding": onboarded}, file)


if __name__ == "__main__":
    make(sys.argv[1])
