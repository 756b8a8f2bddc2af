"""The uninstaller end to end on a private desktop: with two generated
applications (desktop entries) and their leftovers in a temporary home, the
page lists both, the search narrows the list, the detail sheet shows the
leftovers, and the removal deletes exactly the checked items.
    uninstaller_end_to_end.py ZENTREL_PROGRAM"""

import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../../../scripts/desktop"))
import desktop_driver as d  # noqa: E402

program = sys.argv[1]
home = os.environ["ZENTREL_TEST_HOME"]


def write(relative, contents):
    path = os.path.join(home, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(contents)
    return path


def exists(relative):
    return os.path.exists(os.path.join(home, relative))


apps = {
    "Notefold": ("org.example.Notefold", [".config/org.example.Notefold/settings.ini",
                                          ".cache/org.example.Notefold/index.db"]),
    "Sketchloom": ("org.example.Sketchloom", [".config/org.example.Sketchloom/prefs.json",
                                              ".cache/org.example.Sketchloom/tiles.bin",
                                              ".local/share/org.example.Sketchloom/brushes.dat"]),
}
for name, (desktop_id, leftovers) in apps.items():
    write(f".local/share/applications/{desktop_id}.desktop",
          f"[Desktop Entry]\nType=Application\nName={name}\nExec={name.lower()}\n".encode())
    for leftover in leftovers:
        write(leftover, os.urandom(50_000))
write(".config/zentrel/com.torvane.zentrel.json", json.dumps({"hasCompletedOnboarding": True}).encode())


def search_field():
    for role in ("text", "entry"):
        found = d.find(role, "Search applications…")
        if found:
            return found
    return None


def check_boxes():
    return [box for box in (d.find("check box", prefix=prefix) for prefix in ("Application", "Preferences", "Caches",
                                                                             "Application Data"))
            if box is not None]


first = d.start(program)
try:
    d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    d.press(d.wait_for("the sidebar row", lambda: d.find("list item", prefix="Uninstall Apps")))
    d.wait_for("both applications", lambda: d.find("list item", "Notefold") and d.find("list item", "Sketchloom"), 60)

    d.set_text(d.wait_for("the search field", search_field), "loom")
    d.wait_for("the narrowed list", lambda: d.find("list item", "Notefold") is None)
    assert d.find("list item", "Sketchloom"), "the search hid the matching application"

    d.press(d.find("list item", "Sketchloom"))
    d.wait_for("the leftovers", lambda: len(check_boxes()) == 4)
    names = [box.get_name() for box in check_boxes()]
    for relative in [".local/share/applications/org.example.Sketchloom.desktop", ".config/org.example.Sketchloom",
                     ".cache/org.example.Sketchloom", ".local/share/org.example.Sketchloom"]:
        assert any(os.path.join(home, relative) + ", " in name for name in names), f"{relative} is not in the sheet with its size"

    # Keep the preferences; remove the rest.
    d.press(d.find("check box", prefix="Preferences"))
    d.wait_for("the footer", lambda: any(label.startswith("3/4 items") for label in d.labels()))
    d.press(d.wait_for("the removal button", lambda: d.find("push button", prefix="Uninstall ", enabled=True)))
    d.press(d.wait_for("the confirmation", lambda: d.find("push button", "Delete Permanently")))
    d.wait_for("the result", lambda: d.find("push button", "OK"), 60)

    assert exists(".config/org.example.Sketchloom/prefs.json"), "an unchecked item was deleted"
    for gone in [".local/share/applications/org.example.Sketchloom.desktop", ".cache/org.example.Sketchloom",
                 ".local/share/org.example.Sketchloom"]:
        assert not exists(gone), f"{gone} was not deleted"
    for kept in [".local/share/applications/org.example.Notefold.desktop", *apps["Notefold"][1]]:
        assert exists(kept), f"{kept} of the other application was deleted"
    d.press(d.find("push button", "OK"))
    print("ok")
finally:
    first.terminate()
    first.wait(10)
