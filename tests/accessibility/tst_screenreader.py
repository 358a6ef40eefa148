#!/usr/bin/python3
# The program as a screen reader sees it.
#
# Runs the built program over a small store in a home folder of its own, with openbox on the
# display it is given (xvfb-run) and the AT-SPI bus on its session bus (dbus-run-session), and
# reads it through pyatspi, as Orca does. The names of every control in every window are also
# checked inside the process (tests/ui/tst_textfit); here the windows are walked as the
# bridge hands them on (main-day, main-month, quick-add, each preferences:PAGE,
# recently-deleted, tray-panel):
#
#   names@WINDOW   no showing control (focusable, acting, editable, checkable) lacks a name or
#                  acts under a generic role; the window is a named frame, dialog or window
#   tab@WINDOW     Tab goes round the window, telling a screen reader each time, over stops that
#                  show, have a size and a name, and reaches every control (and acting list)
#   open@ / close@WINDOW  the window opens; Escape closes quick-add, Recently Deleted, the panel
#   focus@quick-add  Ctrl+N moves the focus only to objects that are showing; Escape gives it
#                  back to the main window
#   pages@preferences  the actions of the page bar show their pages
#   complete-action  a row offers a "Complete" action; checked-event: doing it, the
#                  row announces object:state-changed:checked
#   delete-focus   Delete on a row removes the task and puts the keyboard on the next one

import argparse
import ctypes
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
from datetime import date, datetime, timedelta, timezone
from zoneinfo import ZoneInfo

APP_START_SECONDS = 30
WINDOW_SECONDS = 10
FOCUS_SECONDS = 3
MAX_TAB_STOPS = 120
MAX_OBJECTS = 4000
START = time.monotonic()

BERLIN = ZoneInfo("Europe/Berlin")


# ---------------------------------------------------------------------------------------------
# The session: home folder, store, window manager, accessibility bus, program


def ics(component, uid, lines):
    body = "".join(line + "\r\n" for line in lines)
    return ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Velmoran tests//Screen reader//EN\r\n"
            f"BEGIN:{component}\r\nUID:{uid}\r\nDTSTAMP:20261201T080000Z\r\n{body}"
            f"END:{component}\r\nEND:VCALENDAR\r\n")


def utc(day, hour, minute=0):
    local = datetime(day.year, day.month, day.day, hour, minute, tzinfo=BERLIN)
    return local.astimezone(timezone.utc).strftime("%Y%m%dT%H%M%SZ")


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


# Two task lists and a calendar with something today, overdue, later and undated.
class Store:
    def __init__(self, root):
        self.root = root
        today = date.today()
        yesterday, tomorrow = today - timedelta(days=1), today + timedelta(days=1)
        d = lambda day: day.strftime("%Y%m%d")
        self.tasks = {
            "bill": ("home", "Pay the electricity bill",
                     [f"DUE:{utc(today, 9)}", "PRIORITY:1"]),
            "plants": ("home", "Water the plants", [f"DUE;VALUE=DATE:{d(today)}"]),
            "books": ("home", "Return the library books",
                      [f"DUE;VALUE=DATE:{d(yesterday)}", "PRIORITY:5"]),
            "garden": ("home", "Plan the garden", ["DESCRIPTION:Beans and tomatoes"]),
            "dentist": ("home", "Book the dentist", [f"DUE;VALUE=DATE:{d(today)}"]),
            "report": ("work", "Send the quarterly report", [f"DUE:{utc(today, 14)}"]),
            "paper": ("work", "Order printer paper", [f"DUE;VALUE=DATE:{d(tomorrow)}"]),
        }
        for order, folder in enumerate(("home", "work", "calendar")):
            write(f"{root}/{folder}/displayname", folder.capitalize())
            write(f"{root}/{folder}/order", str(order))
        for uid, (folder, title, lines) in self.tasks.items():
            write(self.path(uid), ics("VTODO", uid, [f"SUMMARY:{title}", "STATUS:NEEDS-ACTION"]
                                      + lines))
        write(f"{root}/calendar/lunch.ics",
              ics("VEVENT", "lunch", ["SUMMARY:Lunch with Sam", f"DTSTART:{utc(today, 12)}",
                                      f"DTEND:{utc(today, 13)}"]))

    def path(self, uid):
        return f"{self.root}/{self.tasks[uid][0]}/{uid}.ics"

    def title(self, uid):
        return self.tasks[uid][1]


class Session:
    def __init__(self, app, cli, version):
        self.app = app
        self.cli = cli
        self.dir = tempfile.mkdtemp(prefix="velmoran-screenreader-")
        self.processes = []
        home = self.dir
        self.env = dict(os.environ)
        for name in ("VELMORAN_STORE", "VELMORAN_SYNC_DIR", "XDG_CURRENT_DESKTOP"):
            self.env.pop(name, None)
        self.env.update({f"XDG_{kind.upper()}_HOME": f"{home}/{kind}"
                         for kind in ("config", "data", "state", "cache")})
        self.env.update({"HOME": home, "QT_QPA_PLATFORM": "xcb", "QT_ACCESSIBILITY": "1",
                         "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "NO_AT_BRIDGE": "0"})
        self.store = Store(f"{home}/store")
        # Past the first launch and the update notes, over the store above.
        write(f"{home}/config/velmoran/preferences.json", json.dumps({
            "currentVersion": 200, "initialLaunch": False, "updateNote": False,
            "updateNoteVersion": version, "storeFolders": [self.store.root],
            "showMenuBar": True, "soundOn": False, "alarmOn": False,
        }))
        os.environ.update(self.env)

    # The window manager gives new windows the keyboard focus, as a desktop does.
    def start_desktop(self):
        self.spawn(["openbox", "--sm-disable"])
        launcher = self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            if launcher.poll() is not None:
                raise RuntimeError("at-spi-bus-launcher ended at once")
            if self.dbus_ok(["org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"]):
                break
            time.sleep(0.1)
        else:
            raise RuntimeError("the AT-SPI bus did not come up")
        if not self.dbus_ok(["org.a11y.Bus", "/org/a11y/bus",
                             "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
                             "string:IsEnabled", "variant:boolean:true"]):
            raise RuntimeError("org.a11y.Status IsEnabled could not be set")

    def dbus_ok(self, call):
        return subprocess.run(["dbus-send", "--session", "--print-reply", f"--dest={call[0]}",
                               *call[1:]], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0

    def spawn(self, command):
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL if command[0] != self.app
                                   else None, start_new_session=True)
        self.processes.append(process)
        return process

    def run_cli(self, *arguments):
        return subprocess.run([self.cli, *arguments], env=self.env, capture_output=True,
                              text=True, timeout=60)

    def finish(self):
        # Each runs in a session of its own: the whole group goes, so that the bus launcher's
        # dbus-daemon does not outlive the launcher.
        for process in reversed(self.processes):
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()
        shutil.rmtree(self.dir, ignore_errors=True)


# ---------------------------------------------------------------------------------------------
# Results


class Results:
    def __init__(self):
        self.failed = []

    def check(self, check_id, faults):
        if faults:
            self.failed.append(f"FAILED: {check_id}")
        print(("FAIL" if faults else "PASS") + f": {check_id} [{time.monotonic() - START:.1f} s]"
              + "".join(f"\n    {fault}" for fault in faults), flush=True)

    def error(self, text):
        self.failed.append(f"ERROR: {text}")
        print(f"ERROR: {text}", flush=True)

    def exit_code(self):
        print("\n".join(self.failed))
        return 1 if self.failed else 0


# ---------------------------------------------------------------------------------------------
# Reading the tree


# What call returns, or fallback where the object went away under it.
def quietly(call, fallback):
    try:
        return call()
    except Exception:
        return fallback


class Reader:
    GENERIC_ROLES = ("filler", "panel", "unknown")
    WINDOW_ROLES = ("frame", "dialog", "window", "alert", "file chooser")

    def __init__(self, pyatspi, GLib):
        self.pyatspi = pyatspi
        self.GLib = GLib
        self.focus_events = []
        self.checked_events = []
        pyatspi.Registry.registerEventListener(
            lambda e: self.focus_events.extend([e.source] if e.detail1 else []),
            "object:state-changed:focused")
        pyatspi.Registry.registerEventListener(
            lambda e: self.checked_events.append((e.source, e.detail1)),
            "object:state-changed:checked")
        self.x11 = x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XStringToKeysym.restype = ctypes.c_ulong
        x11.XKeysymToKeycode.argtypes = (ctypes.c_void_p, ctypes.c_ulong)
        c = ctypes
        x11.XGetInputFocus.argtypes = (c.c_void_p, c.POINTER(c.c_ulong), c.POINTER(c.c_int))
        x11.XFetchName.argtypes = (c.c_void_p, c.c_ulong, c.POINTER(c.c_char_p))
        x11.XQueryTree.argtypes = (c.c_void_p, c.c_ulong, c.POINTER(c.c_ulong),
                                   c.POINTER(c.c_ulong), c.POINTER(c.c_void_p),
                                   c.POINTER(c.c_uint))
        self.display = x11.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open the X display")

    def pump(self, seconds=0.0, until=None):
        context = self.GLib.MainContext.default()
        deadline = time.monotonic() + seconds
        while True:
            while context.pending():
                context.iteration(False)
            if until is not None and until():
                return True
            if time.monotonic() >= deadline:
                return until is None
            time.sleep(0.02)

    # Keys go through the AT-SPI registry daemon, which types them with XTest.
    def keys(self, combination):
        codes = [self.x11.XKeysymToKeycode(self.display, self.x11.XStringToKeysym(name.encode()))
                 for name in combination.split("+")]
        if not all(codes):
            raise RuntimeError(f"no key code for a key of {combination}")
        for code in codes:
            self.pyatspi.Registry.generateKeyboardEvent(code, None, self.pyatspi.KEY_PRESS)
        for code in reversed(codes):
            self.pyatspi.Registry.generateKeyboardEvent(code, None, self.pyatspi.KEY_RELEASE)
        self.pump(0.05)

    def windows(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        return [app.getChildAtIndex(i) for app in apps if app is not None
                and app.name == "velmoran" for i in range(app.childCount)
                if app.getChildAtIndex(i) is not None and self.showing(app.getChildAtIndex(i))]

    # A showing window that is not among `before`.
    def wait_for_window(self, before, accept=lambda w: True, seconds=WINDOW_SECONDS):
        new = lambda: [w for w in self.windows() if all(w != b for b in before) and accept(w)]
        self.pump(seconds, lambda: bool(new()))
        return next(iter(new()), None)

    def showing(self, acc):
        return quietly(lambda: acc.getState().contains(self.pyatspi.STATE_SHOWING), False)

    def active(self, acc):
        return quietly(lambda: acc.getState().contains(self.pyatspi.STATE_ACTIVE), False)

    # The title of the top-level window that has the X keyboard focus, where typed keys go;
    # the program may call another window active while the window manager moves the focus.
    def x_focus_title(self):
        x11, c = self.x11, ctypes
        window, revert = c.c_ulong(), c.c_int()
        x11.XGetInputFocus(self.display, c.byref(window), c.byref(revert))
        current = window.value
        while current > 1:  # 0 is None, 1 PointerRoot
            name = c.c_char_p()
            if x11.XFetchName(self.display, current, c.byref(name)) and name.value:
                return name.value.decode(errors="replace")
            root, parent, children, count = c.c_ulong(), c.c_ulong(), c.c_void_p(), c.c_uint()
            if not x11.XQueryTree(self.display, current, c.byref(root), c.byref(parent),
                                  c.byref(children), c.byref(count)):
                break
            if children:
                x11.XFree(children)
            current = parent.value if parent.value != root.value else 0
        return f"window {window.value:#x} without a title"

    # The program's showing windows, which of them it calls active, and where keys go: what a
    # failure to open or close one needs to be understood.
    def window_list(self):
        windows = ", ".join(self.describe(w) + (" (active)" if self.active(w) else "")
                            for w in self.windows()) or "none"
        return f"{windows}; keys go to '{quietly(self.x_focus_title, '?')}'"

    def role(self, acc):
        return quietly(acc.getRoleName, "?")

    def actions(self, acc):
        def names():
            action = acc.queryAction()
            return [action.getName(i) for i in range(action.nActions)]
        return quietly(names, [])

    def do_action(self, acc, name):
        return acc.queryAction().doAction(self.actions(acc).index(name))

    # The name, else the name of the label it is labelled by, as Orca falls back to.
    def spoken_name(self, acc):
        labels = lambda: [(r.getTarget(i).name or "").strip() for r in acc.getRelationSet()
                          if r.getRelationType() == self.pyatspi.RELATION_LABELLED_BY
                          for i in range(r.getNTargets())]
        return (acc.name or "").strip() or next(filter(None, quietly(labels, [])), "")

    def extents(self, acc):
        box = quietly(lambda: acc.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS), None)
        return (box.width, box.height) if box is not None else None

    # (object, path of roles and names, ancestors) for every showing object under root.
    def walk(self, root):
        stack = [(root, [], [])]
        count = 0
        while stack and count < MAX_OBJECTS:
            acc, trail, ancestors = stack.pop()
            count += 1
            here = trail + [f"{self.role(acc)} '{(acc.name or '').strip()}'"]
            yield acc, here, ancestors
            children = quietly(lambda: [acc.getChildAtIndex(i) for i in range(acc.childCount)],
                               [])
            for child in reversed(children):
                if child is not None and self.showing(child):
                    stack.append((child, here, ancestors + [acc]))

    def describe(self, acc, trail=None):
        text = quietly(lambda: f"{self.role(acc)} '{(acc.name or '').strip()}' actions "
                       f"{self.actions(acc)}", "(an object that is gone)")
        if trail:
            named = [t for t in trail[:-1] if not t.endswith("''")]
            text += f" in {' > '.join(named[-3:])}"
        return text

    def interactive(self, acc):
        p, states = self.pyatspi, acc.getState()
        return bool(self.actions(acc)) or any(states.contains(s) for s in (
            p.STATE_FOCUSABLE, p.STATE_EDITABLE, p.STATE_CHECKABLE))

    def focused(self):
        return self.focus_events[-1] if self.focus_events else None


# ---------------------------------------------------------------------------------------------
# The checks


def name_faults(reader, window):
    faults = []
    role = reader.role(window)
    if role not in Reader.WINDOW_ROLES:
        faults.append(f"the window is a {role}, not a frame, dialog or window: "
                      + reader.describe(window))
    if not (window.name or "").strip():
        faults.append("the window has no name: " + reader.describe(window))
    for acc, trail, _ in reader.walk(window):
        if acc == window or reader.role(acc) in NOT_CONTROLS:
            continue
        if reader.role(acc) in Reader.GENERIC_ROLES and reader.actions(acc):
            faults.append("generic role on an object that acts: " + reader.describe(acc, trail))
        elif reader.interactive(acc) and not reader.spoken_name(acc):
            faults.append("unnamed: " + reader.describe(acc, trail))
    return faults


# Reached with the arrow keys inside their container rather than with Tab.
ITEM_ROLES = ("list item", "table cell", "tree item", "menu item", "check menu item",
              "radio menu item", "page tab", "table row", "table column header",
              "table row header", "column header", "row header")
# A label Qt lets the mouse select text in takes the click focus, and a scroll bar has
# Increase and Decrease; neither is a control a screen reader or the Tab key goes to.
NOT_CONTROLS = ("label", "scroll bar")
COMPOSITE_ROLES = ("list", "table", "tree", "tree table", "page tab list", "menu bar", "menu",
                   "combo box", "spin button", "scroll bar")


# Tabs until the focus comes back to where it started: every stop is showing, has a size
# and a name, and every control of the window is among the stops.
def tab_faults(reader, window):
    faults = []
    stops = []
    silent = 0
    reader.pump(0.3)
    for _ in range(MAX_TAB_STOPS):
        count = len(reader.focus_events)
        reader.keys("Tab")
        # Once a Tab went untold, the next ones are given less time.
        if not reader.pump(FOCUS_SECONDS if not silent else 1,
                           lambda: len(reader.focus_events) > count):
            silent += 1
            where = reader.describe(stops[-1]) if stops else "the start"
            if silent == 1:
                faults.append(f"Tab from {where} moves the focus without a screen reader "
                              "being told (no focus event)")
            if silent < 3:
                continue
            break
        silent = 0
        stop = reader.focused()
        if stops and stop.path == stops[0].path:
            break
        stops.append(stop)
        size = reader.extents(stop)
        problems = [problem for problem, found in (
            ("not showing", not reader.showing(stop)), (f"size {size}", size and min(size) <= 0),
            ("no name", not reader.spoken_name(stop))) if found]
        if problems:
            faults.append(f"Tab stop {len(stops)} ({', '.join(problems)}): "
                          + reader.describe(stop))
    else:
        faults.append(f"the focus does not come back to the first stop in {MAX_TAB_STOPS} Tabs")
    print(f"    ({len(stops)} Tab stops)", flush=True)

    reached = {stop.path for stop in stops}
    stop_ancestors = set()
    for acc, _, ancestors in reader.walk(window):
        if acc.path in reached:
            stop_ancestors.update(a.path for a in ancestors)
    for acc, trail, ancestors in reader.walk(window):
        if acc == window or reader.role(acc) in ITEM_ROLES + NOT_CONTROLS:
            continue
        if any(reader.role(a) in COMPOSITE_ROLES for a in ancestors):
            continue
        if not acc.getState().contains(reader.pyatspi.STATE_SENSITIVE):
            continue
        acts = [a for a in reader.actions(acc) if a != "SetFocus"]
        focusable = acc.getState().contains(reader.pyatspi.STATE_FOCUSABLE)
        # A list whose rows act is a control too, even when it does not take the focus.
        if reader.role(acc) in ("list", "table", "tree", "tree table"):
            acts = acts or [c for c in (acc.getChildAtIndex(i) for i in range(acc.childCount))
                            if c is not None and reader.actions(c)]
        if not (acts or focusable):
            continue
        if (acc.path in reached or acc.path in stop_ancestors
                or any(a.path in reached for a in ancestors)):
            continue
        faults.append("not reached by Tab: " + reader.describe(acc, trail))
    return faults


def walk_window(reader, results, window_id, window):
    if window is None:
        results.check(f"open@{window_id}", [f"the window {window_id} did not open; windows: "
                                            + reader.window_list()])
        return
    results.check(f"names@{window_id}", name_faults(reader, window))
    results.check(f"tab@{window_id}", tab_faults(reader, window))


def task_row(reader, window, title):
    for acc, _, _ in reader.walk(window):
        if (acc.name or "").strip() == title and reader.role(acc) not in ("label", "text"):
            return acc
    return None


# The task completed through its row's "Complete" action, which the row announces with
# object:state-changed:checked. (What the action writes, and Space on a row, are checked in
# the process, in tst_listaccessibility and tst_midviewcontroller.)
def completion_faults(reader, store, window, uid):
    title = store.title(uid)
    row = task_row(reader, window, title)
    if row is None:
        return [f"no row named '{title}' in the main window"], []
    events_before = len(reader.checked_events)
    if "Complete" not in reader.actions(row):
        return [f"the row offers no 'Complete' action: {reader.describe(row)}"], []
    reader.do_action(row, "Complete")
    # Under load the bus may take a while to hand the event on.
    announced = lambda: any(on and (source.name or "").strip() == title
                            for source, on in reader.checked_events[events_before:])
    if reader.pump(5, announced):
        return [], []
    return [], [f"completing '{title}' announced no object:state-changed:checked on its row"
                    " (events: " + ", ".join(f"{reader.role(s)} '{s.name}' {on}" for s, on
                                             in reader.checked_events[events_before:]) + ")"]


# Ctrl+N may move the focus only to what is on screen: a calendar made in advance once
# sent a focus event for each hidden day it was set to. Escape is typed only once the new
# window has the focus, as a user sees it before answering it; it closes the window and gives
# the keyboard back to the main window, where the window manager may otherwise leave it in no
# window at all.
def opening_focus_faults(reader, main):
    count = len(reader.focus_events)
    before = reader.windows()
    reader.keys("Control_L+n")
    window = reader.wait_for_window(before, reader.active)
    if window is None:
        return ["Ctrl+N opened no window that took the focus; windows: " + reader.window_list()]
    reader.pump(0.5)
    faults = [f"Ctrl+N moved the focus to {reader.describe(f)}, which is not showing"
              for f in reader.focus_events[count:] if not reader.showing(f)]
    if len(reader.focus_events) == count:
        faults.append("Ctrl+N moved the focus nowhere")
    reader.keys("Escape")
    if not reader.pump(3, lambda: not reader.showing(window)):
        faults.append("Escape does not close the window Ctrl+N opened; windows: "
                      + reader.window_list())
    elif not reader.pump(3, lambda: reader.active(main)):
        faults.append("Escape closed the window but did not give the keyboard back to the main "
                      "window; windows: " + reader.window_list())
    return faults


def run_checks(reader, session, results, only):
    wanted = lambda window_id: not only or any(window_id.startswith(o) for o in only)
    store = session.store

    # One task in Recently Deleted, deleted as a user of the command line does.
    deleted = session.run_cli("delete", "dentist")
    if deleted.returncode != 0:
        results.error("the command line could not delete a task: " + deleted.stderr)

    session.spawn([session.app])
    main = reader.wait_for_window([], lambda w: reader.role(w) != "?", APP_START_SECONDS)
    if main is None:
        results.error("the main window did not appear on the AT-SPI bus")
        return
    # The store is read after the window shows.
    reader.pump(10, lambda: task_row(reader, main, store.title("bill")) is not None)
    reader.pump(0.5)
    to_front = lambda: bring_to_front(reader, session, main)

    for view, key, settle in (("main-day", "d", 0.5), ("main-month", "m", 0.8)):
        if wanted(view):
            to_front()
            reader.keys(f"Control_L+Shift_L+{key}")
            reader.pump(settle)
            walk_window(reader, results, view, main)
    if wanted("main-month"):
        reader.keys("Control_L+Shift_L+d")
        reader.pump(0.5)

    if wanted("quick-add"):
        to_front()
        results.check("focus@quick-add", opening_focus_faults(reader, main))
        walk_and_close(reader, results, "quick-add", lambda: reader.keys("Control_L+n"))
    if wanted("preferences"):
        to_front()
        walk_preferences(reader, results)
    if wanted("recently-deleted"):
        to_front()
        walk_and_close(reader, results, "recently-deleted",
                       lambda: reader.keys("Control_L+Shift_L+BackSpace"))
    if wanted("tray-panel"):
        walk_and_close(reader, results, "tray-panel", lambda: subprocess.run(
            [session.app, "--show-panel"], env=session.env, timeout=30,
            stdout=subprocess.DEVNULL))
    if wanted("delete"):
        to_front()
        results.check("delete-focus", delete_focus_faults(reader, store, main, "bill"))
    if wanted("complete"):
        to_front()
        faults, event_faults = completion_faults(reader, store, main, "plants")
        results.check("complete-action", faults)
        results.check("checked-event", event_faults)


# The main window active, as a second start of the program makes it.
def bring_to_front(reader, session, main):
    active = lambda: reader.active(main)
    if active():
        return
    subprocess.run([session.app], env=session.env, timeout=30, stdout=subprocess.DEVNULL)
    if not reader.pump(5, active):
        raise RuntimeError("the main window does not come to the front")
    reader.pump(0.3)


# Moves the keyboard onto a task row: into its list, then down the list.
def select_row(reader, window, title):
    row = task_row(reader, window, title)
    if row is None:
        raise RuntimeError(f"no row '{title}'")
    view = row.parent
    def inside():
        try:
            focused = reader.focused()
            return focused is not None and view.path in (focused.path, focused.parent.path)
        except Exception:  # the object that had the focus is gone
            return False

    for _ in range(MAX_TAB_STOPS):
        if inside():
            break
        count = len(reader.focus_events)
        reader.keys("Tab")
        reader.pump(FOCUS_SECONDS, lambda: len(reader.focus_events) > count)
    else:
        raise RuntimeError(f"Tab does not reach the list of the row '{title}'")
    reader.keys("Home")
    for _ in range(30):
        focused = reader.focused()
        if focused is not None and (focused.name or "").strip() == title:
            return row, view
        count = len(reader.focus_events)
        reader.keys("Down")
        reader.pump(1, lambda: len(reader.focus_events) > count)
    raise RuntimeError(f"the arrow keys do not reach the row '{title}'")


def walk_and_close(reader, results, window_id, open_it):
    before = reader.windows()
    open_it()
    window = reader.wait_for_window(before)
    walk_window(reader, results, window_id, window)
    if window is None:
        return
    reader.keys("Escape")
    closed = reader.pump(3, lambda: not reader.showing(window))
    results.check(f"close@{window_id}", [] if closed else ["Escape does not close the window"])
    close(reader, window, "Alt_L+F4")


def close(reader, window, keys):
    if window is None or not reader.showing(window):
        return
    # The window manager closes the window it gave the focus to, which is not always the one
    # the program calls active; a click on a label makes both the same.
    labels = [acc for acc, _, _ in reader.walk(window) if reader.role(acc) == "label"]
    if labels:
        click(reader, labels[0])
        reader.pump(2, lambda: reader.active(window))
    reader.keys(keys)
    if not reader.pump(WINDOW_SECONDS, lambda: not reader.showing(window)):
        print(f"    (left open: {keys} did not close {reader.describe(window)}; windows: "
              f"{reader.window_list()})", flush=True)
    reader.pump(0.3)


# The buttons or page tabs of the first tool bar or page tab list in the window.
def page_selectors(reader, window):
    bars = [acc for acc, _, _ in reader.walk(window) if reader.role(acc) in ("tool bar",
                                                                          "page tab list")]
    children = [bars[0].getChildAtIndex(i) for i in range(bars[0].childCount)] if bars else []
    return [c for c in children if c is not None and reader.showing(c) and reader.actions(c)]


# Does what a screen reader's "activate" does: the object's first action.
def select(reader, selector):
    actions = [a for a in reader.actions(selector) if a != "SetFocus"]
    if actions:
        reader.do_action(selector, actions[0])


def click(reader, acc):
    box = acc.queryComponent().getExtents(reader.pyatspi.DESKTOP_COORDS)
    reader.pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2,
                                               "b1c")
    reader.pump(0.3)


def walk_preferences(reader, results):
    before = reader.windows()
    reader.keys("Control_L+comma")
    window = reader.wait_for_window(before)
    if window is None:
        results.check("open@preferences", ["Ctrl+, opened no window"])
        return
    selectors = page_selectors(reader, window)
    switch_faults = [] if selectors else ["no page bar (tool bar or page tab list)"]
    # The window is named after the page it shows.
    for index, selector in enumerate(selectors):
        page = (selector.name or "").strip() or f"page {index + 1}"
        if index > 0:
            select(reader, selector)
            if not reader.pump(FOCUS_SECONDS, lambda: (window.name or "").strip() == page):
                switch_faults.append(f"the page bar's action does not show the page "
                                     f"'{page}': {reader.describe(selector)}")
                continue
        reader.pump(0.4)
        walk_window(reader, results, f"preferences:{page}", window)
    results.check("pages@preferences", switch_faults)
    # Closed through the window manager (openbox binds Alt+F4), and no check of its own: where
    # openbox took the key for another window, it stays open behind the main window, which the
    # next steps bring to the front.
    close(reader, window, "Alt_L+F4")


# Delete on a task row moves the file to Recently Deleted and the keyboard to the next
# task, where a screen reader goes on reading.
def delete_focus_faults(reader, store, main, uid):
    title = store.title(uid)
    row, view = select_row(reader, main, title)
    titles = [(view.getChildAtIndex(i).name or "").strip() for i in range(view.childCount)]
    tasks = {store.title(u) for u in store.tasks}
    following = [t for t in titles[titles.index(title) + 1:] if t in tasks]
    count = len(reader.focus_events)
    reader.keys("Delete")
    faults = []
    if not reader.pump(5, lambda: not os.path.exists(store.path(uid))):
        faults.append(f"Delete did not take '{title}' out of the store")
    arrived = lambda: any((f.name or "").strip() == following[0]
                          for f in reader.focus_events[count:])
    if following and not reader.pump(FOCUS_SECONDS, arrived):
        faults.append(f"after Delete on '{title}' the focus is not on the next task "
                      f"'{following[0]}' (focus events: " + "; ".join(
                          reader.describe(f) for f in reader.focus_events[count:]) + ")")
    return faults


# ---------------------------------------------------------------------------------------------


def main():
    parser = argparse.ArgumentParser(description="The program as a screen reader sees it.")
    parser.add_argument("--app", required=True, help="the built program")
    parser.add_argument("--cli", required=True, help="the built velmoran-cli")
    parser.add_argument("--version", required=True, help="the program's release")
    parser.add_argument("--only", default="", help="windows to walk, separated by ','")
    args = parser.parse_args()
    only = [o.strip() for o in args.only.split(",") if o.strip()]
    if not os.environ.get("DISPLAY") or not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        print("run under xvfb-run and inside dbus-run-session", file=sys.stderr)
        return 2

    session = Session(args.app, args.cli, args.version)
    results = Results()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(3))
    try:
        session.start_desktop()
        # Only now: pyatspi finds the accessibility bus when it is imported.
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import GLib
        import pyatspi
        reader = Reader(pyatspi, GLib)
        run_checks(reader, session, results, only)
    except Exception:
        results.error(traceback.format_exc())
    finally:
        session.finish()
    return results.exit_code()


if __name__ == "__main__":
    sys.exit(main())
