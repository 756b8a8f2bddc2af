"""The window program end to end on a private desktop: the content window
appears, Full Scan runs, Clean asks first and deletes only the selected
items, the cleaned page shows, a second start hands its intent to the first
instance, and the launch time is recorded.
    end_to_end.py ZENTREL_PROGRAM"""

import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../../../scripts/desktop"))
import desktop_driver as d  # noqa: E402

program = sys.argv[1]
home = os.environ["ZENTREL_TEST_HOME"]


def write(relative, size):
    path = os.path.join(home, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(os.urandom(size))


# A small Linux desktop home: selected junk (an editor's cached data, the
# Trash) and files that stay.
write(".config/Code/CachedData/abc/blob", 120_000)
write(".local/share/Trash/files/old-report.pdf", 200_000)
write(".local/share/Trash/info/old-report.pdf.trashinfo", 100)
write("Documents/notes.txt", 1_000)
write(".cache/com.example.editor/cache.db", 300_000)
os.makedirs(os.path.join(home, ".config/zentrel"), exist_ok=True)
with open(os.path.join(home, ".config/zentrel/com.torvane.zentrel.json"), "w") as settings:
    json.dump({"hasCompletedOnboarding": True}, settings)

first = d.start(program)
try:
    full_scan = d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    d.press(full_scan)
    clean = d.wait_for("a clean button", lambda: d.find("push button", prefix="Clean ", enabled=True), 60)
    d.press(clean)
    delete = d.wait_for("the confirmation", lambda: d.find("push button", prefix="Delete "))
    d.wait_for("the confirmation's cancel button", lambda: d.find("push button", "Cancel"))
    d.press(delete)
    d.wait_for("the cleaned page", lambda: "Cleaned" in d.labels(), 60)

    assert not os.path.exists(os.path.join(home, ".config/Code/CachedData")), "the cached data was not deleted"
    # Emptied, the Trash keeps its own folders.
    for part in ("files", "info"):
        assert os.listdir(os.path.join(home, ".local/share/Trash", part)) == [], "the Trash was not emptied"
    for kept in ("Documents/notes.txt", ".cache/com.example.editor/cache.db"):
        assert os.path.exists(os.path.join(home, kept)), f"{kept} was deleted"

    second = subprocess.run([program, "--intent", "Smart Cleanup"], timeout=30)
    assert second.returncode == 0, "the second instance failed"
    d.wait_for("the smart cleanup page", lambda: "Smart Cleanup" in d.labels())
    assert len(d.applications()) == 1, "a second window program is running"

    launch = os.path.join(home, ".local/share/zentrel/lastColdLaunchMs.txt")
    assert os.path.exists(launch), "the launch time was not recorded"
    print("ok")
finally:
    first.terminate()
    first.wait(10)
