"""Writes a demo Linux home folder with something to find in several
categories: caches, the Trash, a tool's cache, a project's dependencies, a
browser's tracker cookies, and files that are never junk; and two installed
applications (desktop entries) with their leftovers for the uninstaller.
    demo_home.py HOME"""

import json
import os
import sqlite3
import subprocess
import sys


def write(home, relative, size):
    path = os.path.join(home, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(os.urandom(min(size, 1 << 20)))
        if size > 1 << 20:
            file.truncate(size)


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
    write(home, ".local/share/Trash/files/holiday-draft.mov", 31_000_000)
    write(home, ".local/share/Trash/info/holiday-draft.mov.trashinfo", 120)
    write(home, ".local/share/Trash/files/old-report.pdf", 800_000)
    write(home, ".local/share/Trash/info/old-report.pdf.trashinfo", 120)
    write(home, ".npm/_cacache/content-v2/sha512/aa/blob", 9_000_000)
    write(home, "Projects/site/package.json", 200)
    write(home, "Projects/site/node_modules/left-pad/index.js", 5_600_000)
    chrome_cookies(os.path.join(home, ".config/google-chrome/Default/Network/Cookies"),
                   ["ad.doubleclick.net", "www.google-analytics.com", ".example.org"])
    write(home, "Documents/notes.txt", 2_000)
    applications(home)
    settings = os.path.join(home, ".config/zentrel/com.torvane.zentrel.json")
    os.makedirs(os.path.dirname(settings), exist_ok=True)
    with open(settings, "w") as file:
        json.dump({"hasCompletedOnboarding": onboarded}, file)


if __name__ == "__main__":
    make(sys.argv[1])
