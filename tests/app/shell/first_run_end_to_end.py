"""The window program's first run on a private desktop with an empty home:
onboarding goes through its four steps (Continue and Ctrl+Return), the
finish button stores that onboarding is done and the same process shows the
content window; Ctrl+, opens the Settings window on General.
    first_run_end_to_end.py ZENTREL_PROGRAM"""

import json
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "../../../scripts/desktop"))
import desktop_driver as d  # noqa: E402

if shutil.which("xdotool") is None:  # the keys are pressed through it
    print("skipped: xdotool is not installed", file=sys.stderr)
    sys.exit(77)

program = sys.argv[1]
home = os.environ["ZENTREL_TEST_HOME"]
settings = os.path.join(home, ".config/zentrel/com.torvane.zentrel.json")


def shows(text):
    return lambda: text in d.shown_labels()


app = d.start(program)
try:
    d.wait_for("onboarding's first step", shows("Your computer, but faster"))
    d.wait_for("the page dots", lambda: d.find("filler", "Onboarding step 1 of 4"))
    assert d.find("push button", "Back") is None or not d.is_showing(d.find("push button", "Back")), \
        "Back shows on the first step"
    d.press(d.find("push button", "Continue"))
    d.wait_for("the safety step", shows("Nothing important is ever deleted"))
    d.key("ctrl+Return")
    d.wait_for("the features step", shows("More than a cleaner"))
    d.press(d.find("push button", "Continue"))
    d.wait_for("the permissions step", shows("A few permissions"))
    assert not d.is_showing(d.find("push button", "Continue")), "Continue shows on the last step"
    # A readable home is access on this desktop: the finish button says so.
    finish = d.wait_for("the finish button", lambda: d.find("push button", "Get Started"))
    assert not os.path.exists(settings) or not json.load(open(settings)).get("hasCompletedOnboarding")
    d.press(finish)

    d.wait_for("the content window", lambda: d.find("push button", "Full Scan"))
    assert app.poll() is None, "the program restarted"
    assert json.load(open(settings)).get("hasCompletedOnboarding") is True, "onboarding was not stored"

    d.key("ctrl+shift+comma")
    d.wait_for("the Settings window", lambda: d.find("frame", "Settings"))
    d.wait_for("the General section", shows("Display"))
    labels = d.shown_labels()
    assert "Startup" in labels and "Auto-Scan" not in labels, "Settings opened on another section"
    assert d.find("check box", "Launch Zentrel at login"), "the login switch is missing"
    print("ok")
finally:
    app.terminate()
    app.wait(10)
