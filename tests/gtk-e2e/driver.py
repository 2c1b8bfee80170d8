"""Drives the real GTK program from outside, as a user and a screen reader meet it: starts it in
a program folder of its own, finds its windows by title and its controls by role and accessible
name (AT-SPI), reads their text, place and tool tip, clicks and types with the X test extension
(xdotool), answers its message boxes and file chooser, and reads the files it wrote.

Run by tests/gtk-e2e/run, which provides the display, the buses and the environment below."""

import contextlib
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

import gi
import Xlib.display
import Xlib.protocol.event
import Xlib.X

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

# Stopped from outside (the runner, a test timeout): unwind like Ctrl+C, so that every program
# started is stopped on the way out.
def _interrupted(signum, frame):
    raise KeyboardInterrupt(f"signal {signum}")


signal.signal(signal.SIGTERM, _interrupted)

# Generous: on a busy two-core machine a GTK program can take seconds to start.
PATIENCE = float(os.environ.get("E2E_PATIENCE", "20"))
POLL = 0.05

WORK = os.environ.get("E2E_WORK", tempfile.gettempdir())
PROGRAM = os.environ.get("E2E_PROGRAM", "")
SHELL_LOG = os.environ.get("E2E_SHELL_LOG", "")

# The window tables and texts that the program is built from (tables_json.cpp).
with open(os.environ["E2E_TABLES"], encoding="utf-8") as tables_file:
    TABLES = json.load(tables_file)


def pump():
    """Lets the accessibility library take in the events that keep its caches current."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(ready, what, patience=PATIENCE, seen=None):
    """Polls until `ready()` gives something truthy and returns it; fails the test after the
    patience runs out, saying what it waited for, the last error and what `seen()` tells."""
    end = time.monotonic() + patience
    last_error = None
    while True:
        pump()
        try:
            result = ready()
            if result:
                return result
        except (GLib.Error, RuntimeError, LookupError) as error:
            # An object that went away while it was read: the next poll sees the new state.
            last_error = error
        if time.monotonic() > end:
            detail = f" (last error: {last_error})" if last_error else ""
            detail += f"; {seen()}" if seen else ""
            raise AssertionError(f"timed out waiting for {what}{detail}")
        time.sleep(POLL)


def stays(condition, what, period=1.0):
    """Checks that `condition()` holds for the whole period: for what must NOT happen, where
    only waiting a while can tell."""
    end = time.monotonic() + period
    while time.monotonic() < end:
        pump()
        if not condition():
            raise AssertionError(f"{what} did not hold")
        time.sleep(POLL)


# ---- The accessibility tree ------------------------------------------------------------------

def role(acc):
    return acc.getRoleName()


def name(acc):
    return acc.name or ""


def showing(acc):
    try:
        s = acc.getState()
        return s.contains(pyatspi.STATE_SHOWING) and s.contains(pyatspi.STATE_VISIBLE)
    except (GLib.Error, RuntimeError):
        return False


def focused(acc):
    return acc.getState().contains(pyatspi.STATE_FOCUSED)


def text(acc):
    """The text that a screen reader reads from the control: its text, or else its name."""
    try:
        return acc.queryText().getText(0, -1)
    except NotImplementedError:
        return name(acc)


def extents(acc):
    """(x, y, width, height) on the screen."""
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.width, e.height)


def descendants(acc, keep=lambda a: True):
    """Every showing object below `acc`, depth first in the tree's order."""
    found = []
    stack = [acc]
    while stack:
        node = stack.pop()
        try:
            children = [node.getChildAtIndex(i) for i in range(node.childCount)]
        except (GLib.Error, RuntimeError):
            continue
        stack.extend(c for c in reversed(children) if c is not None and showing(c))
        if node is not acc and keep(node):
            found.append(node)
    return found


def tree(acc):
    """What a window holds, for failure messages."""
    return f"{name(acc)!r} holds: " + ", ".join(f"{role(a)} {name(a)!r}" for a in descendants(acc))


def find(within, role_name, acc_name):
    """The one showing control of this role and name, once it shows."""
    def ready():
        found = descendants(within, lambda a: role(a) == role_name and name(a) == acc_name)
        return found[0] if len(found) == 1 else None

    return wait_for(ready, f"one {role_name} named {acc_name!r}", seen=lambda: tree(within))


# ---- X: windows, input --------------------------------------------------------------------

def run(*args, check=True, text=True, **options):
    return subprocess.run([str(a) for a in args], check=check, capture_output=True, text=text,
                          timeout=PATIENCE, **options)


def x_windows(pid):
    """The mapped top-level X windows of the process, by id."""
    out = run("xdotool", "search", "--onlyvisible", "--pid", pid, check=False).stdout
    return [int(w) for w in out.split()]


def x_title(xid):
    return run("xdotool", "getwindowname", xid, check=False).stdout.rstrip("\n")


def x_geometry(xid):
    """The client area's origin on the screen and its size: (x, y, width, height)."""
    out = run("xwininfo", "-id", xid).stdout
    return tuple(int(re.search(rf"{label}:\s+(-?\d+)", out).group(1)) for label in
                 ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def x_frame(xid):
    """The whole window on the screen, the window manager's frame included: (x, y, width,
    height)."""
    x, y, w, h = x_geometry(xid)
    out = run("xprop", "-id", xid, "_NET_FRAME_EXTENTS", check=False).stdout
    found = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", out)
    left, right, top, bottom = (int(v) for v in found.groups()) if found else (0, 0, 0, 0)
    return (x - left, y - top, w + left + right, h + top + bottom)


def move_to(x, y):
    run("xdotool", "mousemove", "--sync", x, y)


def click_at(x, y, button=1, repeat=1):
    """Clicks at a point of the screen; repeated, quick enough to make a double click."""
    run("xdotool", "mousemove", "--sync", x, y, "click", "--repeat", repeat, "--delay", 60,
        button)


def centre(acc):
    x, y, w, h = extents(acc)
    return x + w // 2, y + h // 2


def click(acc, repeat=1):
    """Clicks at the control's centre."""
    click_at(*centre(acc), repeat=repeat)


def key(*keys):
    run("xdotool", "key", "--clearmodifiers", *keys)


def request_close(xid):
    """What a window manager sends for Alt+F4 or a close box: WM_DELETE_WINDOW."""
    with contextlib.closing(Xlib.display.Display()) as x:
        window = x.create_resource_object("window", xid)
        delete = [x.intern_atom("WM_DELETE_WINDOW"), Xlib.X.CurrentTime, 0, 0, 0]
        window.send_event(Xlib.protocol.event.ClientMessage(
            window=window, client_type=x.intern_atom("WM_PROTOCOLS"), data=(32, delete)))
        x.sync()  # a round trip: the event is sent before the connection closes


def pointer_shape():
    """The mouse pointer that shows: (width, height, hot spot x, hot spot y, ARGB pixels)."""
    with contextlib.closing(Xlib.display.Display()) as x:
        x.xfixes_query_version()  # the extension answers nothing else before it
        image = x.xfixes_get_cursor_image(x.screen().root)
        return (image.width, image.height, image.xhot, image.yhot, tuple(image.cursor_image))


def pixels(xid, rect):
    """The RGB bytes of a rectangle (x, y, width, height) of the window's client area."""
    x, y, w, h = rect
    return run("import", "-window", xid, "-crop", f"{w}x{h}+{x}+{y}", "-depth", "8", "rgb:-",
               text=False).stdout


def cursor_file(name):
    """(width, height, hot spot x, hot spot y) of the program's cursor artwork."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets",
                        f"{name}.cur")
    with open(path, "rb") as f:
        data = f.read(22)
    width, height = data[6] or 256, data[7] or 256
    return (width, height, int.from_bytes(data[10:12], "little"),
            int.from_bytes(data[12:14], "little"))


# ---- One run of the program -----------------------------------------------------------------

# What the sanitizers and GLib print for a fault of the program: each fails the test it shows in.
FAULT = re.compile(r"ERROR: \w+Sanitizer|runtime error:|-CRITICAL \*\*|-WARNING \*\*")


class Program:
    """The program, copied with its read-me and movie into a fresh folder of its own (it writes
    beside itself), started there and stopped at the end of the `with` block."""

    def __init__(self, files=None):
        self.folder = tempfile.mkdtemp(prefix="program.", dir=WORK)
        self.exe = os.path.join(self.folder, os.path.basename(PROGRAM))
        for source in (PROGRAM, TABLES["readme"], TABLES["movie"]):
            shutil.copy2(os.path.join(os.path.dirname(PROGRAM), source), self.folder)
        self.log_start = os.path.getsize(SHELL_LOG)
        for relative, data in (files or {}).items():
            self.write(relative, data)
        self.output = open(self.folder + ".log", "w+b")
        # Started from elsewhere, so that only the executable's place names the program folder.
        self.process = subprocess.Popen([self.exe], cwd=WORK, stdout=self.output,
                                        stderr=subprocess.STDOUT, start_new_session=True)
        try:
            self.app = wait_for(self._started, "the program on the accessibility bus")
            self.window(TABLES["forms"]["Form1"]["caption"])
        except BaseException:
            self.stop()
            raise

    def __enter__(self):
        return self

    def __exit__(self, exc_type, *exc):
        complaints = self.stop()
        if exc_type is None and complaints:
            raise AssertionError("the program reported faults:\n" + "\n".join(complaints))
        return False

    def stop(self):
        # Asked to end, then made to.
        for sig in (signal.SIGTERM, signal.SIGKILL):
            if self.process.poll() is None:
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(self.process.pid, sig)
                with contextlib.suppress(subprocess.TimeoutExpired):
                    self.process.wait(timeout=5)
        complaints = [line for line in self.log().splitlines() if FAULT.search(line)]
        self.output.close()
        # Until the program has left the bus, the next one could be mistaken for it.
        with contextlib.suppress(AssertionError):
            wait_for(lambda: self._find_app() is None, "the program to leave the bus", 5)
        shutil.rmtree(self.folder, ignore_errors=True)
        return complaints

    def log(self):
        """What the program printed (GTK's warnings land here)."""
        self.output.flush()
        self.output.seek(0)
        return self.output.read().decode("utf-8", "replace")

    def _find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            with contextlib.suppress(GLib.Error, RuntimeError):
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
        return None

    def _started(self):
        if self.process.poll() is not None:
            raise AssertionError(f"the program ended with {self.process.returncode} before its "
                                 f"window showed:\n{self.log()}")
        return self._find_app()

    # -- files

    def path(self, relative):
        return os.path.join(self.folder, relative)

    def read(self, relative):
        """The file's bytes, or None when there is no such file."""
        with contextlib.suppress(FileNotFoundError), open(self.path(relative), "rb") as f:
            return f.read()
        return None

    def write(self, relative, data):
        target = self.path(relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)

    def shell_log(self):
        """What this run of the program asked the desktop's handlers to open, as the stand-ins
        logged it: 'web URL', 'mail URL' or 'text PATH', a line each."""
        with open(SHELL_LOG, "rb") as f:
            f.seek(self.log_start)
            return f.read().decode("utf-8").splitlines()

    # -- windows

    def windows(self):
        """The program's showing top-level windows, message boxes included."""
        try:
            children = [self.app.getChildAtIndex(i) for i in range(self.app.childCount)]
        except (GLib.Error, RuntimeError):
            return []  # the program has ended
        return [w for w in children if w is not None and showing(w)]

    def titles(self):
        return sorted(name(w) for w in self.windows())

    def window(self, title):
        """The showing window with this title, once it shows."""
        return wait_for(lambda: next((w for w in self.windows() if name(w) == title), None),
                        f"the window {title!r}",
                        seen=lambda: f"showing: {self.titles()}\n{self.log()}")

    def xid(self, title):
        """The X window that shows this title."""
        return wait_for(lambda: next((xid for xid in x_windows(self.process.pid)
                                      if x_title(xid) == title), None),
                        f"the X window titled {title!r}")

    def popups(self):
        """The program's pop-up X windows that show (tool tips, menus): override-redirect."""
        return [xid for xid in x_windows(self.process.pid) if "Override Redirect State: yes"
                in run("xwininfo", "-id", xid, check=False).stdout]

    def focus(self, title):
        """Brings the window to the front with the keyboard, as a click on its title bar does."""
        run("xdotool", "windowactivate", "--sync", self.xid(title))

    def dialog(self, wanted_role, what):
        """The program's window of this role, once one is up, with its title: the X window's
        that covers its place, with its frame or without, once the window manager has framed it
        (its accessible name is the kind of message, "Question")."""
        def ready():
            for w in self.windows():
                if role(w) == wanted_role:
                    place = extents(w)
                    return next(((w, x_title(xid)) for xid in x_windows(self.process.pid)
                                 if place in (x_frame(xid), x_geometry(xid))), None)
            return None

        return wait_for(ready, what)

    def answer_boxes(self, answers):
        """Answers each box in turn, with the button of that caption or else with that key, and
        gives what they showed as (title, text, icon, buttons); then checks that no further box
        follows."""
        shown = []
        for answer in answers:
            box, title = self.dialog("alert", "a message box")
            buttons = descendants(box, lambda a: role(a) == "push button")
            names = [name(b) for b in buttons]
            # The labels of the buttons' captions are no part of the message.
            labels = [text(a) for a in descendants(box, lambda a: role(a) == "label")]
            # The picture shown beside the text, by the kind of message it tells ("Question").
            icons = descendants(box, lambda a: role(a) == "icon")
            shown.append((title, "\n".join(t for t in labels if t and t not in names),
                          name(icons[0]) if len(icons) == 1 else None, names))
            if answer in names:
                click(buttons[names.index(answer)])
            else:
                key(answer)
            wait_for(lambda: not showing(box), "the box to close")
        stays(lambda: all(role(w) != "alert" for w in self.windows()), "no message box showing")
        return shown
