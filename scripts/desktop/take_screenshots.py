"""Takes the window program's screenshots on a private desktop: the first
run, then the content at two sizes before and after a scan, the smart
cleanup and privacy pages and the cleaned page, and the typing page off,
on and in the input-method mode with its two sheets.
    take_screenshots.py ZENTREL_PROGRAM OUT_DIR APPEARANCE"""

import json
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(__file__))
import demo_home  # noqa: E402
import desktop_driver as d  # noqa: E402

program, out, appearance = sys.argv[1:4]
home = os.environ["ZENTREL_TEST_HOME"]
os.makedirs(out, exist_ok=True)


def window_id(title="^Zentrel$"):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title], capture_output=True, text=True)
    ids = found.stdout.split()
    return ids[-1] if ids else None


def shoot(name, size=None, title="^Zentrel$"):
    window = d.wait_for(f"the window {title}", lambda: window_id(title))
    if size:
        subprocess.run(["xdotool", "windowsize", window, str(size[0]), str(size[1])], check=True)
    time.sleep(0.8)
    subprocess.run(["import", "-window", window, os.path.join(out, f"{name}-{appearance}.png")], check=True)


def select_page(title):
    item = d.wait_for(f"the sidebar row {title}", lambda: d.find("list item", prefix=title))
    d.press(item)
    d.wait_for(f"the page {title}", lambda: title in d.labels())


def run(onboarded, steps, settings=None):
    shutil.rmtree(home)
    os.makedirs(home)
    demo_home.make(home, onboarded)
    if settings:
        path = os.path.join(home, ".config/zentrel/com.torvane.zentrel.json")
        with open(path) as file:
            stored = json.load(file)
        stored.update(settings)
        with open(path, "w") as file:
            json.dump(stored, file)
    if appearance == "dark":
        keyfile = os.path.join(home, ".config/glib-2.0/settings/keyfile")
        os.makedirs(os.path.dirname(keyfile), exist_ok=True)
        with open(keyfile, "w") as file:
            file.write("[org/gnome/desktop/interface]\ncolor-scheme='prefer-dark'\n")
    app = d.start(program)
    try:
        steps()
    finally:
        app.terminate()
        app.wait(10)


def first_run():
    d.wait_for("onboarding", lambda: d.find("push button", "Get Started"))
    shoot("onboarding")


def content():
    full_scan = d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    shoot("overview-900x600", (900, 600))
    shoot("overview", (1100, 720))
    d.press(full_scan)
    d.wait_for("the scan's end", lambda: d.find("push button", prefix="Clean ", enabled=True), 90)
    shoot("overview-scanned")
    select_page("Smart Cleanup")
    shoot("smart-cleanup")
    shoot("smart-cleanup-900x600", (900, 600))
    select_page("Privacy")
    shoot("privacy", (1100, 720))


def open_sheet(button, title, name):
    d.press(d.wait_for(f"the button {button}", lambda: d.find("push button", button, enabled=True)))
    shoot(name, title=f"^{title}$")
    d.press(d.wait_for("the sheet's close button", lambda: d.find("push button", "Đóng")))
    d.wait_for("the sheet to close", lambda: window_id(f"^{title}$") is None)


def typing():
    select_page("Vietnamese Typing")
    shoot("typing-off", (1100, 720))
    shoot("typing-off-900x600", (900, 600))
    d.press(d.wait_for("the typing switch", lambda: d.find("check box", "Bộ gõ tiếng Việt")))
    d.press(d.wait_for("the advanced options", lambda: d.find("push button", "Tuỳ chọn nâng cao", enabled=True)))
    shoot("typing-on", (1100, 720))
    shoot("typing-on-900x600", (900, 600))
    d.press(d.wait_for("the nested options", lambda: d.find("push button", "Tuỳ chỉnh thêm")))
    window = window_id()
    subprocess.run(["xdotool", "mousemove", "--window", window, "600", "400", "click", "--repeat", "15", "5"], check=True)
    shoot("typing-more-options", (1100, 720))
    open_sheet("Bảng phím tắt", "Bảng phím tắt", "typing-shortcuts")
    open_sheet("Quản lý rule…", "Quản lý rule inject", "typing-rules")


def typing_input_method():
    select_page("Vietnamese Typing")
    d.wait_for("the install row", lambda: d.find("push button", "Cài IME…"))
    shoot("typing-input-method", (1100, 720))


run(False, first_run)
run(True, content)
run(True, typing)
run(True, typing_input_method, {"vietIMEIntegrationMode": "hybrid", "vietIMEEnabled": True})
