"""Takes the window program's screenshots on a private desktop: the first
run's four steps, then the content at two sizes before and after a scan, the scanning
page, a category's page, the smart cleanup, privacy and duplicates pages
(the latter scrolled to its photos too), the cleaned page, a
clean caught with rows waiting, deleted, failed and in progress, the
overview after it with its history, the sweep log, the error page of an undo whose
backup is gone; the overview, a category page and the duplicates page
after the overview's Smart Cleanup and after a restart; then the Boost page with two demo applications running,
the uninstaller and its detail sheet, the typing page off, on and in the
input-method mode with its two sheets, the Settings window's sections and
the settings page, the Full Disk Access screen, and the update banner and
the tray popover after a scan, with a stand-in tray and a feed offering an
update.
Names are the window's translation keys: with LANGUAGE (en or vi) the
pictures show the window in that language, named NAME-APPEARANCE-LANGUAGE.png.
With ZENTREL_SCREENSHOT_SCALE=2 the window is drawn at twice the scale
(QT_SCALE_FACTOR), on a screen twice as large, at the same sizes in points,
and the names end in @2x.
    take_screenshots.py ZENTREL_PROGRAM OUT_DIR APPEARANCE [LANGUAGE]"""

import glob
import json
import os
import shutil
import sqlite3
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import demo_home  # noqa: E402
import desktop_driver as d  # noqa: E402
import tray_host  # noqa: E402

program, out, appearance = sys.argv[1:4]
language = sys.argv[4] if len(sys.argv) > 4 else None
if language:
    d.use_language(os.path.join(os.path.dirname(__file__), "..", "..", "po", f"{language}.po"))
    os.environ["LANG"] = {"en": "en_US.UTF-8", "vi": "vi_VN.UTF-8"}[language]
    os.environ.pop("LANGUAGE", None)
    os.environ.pop("LC_ALL", None)
    os.environ.pop("LC_MESSAGES", None)
    os.environ["LC_CTYPE"] = "C.UTF-8"  # the tools read titles as UTF-8 whichever locales are installed
suffix = f"-{language}" if language else ""
scale = int(os.environ.get("ZENTREL_SCREENSHOT_SCALE", "1"))
if scale != 1:
    os.environ["QT_SCALE_FACTOR"] = str(scale)
    suffix += f"@{scale}x"
home = os.environ["ZENTREL_TEST_HOME"]
os.makedirs(out, exist_ok=True)


def window_id(title="^Zentrel$"):
    found = d.windows(title)
    return found[-1] if found else None


def shoot(name, size=None, settle=0.8, title="^Zentrel$"):
    window = d.wait_for(f"the window {title}", lambda: window_id(title))
    if size:
        subprocess.run(["xdotool", "windowsize", window, str(size[0] * scale), str(size[1] * scale)], check=True)
    time.sleep(settle)
    subprocess.run(["import", "-window", window, os.path.join(out, f"{name}-{appearance}{suffix}.png")], check=True)


def select_page(title, row=None):
    item = d.wait_for(f"the sidebar row {row or title}", lambda: d.find("list item", prefix=row or title))
    d.press(item)
    d.wait_for(f"the page {title}", lambda: d.text(title) in d.labels())


def scroll_page_down():
    window = d.wait_for("the window", window_id)
    subprocess.run(["xdotool", "mousemove", "--window", window, str(700 * scale), str(500 * scale), "click", "--repeat",
                    "10", "5"], check=True)


def press_button(name=None, prefix=None, timeout=30.0):
    button = d.wait_for(f"the button {name or prefix}", lambda: d.find("push button", name, prefix, enabled=True),
                        timeout)
    d.press(button)


def clean_from_toolbar():
    """The toolbar's Clean, then Delete in its confirmation. A change of the
    selection just before builds the toolbar again: a press that reached the
    button it replaced is made again."""
    # Tracker cookies alone make it "Remove 18 tracker cookies".
    removing = d.text("Remove %lld tracker cookies").split("%lld")[0]
    for attempt in range(3):
        button = d.wait_for("the button Clean", lambda: d.find("push button", prefix="Clean ", enabled=True)
                            or d.find("push button", prefix=removing, enabled=True), 30)
        d.press(button)
        try:
            press_button(prefix="Delete ", timeout=10)
            return
        except AssertionError:
            if attempt == 2:
                raise


running = []  # the program run() started, which restart() replaces


def store_settings(settings):
    path = os.path.join(home, ".config/zentrel/com.torvane.zentrel.json")
    with open(path) as file:
        stored = json.load(file)
    stored.update(settings)
    with open(path, "w") as file:
        json.dump(stored, file)


def restart(settings=None):
    """Quits the program and starts it again on the same home, with `settings` changed meanwhile."""
    running[-1].terminate()
    running[-1].wait(10)
    d.wait_for("the window to close", lambda: window_id() is None)
    if settings:
        store_settings(settings)
    running[-1] = d.start(program)


def run(onboarded, steps, settings=None, readable_home=True):
    demo_home.release(home)
    shutil.rmtree(home)
    os.makedirs(home)
    # A home the program cannot list (a file in its place) holds it on the access screen.
    os.environ["HOME"] = home if readable_home else os.path.join(home, "not-a-folder")
    try:
        demo_home.make(home, onboarded)
        if not readable_home:
            open(os.environ["HOME"], "w").close()
        if settings:
            store_settings(settings)
        if appearance == "dark":
            keyfile = os.path.join(home, ".config/glib-2.0/settings/keyfile")
            os.makedirs(os.path.dirname(keyfile), exist_ok=True)
            with open(keyfile, "w") as file:
                file.write("[org/gnome/desktop/interface]\ncolor-scheme='prefer-dark'\n")
        running.append(d.start(program))
        try:
            steps()
        finally:
            app = running.pop()
            app.terminate()
            app.wait(10)
    finally:
        # The demo's locked file would outlive the private desktop's clean-up.
        demo_home.release(home)


def shows(text):
    return lambda: d.text(text) in d.shown_labels()


def first_run():
    titles = ["Your Mac, but faster", "Nothing important is ever deleted", "More than a cleaner",
              "A few permissions"]
    for step, title in enumerate(titles, 1):
        d.wait_for(f"onboarding step {step}", shows(title))
        shoot(f"onboarding-{step}")
        if step < len(titles):
            d.press(d.find("push button", "Continue"))
    d.press(d.wait_for("the finish button", lambda: d.find("push button", "Get Started")))
    d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))


def content():
    full_scan = d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    shoot("overview-900x600", (900, 600))
    shoot("overview", (1100, 720))
    d.press(full_scan)
    shoot("scanning", settle=0.3)
    d.wait_for("the scan's end", lambda: d.find("push button", prefix="Clean ", enabled=True), 90)
    shoot("overview-scanned")
    shoot("overview-scanned-900x600", (900, 600))
    select_page("App Junk")
    shoot("category", (1100, 720))
    shoot("category-900x600", (900, 600))
    select_page("Smart Cleanup")
    shoot("smart-cleanup", (1100, 720))
    shoot("smart-cleanup-900x600", (900, 600))
    select_page("Duplicate Files")
    shoot("duplicates-900x600")
    shoot("duplicates", (1100, 720))
    scroll_page_down()  # to the photos, whose rows show thumbnails
    shoot("duplicates-photos")
    select_page("Privacy Data")
    shoot("privacy")
    press_button("Select Trackers")
    cleaned()
    cleaning()
    undo_refused()


def cleaning():
    """Everything selected, with the tracker cookie stores held locked: the
    editor's logs fail on their locked file, its cached data and the Trash
    go, the first cookie store waits for its lock while the second waits
    its turn."""
    select_page("Overview")
    locks = []
    for store in glob.glob(os.path.join(home, ".config/google-chrome/*/Cookies")) + glob.glob(
            os.path.join(home, ".config/google-chrome/*/Network/Cookies")):
        lock = sqlite3.connect(store, timeout=0, isolation_level=None)
        lock.execute("BEGIN EXCLUSIVE")
        locks.append(lock)
    try:
        clean_from_toolbar()
        d.wait_for("the item being deleted", lambda: d.text("Deleting") in d.labels(), 10)
        shoot("cleaning", settle=0.3)
        # The stores stay locked until their clean has given up on them.
        press_button("OK", timeout=30)  # the alert about the items that could not be deleted
    finally:
        for lock in locks:
            lock.close()
    d.wait_for("the overview", lambda: d.find("push button", "View"))
    shoot("overview-after-clean")
    scroll_page_down()
    shoot("overview-history")


def cleaned():
    select_page("Duplicate Files")
    press_button("Select All")
    clean_from_toolbar()
    # The card says "All Clean!" only when no duplicates are left; the title says "Cleaned" either way.
    d.wait_for("the cleaned page", lambda: d.text("Cleaned") in d.labels(), 30)
    shoot("cleaned")
    press_button("Done")


def undo_refused():
    """A privacy clean, then an undo whose backup has gone meanwhile."""
    select_page("Privacy Data")
    press_button("Select Trackers")
    clean_from_toolbar()
    undo = d.wait_for("the sweep log", lambda: d.find("push button", prefix="Undo "), 30)
    shoot("sweep-log", title=f"^{d.text('Sweep Log')}$")
    for backups in ("Library/Application Support/Zentrel/SweepBackups", ".local/share/zentrel/SweepBackups"):
        shutil.rmtree(os.path.join(home, backups), ignore_errors=True)
    before = set(d.labels())
    d.press(undo)
    # The refusal is said beside its row, in the sweep log.
    d.wait_for("the undo's refusal", lambda: set(d.labels()) - before, 30)
    shoot("sweep-log-refused", title=f"^{d.text('Sweep Log')}$")
    press_button("Done")


def states():
    """The overview's Smart Cleanup cleans the plan it names (the editor's
    locked log stays); then the overview, a category page and the duplicates
    page, again after a restart, and the overview once more in the advanced
    view."""
    d.press(d.wait_for("the content window", lambda: d.find("push button", "Full Scan")))
    d.wait_for("the scan's end", lambda: d.find("push button", prefix="Clean ", enabled=True), 90)
    press_button(prefix="Smart Cleanup \u2014 free up ")
    press_button(prefix="Delete ")
    press_button("OK", timeout=30)  # the alert about the locked log
    press_button("Done")  # the sweep log of the cookies cleared
    d.wait_for("the overview", lambda: d.find("push button", "View"))

    def pages(when):
        select_page("App Junk")
        shoot(f"category-{when}", (1100, 720))
        select_page("Duplicate Files")
        shoot(f"duplicates-{when}")
        select_page("Overview")
        shoot(f"overview-{when}")

    pages("after-smart-cleanup")
    restart()
    d.wait_for("the restored overview", lambda: d.find("push button", prefix="Smart Cleanup \u2014 free up "))
    pages("restarted")
    restart({"viewMode": "advanced"})
    d.wait_for("the restored overview", lambda: d.find("push button", prefix="Smart Cleanup \u2014 free up "))
    shoot("overview-restarted-advanced", (1100, 720))
    select_page("Dev Tools")
    shoot("category-restarted-advanced")


def settings_screens():
    d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    select_page("Settings")
    d.wait_for("the settings page", shows("Display"))
    shoot("settings-page-900x600", (900, 600))
    shoot("settings-page", (1100, 720))
    d.key("ctrl+shift+comma")
    window = d.wait_for("the Settings window", lambda: d.find("frame", "Settings"))

    def in_window(role, name):
        shown = d.text(name)
        return next((node for node in d.nodes(window) if d._role(node) == role and node.get_name() == shown), None)

    for section, card in (("General", "Display"), ("Scanning", "Auto-Scan"), ("Privacy", "Privacy Sweep"),
                          ("Performance", "Battery digest")):
        d.press(in_window("page tab", section))
        d.wait_for(f"the {section} section", lambda: in_window("label", card))
        if section == "Scanning":  # with the rows these switches show
            for switch in ("Enable automatic scanning", "Auto-clean safe items after scan"):
                d.press(in_window("check box", switch))
            d.wait_for("the frequency row", lambda: d.is_showing(in_window("label", "Scan frequency")))
        shoot(f"settings-{section.lower()}", title=f"^{d.text('Settings')}$")


def full_disk_access():
    d.wait_for("the access screen", lambda: d.find("push button", "Open Privacy & Security Settings"))
    shoot("full-disk-access")
    d.press(d.find("push button", "I've granted access \u2014 continue"))
    d.wait_for("the denied card", shows("Full Disk Access not detected. Please enable it and try again."))
    shoot("full-disk-access-denied")


def tool_pages():
    d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    select_page("Boost")
    d.wait_for("the demo applications", lambda: d.find("list item", "Notefold"), 60)
    shoot("boost", (1100, 720))
    shoot("boost-900x600", (900, 600))
    scroll_page_down()
    shoot("boost-list-900x600")
    select_page("Uninstall Apps")
    row = d.wait_for("the demo applications", lambda: d.find("list item", "Notefold"), 60)
    shoot("uninstall", (1100, 720))
    shoot("uninstall-900x600", (900, 600))
    d.press(row)
    d.wait_for("the detail sheet", lambda: d.find("push button", prefix="Gỡ "))
    shoot("uninstall-sheet", title="^Notefold$")


def open_sheet(button, title, name):
    press_button(button)
    shown = d.text(title)
    shoot(name, title=f"^{shown}$")
    d.press(d.wait_for("the sheet's close button", lambda: d.find("push button", "Đóng")))
    d.wait_for("the sheet to close", lambda: window_id(f"^{shown}$") is None)


def typing():
    select_page("Vietnamese Typing")
    shoot("typing-off", (1100, 720))
    shoot("typing-off-900x600", (900, 600))
    d.press(d.wait_for("the typing switch", lambda: d.find("check box", "Bộ gõ tiếng Việt")))
    press_button("Tuỳ chọn nâng cao")
    shoot("typing-on", (1100, 720))
    shoot("typing-on-900x600", (900, 600))
    press_button("Tuỳ chỉnh thêm")
    scroll_page_down()
    shoot("typing-more-options", (1100, 720))
    open_sheet("Bảng phím tắt", "Bảng phím tắt", "typing-shortcuts")
    open_sheet("Quản lý rule…", "Quản lý rule inject", "typing-rules")


def typing_input_method():
    select_page("Vietnamese Typing")
    d.wait_for("the install row", lambda: d.find("push button", "Cài IME…"))
    shoot("typing-input-method", (1100, 720))


def popover_window(before):
    """The program's window that opened since `before`, its windows then."""
    others = [window for window in d.windows("") if window not in before]
    return others[-1] if others else None


def tray_popover():
    full_scan = d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    d.press(full_scan)
    d.wait_for("the scan's end", lambda: d.find("push button", prefix="Clean ", enabled=True), 90)
    d.wait_for("the update banner", lambda: d.find("push button", "Update now"), 30)
    shoot("update-banner", (1100, 720))
    shoot("update-banner-900x600", (900, 600))
    # The pointer where a top panel's tray would be: the popover opens under it.
    subprocess.run(["xdotool", "mousemove", str(1300 * scale), "8"], check=True)
    before = d.windows("")
    tray_host.click(d.wait_for("the tray icon", tray_host.items, 10)[0], 1300 * scale, 8)
    d.wait_for("the popover", lambda: d.find("push button", "Open Zentrel"))
    popover = d.wait_for("the popover's window", lambda: popover_window(before))
    time.sleep(0.8)
    subprocess.run(["import", "-window", popover, os.path.join(out, f"popover-{appearance}{suffix}.png")], check=True)


run(False, first_run)
run(True, content)
demo_apps = demo_home.run_applications()
try:
    run(True, tool_pages)
finally:
    for demo_app in demo_apps:
        demo_app.terminate()
        demo_app.wait(10)
run(True, states)
run(True, typing)
run(True, typing_input_method, {"vietIMEIntegrationMode": "hybrid", "vietIMEEnabled": True})
run(True, settings_screens)
run(True, full_disk_access, readable_home=False)
feed = os.path.join(os.environ["XDG_RUNTIME_DIR"], "appcast.xml")
with open(feed, "w") as appcast:
    appcast.write('<rss xmlns:sparkle="urn:example:updates"><channel><item>'
                  "<title>Zentrel 9.0</title><sparkle:version>900</sparkle:version>"
                  "<sparkle:shortVersionString>9.0</sparkle:shortVersionString>"
                  '<enclosure url="https://example.org/Zentrel-9.0.tar.gz"/></item></channel></rss>')
os.environ["ZENTREL_FEED_URL"] = "file://" + feed
tray = tray_host.start()
try:
    run(True, tray_popover)
finally:
    tray.kill()
    tray.wait(10)
