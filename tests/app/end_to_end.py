"""Quillo end to end, as a user with a screen reader would drive it: through the accessibility
bus, by the roles and names of what is on screen. Starts quillo-app on a home folder of its own,
runs a Smart Scan, cleans what it picked and finds it in the Trash; then opens System Junk from
the sidebar, scans it again, unticks one item, cleans, and finds that item still in its place.

usage (with a session bus of its own): end_to_end.py PATH_TO_QUILLO_APP
"""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

TIMEOUT = 60


def fail(message):
    print("end_to_end: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, find, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    fail("gave up waiting for " + what)


def write(path, size):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(b"q" * size)


def fixture_home(root):
    """A home with app caches, a developer cache and something in the Trash."""
    home = root / "home" / "user"
    write(home / ".cache/example-browser/Cache/data_0", 300_000)
    write(home / ".cache/example-editor/blob", 200_000)
    write(home / ".npm/_cacache/index-v5/aa/entry", 100_000)
    trash = home / ".local/share/Trash"
    write(trash / "files/old-notes.txt", 50_000)
    (trash / "info").mkdir(parents=True, exist_ok=True)
    (trash / "info/old-notes.txt.trashinfo").write_text(
        "[Trash Info]\nPath=/tmp/old-notes.txt\nDeletionDate=2024-01-02T03:04:05\n")
    return home


def start_display():
    """A virtual display of our own; the server picks a free number and tells it, so that runs
    side by side never race for one."""
    read, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1600x1000x24", "-nolisten", "tcp"],
                              pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read) as answer:
        number = answer.readline().strip()
    if not number:
        fail("the virtual display did not start")
    return server, ":" + number


def environment(home, display):
    env = dict(os.environ)
    env.update({
        "DISPLAY": display,
        "HOME": str(home),
        "XDG_CONFIG_HOME": str(home / ".config"),
        "XDG_DATA_HOME": str(home / ".local/share"),
        "XDG_CACHE_HOME": str(home / ".cache"),
        "XDG_STATE_HOME": str(home / ".local/state"),
        # Qt speaks to the accessibility bus without waiting for a screen reader to ask.
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "QT_ACCESSIBILITY": "1",
        "QT_QPA_PLATFORM": "xcb",
        # Other drives' trashes are the machine's, not the test's.
        "QUILLO_MOUNTINFO": "/dev/null",
    })
    return env


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def find(root, role, name):
    """The showing descendant of `root` with this role whose name equals `name` or matches it."""
    def matches(node):
        try:
            if node is None or node.getRoleName() != role:
                return False
            label = node.name or ""
        except Exception:
            return False
        named = name.search(label) if isinstance(name, re.Pattern) else label == name
        return bool(named) and showing(node)
    try:
        return pyatspi.findDescendant(root, matches)
    except Exception:
        return None


def act(node, *names):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i).lower() in names:
            actions.doAction(i)
            return
    fail("%s has none of the actions %s" % (node.name, names))


def press(node):
    act(node, "press", "click")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and child.name == "Quillo":
            return child
    return None


def confirm_clean(app):
    """Answers the question every clean asks with its confirming button."""
    press(wait_for("the clean's confirmation", lambda: find(app, "push button", "Move to Trash")))


def smart_scan(app, home):
    press(wait_for("the scan button", lambda: find(app, "push button", "Scan my computer")))
    wait_for("the Smart Scan's findings", lambda: find(app, "label", re.compile(r" to clean$")))
    press(wait_for("the clean button", lambda: find(app, "push button", re.compile(r"^Clean "))))
    confirm_clean(app)
    trash = home / ".local/share/Trash/files"
    for name in ("example-browser", "example-editor"):
        wait_for(name + " in the Trash", lambda: (trash / name).exists())
        if (home / ".cache" / name).exists():
            fail(name + " is still in the caches after the clean")
    # What lay in the Trash already goes for good.
    wait_for("the Trash's old item to go", lambda: not (trash / "old-notes.txt").exists())


def system_junk(app, home):
    write(home / ".cache/keep-me/data", 120_000)
    write(home / ".cache/remove-me/data", 110_000)
    press(wait_for("System Junk in the sidebar", lambda: find(app, "page tab", "System Junk")))
    # Whatever the Smart Scan left there, the screen offers to scan again.
    again = re.compile(r"^(Rescan|Scan again|Scan System Junk)$")
    press(wait_for("System Junk's scan button", lambda: find(app, "push button", again)))
    keep = wait_for("keep-me in the list", lambda: find(app, "check box", re.compile(r"^keep-me,")))
    wait_for("remove-me in the list", lambda: find(app, "check box", re.compile(r"^remove-me,")))
    if not keep.getState().contains(pyatspi.STATE_CHECKED):
        fail("keep-me was not ticked after the scan")
    act(keep, "toggle")
    wait_for("keep-me unticked", lambda: not keep.getState().contains(pyatspi.STATE_CHECKED))
    press(wait_for("the clean button", lambda: find(app, "push button", "Clean")))
    confirm_clean(app)
    trash = home / ".local/share/Trash/files"
    wait_for("remove-me in the Trash", lambda: (trash / "remove-me").exists())
    if not (home / ".cache/keep-me/data").exists():
        fail("keep-me went although it was unticked")
    if (trash / "keep-me").exists():
        fail("keep-me is in the Trash although it was unticked")


def main():
    if len(sys.argv) != 2:
        fail("usage: end_to_end.py PATH_TO_QUILLO_APP")
    root = pathlib.Path(tempfile.mkdtemp(prefix="quillo-e2e-"))
    display, quillo = None, None
    try:
        home = fixture_home(root)
        display, name = start_display()
        quillo = subprocess.Popen([sys.argv[1]], env=environment(home, name))
        app = wait_for("Quillo on the accessibility bus", application)
        smart_scan(app, home)
        system_junk(app, home)
        print("end_to_end: passed")
    finally:
        if quillo is not None:
            quillo.terminate()
            try:
                quillo.wait(timeout=20)
            except subprocess.TimeoutExpired:
                quillo.kill()
        if display is not None:
            display.terminate()
            display.wait()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main()
