"""Drives the zentrel window through the accessibility bus, as assistive
technology would: finds controls by role and name, presses them and reads
labels. Used by the end-to-end test and the screenshot script."""

import gettext
import os
import re
import subprocess
import sys
import tempfile
import time
import warnings

# The interface getters are deprecated in newer bindings but still the portable way.
warnings.filterwarnings("ignore", category=DeprecationWarning)

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError) as error:  # the skip code of the test runner
    print(f"skipped: the accessibility bindings are missing ({error})", file=sys.stderr)
    sys.exit(77)


def wait_for(what, check, timeout=30.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = check()
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError(f"timed out waiting for {what}")


def applications(name="Zentrel"):
    desktop = Atspi.get_desktop(0)
    found = []
    for index in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(index)
        if app is not None and app.get_name() == name:
            found.append(app)
    return found


def nodes(root):
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        yield node
        try:
            count = node.get_child_count()
        except Exception:
            continue
        for index in range(count - 1, -1, -1):
            try:
                stack.append(node.get_child_at_index(index))
            except Exception:
                pass


# The window's language when names are given as translation keys: None
# compares names as they are.
_catalog = None


def use_language(po_file):
    """Names given to find() and text() from now on are keys, shown as the
    catalog (a .po file, compiled here by msgfmt) gives them."""
    global _catalog
    with tempfile.NamedTemporaryFile(suffix=".mo") as compiled:
        subprocess.run(["msgfmt", "-o", compiled.name, po_file], check=True)
        with open(compiled.name, "rb") as file:
            _catalog = gettext.GNUTranslations(file)


def text(key):
    """What the window shows for `key`; counted texts in their plural form."""
    if _catalog is None or key is None:
        return key
    shown = _catalog.gettext(key)
    return shown if shown != key else _catalog.ngettext(key, key, 2)


def text_prefix(prefix):
    """The shown start of a text that begins with `prefix` ("Clean " of "Clean %@")."""
    if _catalog is None or prefix is None:
        return prefix
    shown = text(prefix + "%@")
    return shown.split("%@")[0] if shown != prefix + "%@" else text(prefix)


def find(role, name=None, prefix=None, enabled=None):
    name, prefix = text(name), text_prefix(prefix)
    for app in applications():
        for node in nodes(app):
            try:
                if node.get_role_name() != role:
                    continue
                label = node.get_name() or ""
                if name is not None and label != name:
                    continue
                if prefix is not None and not label.startswith(prefix):
                    continue
                if enabled is not None:
                    states = node.get_state_set()
                    if states.contains(Atspi.StateType.ENABLED) != enabled:
                        continue
                return node
            except Exception:
                continue
    return None


def press(node):
    action = node.get_action_iface()
    for index in range(action.get_n_actions()):
        if action.get_action_name(index) in ("Press", "press", "click", "Toggle"):
            action.do_action(index)
            return
    action.do_action(0)


def set_text(node, text):
    node.get_editable_text_iface().set_text_contents(text)


def labels():
    texts = []
    for app in applications():
        for node in nodes(app):
            try:
                if node.get_role_name() == "label":
                    texts.append(node.get_name() or "")
            except Exception:
                pass
    return texts


def start(program, *arguments):
    log = open(os.path.join(os.environ["XDG_RUNTIME_DIR"], "zentrel.log"), "w")
    return subprocess.Popen([program, *arguments], stdout=log, stderr=subprocess.STDOUT)


def is_showing(node):
    try:
        return node.get_state_set().contains(Atspi.StateType.SHOWING)
    except Exception:
        return False


def shown_labels():
    """The labels on screen now, leaving out those of hidden pages."""
    return [node.get_name() or "" for app in applications() for node in nodes(app)
            if _role(node) == "label" and is_showing(node)]


def _role(node):
    try:
        return node.get_role_name()
    except Exception:
        return None


def windows(title):
    """The program's visible X windows whose title matches the regular
    expression `title`, oldest first. Titles are compared here, as UTF-8:
    xdotool's own --name search misses titles outside Latin-1 ("Bảng phím tắt")."""
    pattern = re.compile(title)
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "zentrel"],
                           capture_output=True, text=True).stdout.split()
    named = []
    for window in found:
        name = subprocess.run(["xdotool", "getwindowname", window], capture_output=True, text=True)
        if name.returncode == 0 and pattern.search(name.stdout.rstrip("\n")):
            named.append(window)
    return named


def key(keys, window_name="^Zentrel$"):
    """Presses `keys` (xdotool's names, e.g. ctrl+shift+comma) in the named window."""
    found = windows(window_name)
    if not found:
        raise AssertionError(f"no window named {window_name}")
    subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], check=True)
    subprocess.run(["xdotool", "key", "--clearmodifiers", keys], check=True)
