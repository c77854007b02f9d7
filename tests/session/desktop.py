# A private X session with a window manager and the accessibility bus, the
# programs started in it as processes, found through the accessibility tree and
# driven by real input events (XTest through xdotool).
import contextlib
import os
import signal
import subprocess
import time

import pyatspi

BIN = os.environ.get("J3_BIN_DIR", os.path.join(os.path.dirname(__file__), "../../build/default/bin"))
TIMEOUT = float(os.environ.get("J3_SESSION_TIMEOUT", "20"))
LISTS = {"tree", "table", "list", "tree table"}


# Xvfb 1920x1080, openbox, a session bus and the accessibility bus, all in
# one process group that stop() ends.
class Desktop:
    def __init__(self):
        self.env = dict(os.environ)
        for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "QT_SCALE_FACTOR"):
            self.env.pop(name, None)
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1920x1080x24",
                                      "-nolisten", "tcp", "-noreset"], pass_fds=[write], process_group=0,
                                     stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as display:
            self.env["DISPLAY"] = ":" + display.readline().strip()
        self.group = self.xvfb.pid
        # A run stopped from outside (ctest's time-out) still ends the session.
        signal.signal(signal.SIGTERM, lambda *_: (self.stop(), os._exit(1)))
        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address"], stdout=subprocess.PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], stdout=subprocess.DEVNULL)
        self.spawn(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL)
        self.env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", NO_AT_BRIDGE="0")
        # The tree is read over the buses of this session: pyatspi connects at first use.
        os.environ.update(DISPLAY=self.env["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=self.env["DBUS_SESSION_BUS_ADDRESS"])
        wait(lambda: "window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                                   capture_output=True, text=True).stdout, "the window manager")

    def spawn(self, argv, **kwargs):
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        return subprocess.Popen(argv, env=self.env, process_group=self.group, **kwargs)

    def xdotool(self, *args):
        done = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        return done.stdout.strip() or None

    def click(self, element, repeat=1, scale=1):
        self.xdotool("mousemove", "--sync", *map(str, centre(element, scale)), "click", "--repeat", str(repeat),
                     "--delay", "80", "1")

    # A double click on the title bar, as the window manager offers.
    def maximise(self, window, scale=1):
        x, y, width, _ = extents(window, scale)
        self.xdotool("mousemove", "--sync", str(x + width // 2), str(y - 10), "click", "--repeat", "2", "1")
        wait(lambda: extents(window, scale)[2] > width, "a wider window")

    # Clicks the tick box in front of a row ("tick") or the remove part in
    # the top right corner of a tile ("corner").
    def click_beside(self, element, verb, scale=1):
        x, y, width, height = extents(element, scale)
        spot = (x - height, y + height // 2) if verb == "tick" else (x + width - 8 * scale, y + 8 * scale)
        self.xdotool("mousemove", "--sync", *map(str, spot), "click", "1")

    def drag(self, element, onto, scale=1):
        (x, y), (tx, ty) = centre(element, scale), centre(onto, scale)
        self.xdotool("mousemove", "--sync", str(x), str(y), "mousedown", "1")
        for step in range(1, 11):  # a hand moves in steps, past the drag distance
            self.xdotool("mousemove", "--sync", str(x + (tx - x) * step // 10), str(y + (ty - y) * step // 10))
        self.xdotool("mouseup", "1")

    def stop(self):
        with contextlib.suppress(ProcessLookupError):
            os.killpg(self.group, signal.SIGKILL)


# Polls until condition() gives something true and returns it; on time-out
# fails naming what it waited for and what it saw last.
def wait(condition, what, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    seen = None
    while True:
        try:
            seen = condition()
        except Exception as error:  # the tree changes under the reader
            seen = error
        if seen and not isinstance(seen, Exception):
            return seen
        if time.monotonic() > end:
            raise AssertionError(f"waited {timeout:.0f} s for {what}; last seen: {seen!r}")
        time.sleep(0.1)


# A throwaway sample practice with its own machine configuration.
class Practice:
    def __init__(self, folder):
        self.folder = str(folder)
        self.config = os.path.join(self.folder, "j3machine.ini")
        with open(self.config, "w") as ini:
            ini.write("[database]\nfile = praxis.j3db\n[drives]\nC = drive_c\n"
                      "[paths]\ndata = C:\\J3\\Daten\\\nqa   = C:\\J3\\QA\\\nhelp = C:\\J3\\Hilfe\\\n")
        for book in ("J3Dialoge", "j3praxis", "j3patwahl"):  # help files of the dialogs, without pages
            os.makedirs(os.path.join(self.folder, "drive_c", "J3", "Hilfe", book + ".chm"))
        done = subprocess.run([os.path.join(BIN, "j3db"), "init", "--sample"], capture_output=True, text=True,
                              env=dict(os.environ, J3_CONFIG=self.config), timeout=60)
        assert done.returncode == 0, done.stderr

    def sql(self, query):
        done = subprocess.run(["sqlite3", os.path.join(self.folder, "praxis.j3db"), query],
                              capture_output=True, text=True, timeout=30)
        assert done.returncode == 0, done.stderr
        return done.stdout.strip()


# One of the programs as a person starts it: a process on the desktop,
# its window found in the accessibility tree.
class Program:
    def __init__(self, desktop, practice, name, *args, scale=1):
        env = dict(desktop.env, J3_CONFIG=practice.config, QT_SCALE_FACTOR=str(scale))
        self.scale = scale
        self.process = subprocess.Popen([os.path.join(BIN, name), *args], env=env, cwd=practice.folder,
                                        process_group=desktop.group, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)
        self.app = wait(lambda: next((app for app in pyatspi.Registry.getDesktop(0)
                                      if app and app.get_process_id() == self.process.pid), None),
                        f"{name} in the accessibility tree")

    def front(self):
        return next((w for w in self.app if w and w.getState().contains(pyatspi.STATE_ACTIVE)), None)

    # The program's front window (once it has that title).
    def window(self, name=None):
        return wait(lambda: (lambda w: w if w and name in (None, w.name) else None)(self.front()),
                    f"the active window {name or ''}")

    # The exit code and what the program printed, once it ended by itself.
    def finish(self, timeout=TIMEOUT):
        try:
            out, err = self.process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program did not end in {timeout:.0f} s") from None
        return self.process.returncode, out, err


# Every showing element below root in the tree's order; without cells,
# not into the rows of lists, tables and trees.
def descendants(root, cells=True):
    stack = [root] if root else []
    while stack:
        element = stack.pop()
        if element is root or cells or element.getRoleName() not in LISTS:
            stack.extend(child for child in reversed(list(element))
                         if child is not None and child.getState().contains(pyatspi.STATE_SHOWING))
        if element is not root:
            yield element


# The showing element of that role (and name, or name start with a '*' at
# its end) below root, or below the program's front window as it changes.
def find(root, role, name=None):
    def matches(element):
        if element.getRoleName() != role:
            return False
        if name is None or element.name == name:
            return True
        return name.endswith("*") and element.name.startswith(name[:-1])
    try:
        return wait(lambda: next((e for e in descendants(top(root)) if matches(e)), None), f"{role} {name!r}")
    except AssertionError as missing:
        shown = [(e.getRoleName(), e.name) for e in descendants(top(root))]
        raise AssertionError(f"{missing}\nshowing: {shown}") from None


def top(root):
    return root.front() if isinstance(root, Program) else root


# The element with the keyboard focus. Qt marks the current tab of every tab
# bar as focused too, so a tab counts only when nothing else has the focus.
def focused(root):
    marked = [e for e in descendants(root, cells=False) if e.getState().contains(pyatspi.STATE_FOCUSED)]
    return next((e for e in marked if e.getRoleName() != "page tab"), marked[-1] if marked else None)


def text(element):
    return element.queryText().getText(0, -1)


# Where the element lies on the screen, in pixels: Qt gives the tree its
# sizes before the scale factor.
def extents(element, scale=1):
    box = element.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x * scale, box.y * scale, box.width * scale, box.height * scale


def centre(element, scale=1):
    x, y, width, height = extents(element, scale)
    return x + width // 2, y + height // 2


def states(element):
    return {pyatspi.stateToString(state) for state in element.getState().getStates()}


# Plays the steps of a person on the program's front window: ("key",
# "ctrl+a Return"), ("type", text), ("click", "double", "tick" or "corner",
# role, name), ("drag", role, name, role, name), ("maximise",) and ("see",
# role, name), which waits for it.
def walk(desktop, program, steps):
    for verb, *args in steps:
        if verb in ("key", "type"):  # keys go where X has the focus: wait until that is the front window
            wait(lambda: (desktop.xdotool("getwindowfocus", "getwindowname") or "").startswith(program.window().name),
                 "the keyboard focus on the front window")
            desktop.xdotool(verb, "--delay", "60", *(args[0].split() if verb == "key" else args))
        elif verb == "see":
            program.window(args[1]) if args[0] == "dialog" else find(program, *args)
        elif verb == "maximise":
            desktop.maximise(program.window(), program.scale)
        elif verb == "drag":
            desktop.drag(find(program, *args[:2]), find(program, *args[2:]), program.scale)
        elif verb in ("tick", "corner"):
            desktop.click_beside(find(program, *args), verb, program.scale)
        else:
            desktop.click(find(program, *args), 2 if verb == "double" else 1, program.scale)
