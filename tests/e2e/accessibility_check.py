#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader gets from the real program, read from the accessibility bus (AT-SPI).

Run by accessibility_test.sh, which provides the X server, the session bus and the accessibility
bus. Every point starts the program afresh on a diary of six days ending today, drives it with
real key events (xdotool) and reads the objects, names, descriptions, states and texts the bus
reports. Each point is reported as PASS or FAIL with what was seen; the exit code is 1 when any
point failed.
"""

import argparse
import datetime
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import traceback

import pyatspi
from gi.repository import Atspi

MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
DAY_KEY = re.compile(r"\b(%s)\./(\d\d)/(\d{4})\b" % "|".join(MONTHS))
ROW_ROLES = ("list item", "section")
TEXT_ROLES = ("text", "entry")

timeout = 30.0


def log(text=""):
    print(text, flush=True)


def day_key(day):
    return "%s./%02d/%04d" % (MONTHS[day.month - 1], day.day, day.year)


def keys_in(text):
    return {m.group(0) for m in DAY_KEY.finditer(text)}


def date_of_key(key):
    m = DAY_KEY.fullmatch(key)
    return datetime.date(int(m.group(3)), MONTHS.index(m.group(1)) + 1, int(m.group(2)))


class PointFailed(Exception):
    pass


class PointSkipped(Exception):
    pass


# --- Reading the bus; an object that went away reads as empty ---------------------------------------

def role(a):
    try:
        return a.getRoleName()
    except Exception:
        return "?"


def name(a):
    try:
        return a.name or ""
    except Exception:
        return ""


def description(a):
    try:
        return a.description or ""
    except Exception:
        return ""


def states(a):
    try:
        return {pyatspi.stateToString(s) for s in a.getState().getStates()}
    except Exception:
        return set()


def text(a):
    try:
        return a.queryText().getText(0, -1)
    except Exception:
        return ""


def children(a):
    try:
        count = a.childCount
    except Exception:
        return []
    out = []
    for i in range(count):
        try:
            child = a.getChildAtIndex(i)
        except Exception:
            continue
        if child is not None:
            out.append(child)
    return out


def relations(a, kind):
    try:
        found = []
        for r in a.getRelationSet():
            if r.getRelationType() == kind:
                found.extend(r.getTarget(i) for i in range(r.getNTargets()))
        return found
    except Exception:
        return []


def extents(a):
    try:
        box = a.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height
    except Exception:
        return None


SHOWN_STATES = ("focusable", "focused", "selectable", "selected", "active", "showing", "editable")


def quoted(s):
    return '"%s"' % s.replace("\r", "\\r").replace("\n", "\\n")


def show(a):
    """One object as the report shows it: [role] "name", description, text and the states of note."""
    out = "[%s] %s" % (role(a), quoted(name(a)))
    d = description(a)
    if d:
        out += " description " + quoted(d)
    t = text(a)
    if t:
        out += " text " + quoted(t)
    st = states(a)
    out += " {%s}" % ",".join(s for s in SHOWN_STATES if s in st)
    return out


def walk(root, showing_only=True):
    """The objects under root, root first, in order; with showing_only, a subtree whose top is not
    SHOWING is left out (a hidden page's controls may still call themselves showing)."""
    stack = [root]
    while stack:
        a = stack.pop()
        if showing_only and a is not root and "showing" not in states(a):
            continue
        yield a
        stack.extend(reversed(children(a)))


def find_all(root, test, showing_only=True):
    return [a for a in walk(root, showing_only) if test(a)]


# --- Waiting -------------------------------------------------------------------------------------

def wait_until(what, probe, seconds=None, program=None):
    """Polls probe() every 0.1 s until it returns something true, and returns that. Gives up after
    the timeout, or at once when the program ended, with what the probe last saw."""
    deadline = time.monotonic() + (timeout if seconds is None else seconds)
    seen = [""]

    def note(s):
        seen[0] = s

    while True:
        value = probe(note)
        if value:
            return value
        if program is not None and program.ended():
            raise PointFailed("the program ended (exit code %s) while waiting for %s" % (program.proc.returncode, what))
        if time.monotonic() > deadline:
            raise PointFailed("timed out after %g s waiting for %s%s" %
                              (timeout if seconds is None else seconds, what,
                               "; last seen: " + seen[0] if seen[0] else ""))
        time.sleep(0.1)


# --- X --------------------------------------------------------------------------------------------

def run(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout


def press(*keys):
    subprocess.run(["xdotool", "key", "--delay", "40", *keys], check=True)


def type_text(s):
    subprocess.run(["xdotool", "type", "--delay", "40", "--", s], check=True)


def x_windows(pid):
    """The visible top-level windows of process pid (pop-up menus left out): id, name, modal."""
    out = []
    for w in run("xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", ".").split():
        if "Override Redirect State: no" not in run("xwininfo", "-id", w):
            continue
        out.append((w, run("xdotool", "getwindowname", w).rstrip("\n"),
                    "_NET_WM_STATE_MODAL" in run("xprop", "-id", w, "_NET_WM_STATE")))
    return out


def x_focus():
    return run("xdotool", "getwindowfocus").strip()


# --- The diary ------------------------------------------------------------------------------------

class Diary:
    """Six days ending today, two readings each. The two readings of a day lie as far above as below
    SYS 130, DIA 85 and pulse 70, so that the means of any run of whole days are those, values no
    reading has."""

    def __init__(self):
        today = datetime.date.today()
        self.today = today
        self.days = [today - datetime.timedelta(days=5 - i) for i in range(6)]
        self.readings = {}
        for i, day in enumerate(self.days, start=1):
            self.readings[day] = [(130 + 2 * i, 85 + i, 70 - i, "7:05am"), (130 - 2 * i, 85 - i, 70 + i, "9:00pm")]

    def write(self, path):
        lines = ["Ann,"]
        for day in self.days:
            fields = [day_key(day)]
            for sys_, dia, pul, at in self.readings[day]:
                fields += [str(sys_), str(dia), str(pul), at]
            fields += ["", "", "", "", "note of %s" % day_key(day), ""]
            lines.append(",".join(fields))
        with open(path, "w", newline="") as f:
            f.write("\r\n".join(lines) + "\r\n")

    def in_month_of_today(self):
        return [r for day in self.days if (day.year, day.month) == (self.today.year, self.today.month)
                for r in self.readings[day]]


# --- One run of the program -----------------------------------------------------------------------

class Program:
    def __init__(self, app, workdir, run_number, diary):
        self.app_path = app
        self.workdir = workdir
        self.run_number = run_number
        self.diary = diary
        self.proc = None
        self.app = None
        self.frame = None
        self._date_box = None

    def start(self):
        home_data = os.path.join(os.environ["XDG_DATA_HOME"], "Tonolog")
        home_config = os.path.join(os.environ["XDG_CONFIG_HOME"], "Tonolog")
        # Every run starts as the first: no backup to recall, no settings of an earlier run.
        shutil.rmtree(home_data, ignore_errors=True)
        shutil.rmtree(home_config, ignore_errors=True)
        self.diary_path = os.path.join(self.workdir, "ann.tnl")
        self.diary.write(self.diary_path)
        base = os.path.join(self.workdir, "run%d" % self.run_number)
        with open(base + ".out", "w") as out, open(base + ".err", "w") as err:
            self.proc = subprocess.Popen([self.app_path, self.diary_path], stdin=subprocess.DEVNULL,
                                         stdout=out, stderr=err)
        desktop = pyatspi.Registry.getDesktop(0)

        def on_bus(note):
            try:
                desktop.clear_cache()
            except Exception:
                pass
            apps = children(desktop)
            note("applications on the bus: %s" % ", ".join('"%s"' % name(a) for a in apps))
            for a in apps:
                try:
                    if a.get_process_id() == self.proc.pid:
                        return a
                except Exception:
                    continue
            return None

        self.app = wait_until("the program on the accessibility bus", on_bus, program=self)
        # Read every property from the program itself: the library's cache is only kept up to date
        # by events, which nobody dispatches here.
        self.app.set_cache_mask(Atspi.Cache.NONE)

        def main_frame(note):
            frames = [a for a in children(self.app) if "showing" in states(a)]
            note(", ".join(show(a) for a in frames))
            for a in frames:
                if role(a) == "frame" and name(a).startswith("Tonolog ["):
                    return a
            return None

        self.frame = wait_until('the main window, a frame named "Tonolog [ann.tnl]"', main_frame, program=self)
        self.activate(self.frame)
        wait_until("a control of the main window to have the focus",
                   lambda note: self.focused(), program=self)

    def ended(self):
        return self.proc is not None and self.proc.poll() is not None

    def stop(self):
        if self.proc is None or self.ended():
            return
        self.proc.send_signal(signal.SIGTERM)
        try:
            self.proc.wait(timeout=2 * timeout)
        except subprocess.TimeoutExpired:
            log("    (the program did not end within %g s of SIGTERM; killed)" % (2 * timeout))
            self.proc.kill()
            self.proc.wait()

    # The windows
    def top_levels(self):
        return [a for a in children(self.app) if "showing" in states(a)]

    def x_window_of(self, frame):
        """The X window of a top-level object, found by its title as no window manager is there."""
        title = name(frame)
        modal = role(frame) in ("alert", "dialog")

        def window(note):
            wins = x_windows(self.proc.pid)
            note("windows of the program: %s" % "; ".join('%s "%s"%s' % (w, n, " (modal)" if m else "")
                                                            for w, n, m in wins))
            fits = [w for w, n, m in wins if n == title]
            fits.sort(key=lambda w: [m for x, n, m in wins if x == w][0] != modal)
            return fits[0] if fits else None

        return wait_until('the X window titled "%s"' % title, window, program=self)

    def activate(self, frame):
        """Gives the keyboard focus to a window, as a window manager would on a click, unless the
        window is active already; waits until the bus reports it ACTIVE."""
        if "active" in states(frame):
            return
        w = self.x_window_of(frame)

        def focused(note):
            run("xdotool", "windowfocus", w)
            note("X focus on %s" % x_focus())
            return x_focus() == w

        wait_until("window %s to take the keyboard focus" % w, focused, program=self)
        wait_until('"%s" to be ACTIVE on the bus' % name(frame),
                   lambda note: note(show(frame)) or "active" in states(frame), program=self)

    # The focus
    def focused(self):
        """The object with the keyboard focus: the deepest FOCUSED one among the showing objects."""
        found = None
        for top in self.top_levels():
            for a in walk(top):
                if "focused" in states(a):
                    found = a
        return found

    def wait_focus(self, what, test):
        def probe(note):
            f = self.focused()
            note("the focus is on %s" % (show(f) if f else "nothing"))
            return f if f is not None and test(f) else None

        return wait_until(what, probe, program=self)

    def tab(self, key="Tab"):
        """Presses Tab (or the key given) and waits for the focus to move; returns where it went."""
        before = self.focused()
        press(key)
        return self.wait_focus("the focus to move from %s after %s" % (show(before) if before else "nothing", key),
                               lambda f: f != before)

    def tab_to(self, what, test, presses=45):
        """Presses Tab until the focus is on an object that passes test; fails, with the order the
        focus went through, when it does not come within the presses given."""
        f = self.focused()
        order, seen = [], []
        for _ in range(presses):
            if f is not None and test(f):
                return f
            f = self.tab()
            if f in order:
                break
            order.append(f)
            seen.append(show(f))
        if f is not None and test(f):
            return f
        raise PointFailed("Tab did not reach %s; a round of Tab went through:\n        %s" %
                          (what, "\n        ".join(seen)))

    def find(self, test, root=None, showing_only=True):
        found = find_all(root or self.frame, test, showing_only)
        return found[0] if found else None

    # The Diary page's date box, and the page in front
    def date_box(self):
        """The Diary page's date box, shown or not; looked up once, as the whole tree is long to walk."""
        if self._date_box is None or role(self._date_box) == "?":
            self._date_box = self.find(lambda a: role(a) in TEXT_ROLES and name(a) == "Date", showing_only=False)
        return self._date_box

    def date_text(self):
        box = self.date_box()
        return text(box) if box is not None else None

    def front_page(self):
        """The caption of the page in front and how it was learnt: from the selected page tab, or,
        without a page tab list, from the tab strip's description."""
        tabs = self.find(lambda a: role(a) == "page tab list")
        if tabs is not None:
            selected = [name(t) for t in children(tabs) if "selected" in states(t)]
            return (selected[0] if len(selected) == 1 else None), "selected page tab"
        strip = self.find(lambda a: "page is in front" in description(a))
        if strip is not None:
            m = re.search(r"The (\w+) page is in front", description(strip))
            return (m.group(1) if m else None), "tab strip's description"
        return None, "nothing that tells"

    def wait_front(self, caption):
        def probe(note):
            page, how = self.front_page()
            note("the page in front is %s (from the %s)" % (page, how))
            return page == caption

        wait_until("the %s page to come to the front" % caption, probe, program=self)


# --- The points -----------------------------------------------------------------------------------

class Point:
    def __init__(self, program, diary):
        self.p = program
        self.diary = diary
        self.failures = []
        self.seen = []

    def saw(self, s):
        self.seen.append(s)

    def expect(self, ok, message):
        """A check whose failure is reported while the point goes on (once, however often made)."""
        if not ok and message not in self.failures:
            self.failures.append(message)
        return ok


def point_page_tabs(pt):
    """The page tabs: a page tab list of three page tabs; the front one SELECTED, following
    Ctrl+Tab, and Left and Right while the strip has the focus."""
    p = pt.p
    tabs = p.find(lambda a: role(a) == "page tab list")
    if tabs is None:
        strip = p.find(lambda a: "page is in front" in description(a) or name(a) == "Pages")
        raise PointFailed("no object of role \"page tab list\"; the tab strip is %s" %
                          (show(strip) if strip else "not found") +
                          (" with children: " + "; ".join(show(c) for c in children(strip)) if strip and children(strip) else ""))
    pt.saw("tab list: %s" % show(tabs))
    kids = children(tabs)
    for c in kids:
        pt.saw("  child %s" % show(c))
    pt.expect([role(c) for c in kids] == ["page tab"] * 3,
              "the tab list's children have the roles %s, not three \"page tab\"" % [role(c) for c in kids])
    pt.expect([name(c) for c in kids] == ["Diary", "List", "Trend"],
              "the page tabs are named %s, not Diary, List, Trend" % [name(c) for c in kids])

    def selected_is(caption, after):
        def probe(note):
            sel = [name(c) for c in children(tabs) if "selected" in states(c)]
            note("selected: %s" % sel)
            return sel == [caption]

        try:
            wait_until("the %s tab alone to be SELECTED %s" % (caption, after), probe, program=p)
            pt.saw("%s: the %s tab is SELECTED" % (after, caption))
        except PointFailed as e:
            pt.failures.append(str(e))

    selected_is("Diary", "at the start")
    press("ctrl+Tab")
    selected_is("List", "after Ctrl+Tab")
    press("ctrl+Tab")
    selected_is("Trend", "after a second Ctrl+Tab")
    f = p.focused()
    pt.saw("the focus after Ctrl+Tab: %s" % (show(f) if f else "nothing"))
    on_strip = f is not None and (f == tabs or f in children(tabs))
    if not pt.expect(on_strip, "the tab strip does not have the focus after Ctrl+Tab (it is on %s)" %
                     (show(f) if f else "nothing")):
        return
    press("Left")
    selected_is("List", "after Left")
    press("Right")
    selected_is("Trend", "after Right")


def point_menu_names(pt):
    """Menus and menu items named without the bracketed access key."""
    p = pt.p
    bar = p.find(lambda a: role(a) == "menu bar")
    if bar is None:
        raise PointFailed("no menu bar on the bus")
    menus = children(bar)
    names = [name(m) for m in menus]
    pt.saw("menu bar: %s" % "; ".join(show(m) for m in menus))
    pt.expect(names == ["File", "Readings", "Help"], "the menu bar's menus are named %s" % names)
    items = []
    for m in menus:
        for popup in children(m):
            items += [i for i in children(popup) if role(i) != "separator" and name(i)]
    item_names = [name(i) for i in items]
    pt.saw("menu items: %s" % item_names)
    for wanted in ("New", "Open...", "Save as...", "Print...", "Exit", "Import readings...",
                   "Export readings as CSV...", "Report for the doctor...", "About..."):
        pt.expect(wanted in item_names, 'no menu item named "%s"' % wanted)
    bracketed = [n for n in names + item_names if re.search(r"\(&?[A-Z]\)|&", n)]
    pt.expect(not bracketed, "names that keep the access key: %s" % bracketed)


DIARY_BUTTONS = [("calendar", r"calendar"), ("current time 1", r"1.*time|time.*1"),
                 ("current time 2", r"2.*time|time.*2"), ("current time 3", r"3.*time|time.*3"),
                 ("previous day", r"previous day"), ("next day", r"next day")]
LIST_BUTTONS = [("previous data", r"previous"), ("next data", r"next"), ("print", r"print")]


def is_button(pattern):
    return lambda a: role(a) == "push button" and re.search(pattern, name(a), re.I) is not None


def check_buttons_by_tab(pt, page, buttons, presses=45):
    """Every image button of the page in front: a named push button, FOCUSABLE, FOCUSED when Tab
    comes to it (a whole round of Tab from where the focus is)."""
    p = pt.p
    found = {}
    for label, pattern in buttons:
        b = p.find(is_button(pattern))
        if not pt.expect(b is not None, "%s page: no showing push button for %s (a name matching /%s/)" %
                         (page, label, pattern)):
            continue
        found[label] = b
        pt.expect(name(b).strip() != "", "%s page: the %s button has no name" % (page, label))
        pt.expect("focusable" in states(b), "%s page: the %s button is not FOCUSABLE: %s" % (page, label, show(b)))
    start = p.focused()
    order = [start]
    for _ in range(presses):
        f = p.tab()
        if f == start:
            break
        order.append(f)
    pt.saw("%s page, Tab order: %s" % (page, " > ".join('%s "%s"' % (role(a), name(a)) for a in order)))
    for label, b in found.items():
        pt.expect(b in order, "%s page: Tab never gave the focus to the %s button %s" % (page, label, show(b)))
    return found


def point_image_buttons(pt):
    """Every image button can be reached with Tab and pressed with Space or Enter."""
    p = pt.p
    found = check_buttons_by_tab(pt, "Diary", DIARY_BUTTONS)
    today = day_key(pt.diary.today)
    pt.expect(p.date_text() == today, "the date box reads %r, not today %s" % (p.date_text(), today))
    if "next day" in found:
        tomorrow = day_key(pt.diary.today + datetime.timedelta(days=1))
        try:
            p.tab_to("the Next day button", lambda f: f == found["next day"])
            press("space")
            wait_until("Space on Next day to show %s in the date box" % tomorrow,
                       lambda note: note("the date box reads %r" % p.date_text()) or p.date_text() == tomorrow,
                       program=p)
            pt.saw("Space on Next day: the date box reads %s" % p.date_text())
        except PointFailed as e:
            pt.failures.append(str(e))
    if "previous day" in found:
        before = p.date_text() or ""
        try:
            if not DAY_KEY.fullmatch(before):
                raise PointFailed("the date box reads %r, not a day" % before)
            earlier = day_key(date_of_key(before) - datetime.timedelta(days=1))
            p.tab_to("the Previous day button", lambda f: f == found["previous day"])
            press("Return")
            wait_until("Enter on Previous day to show %s in the date box" % earlier,
                       lambda note: note("the date box reads %r" % p.date_text()) or p.date_text() == earlier,
                       program=p)
            pt.saw("Enter on Previous day: the date box reads %s" % p.date_text())
        except PointFailed as e:
            pt.failures.append(str(e))
    for caption, buttons in (("List", LIST_BUTTONS), ("Trend", LIST_BUTTONS)):
        press("ctrl+Tab")
        try:
            p.wait_front(caption)
        except PointFailed as e:
            pt.failures.append(str(e))
            return
        check_buttons_by_tab(pt, caption, buttons)


def calendar_shown(p):
    """The calendar, where one is showing: an object of role calendar or table."""
    for top in p.top_levels():
        for a in walk(top):
            if role(a) in ("calendar", "table"):
                return a
    return None


def point_date_box(pt):
    """Alt+Down and F4 in the date box open the calendar; arrows move, Enter takes the date, Escape
    leaves it."""
    p = pt.p
    box = p.tab_to("the date box", lambda f: role(f) in TEXT_ROLES and name(f) == "Date")
    pt.saw("date box: %s" % show(box))
    today = day_key(pt.diary.today)
    tomorrow = day_key(pt.diary.today + datetime.timedelta(days=1))
    pt.expect(text(box) == today, "the date box reads %r, not %s" % (text(box), today))
    press("alt+Down")
    cal = wait_until("a calendar or table object to be SHOWING after Alt+Down",
                     lambda note: note("the date box reads %r; the focus is on %s" %
                                       (text(box), show(p.focused()) if p.focused() else "nothing"))
                     or calendar_shown(p), program=p)
    pt.saw("after Alt+Down: %s; focus on %s" % (show(cal), show(p.focused()) if p.focused() else "nothing"))
    press("Right")
    press("Return")
    wait_until("Right, Enter in the calendar to put %s in the date box" % tomorrow,
               lambda note: note("the date box reads %r" % text(box)) or text(box) == tomorrow, program=p)
    pt.saw("Right, Enter: the date box reads %s" % text(box))
    try:
        wait_until("the calendar to close after Enter",
                   lambda note: note(show(cal)) or calendar_shown(p) is None, program=p)
    except PointFailed as e:
        pt.failures.append(str(e))
    p.wait_focus("the focus back in the date box", lambda f: f == box)
    press("F4")
    try:
        cal = wait_until("the calendar to be SHOWING after F4",
                         lambda note: note("the date box reads %r" % text(box)) or calendar_shown(p), program=p)
        pt.saw("after F4: %s" % show(cal))
        press("Right")
        press("Escape")
        wait_until("Escape to close the calendar", lambda note: note(show(cal)) or calendar_shown(p) is None,
                   program=p)
        pt.expect(text(box) == tomorrow, "after Escape the date box reads %r, not %s" % (text(box), tomorrow))
        pt.saw("Right, Escape: the calendar closed, the date box reads %s" % text(box))
    except PointFailed as e:
        pt.failures.append(str(e))


def point_list_rows(pt):
    """The List page's day rows: one object each, named by the day and its readings, focusable;
    Enter opens the day on the Diary page."""
    p = pt.p
    press("ctrl+Tab")
    p.wait_front("List")
    view = p.find(lambda a: name(a) == "Data list")
    if view is not None:
        pt.saw("list view: %s" % show(view))
    # The view says which of the diary's days it shows ("Days 3 to 6 of 6"); without that, any.
    wanted = None
    m = re.search(r"Days (\d+) to (\d+) of (\d+)", description(view) if view else "")
    if m:
        wanted = pt.diary.days[int(m.group(1)) - 1:int(m.group(2))]

    def rows_probe(note):
        rows = find_all(p.frame, lambda a: role(a) in ROW_ROLES and DAY_KEY.match(name(a)))
        note("rows: %s" % "; ".join(show(r) for r in rows))
        return rows if len(rows) >= (len(wanted) if wanted else 1) else None

    try:
        rows = wait_until("the day rows (role \"list item\" or \"section\", named from the day key)",
                          rows_probe, program=p)
    except PointFailed:
        loose = [a for a in find_all(view or p.frame, lambda a: role(a) == "label")][:12]
        raise PointFailed("no object of role %s named like \"Mmm./dd/yyyy: ... over ...\" is showing; under "
                          "the list view the bus shows, for a start: %s" % (" or ".join(ROW_ROLES),
                                                                          "; ".join(show(a) for a in loose)))
    for r in rows:
        pt.saw("row: %s" % show(r))
    keys = [DAY_KEY.match(name(r)).group(0) for r in rows]
    expected = [day_key(d) for d in (wanted or pt.diary.days)]
    pt.expect(keys == expected if wanted else len(set(keys)) == len(keys) and set(keys) <= set(expected),
              "the rows are for %s, not %s" % (keys, expected))
    values = set()
    for r in rows:
        key = DAY_KEY.match(name(r)).group(0)
        day = date_of_key(key)
        for sys_, dia, pul, at in pt.diary.readings.get(day, []):
            values.update({str(sys_), str(dia), str(pul)})
            pt.expect("%d over %d" % (sys_, dia) in name(r),
                      'the row for %s does not read "%d over %d": "%s"' % (key, sys_, dia, name(r)))
        pt.expect("focusable" in states(r), "the row for %s is not FOCUSABLE" % key)
        inner = [a for a in find_all(r, lambda a: a is not r and role(a) == "label")]
        pt.expect(not inner, "the row for %s has showing labels under it: %s" %
                  (key, "; ".join(show(a) for a in inner[:8])))
    loose = find_all(p.frame, lambda a: role(a) == "label" and
                     (name(a).strip() in values or name(a).strip() in ("S", "D", "P", "SYS", "DIA", "PUL")))
    pt.expect(not loose, "the rows' loose labels are showing on their own: %s" %
              "; ".join(show(a) for a in loose[:10]) + (" (and %d more)" % (len(loose) - 10) if len(loose) > 10 else ""))
    row = p.tab_to("a day row", lambda f: role(f) in ROW_ROLES and DAY_KEY.match(name(f)))
    key = DAY_KEY.match(name(row)).group(0)
    pt.saw("Tab reached the row of %s" % key)
    press("Return")
    p.wait_front("Diary")
    wait_until("the date box to read %s" % key,
               lambda note: note("the date box reads %r" % p.date_text()) or p.date_text() == key, program=p)
    pt.saw("Enter: the Diary page is in front, the date box reads %s" % key)


def point_trend_graph(pt):
    """The Trend graph: described by its count, means and extremes; focusable; Left and Right move a
    day cursor that it names; Enter opens that day."""
    p = pt.p
    press("ctrl+Tab")
    p.wait_front("List")
    press("ctrl+Tab")
    p.wait_front("Trend")
    graph = p.find(lambda a: "graph" in name(a).lower() and role(a) not in ("label", "push button"))
    if graph is None:
        raise PointFailed("no showing object named like \"... graph\" on the Trend page")
    pt.saw("graph: %s" % show(graph))
    pt.expect(role(graph) in ("image", "chart", "canvas", "diagram", "animation"),
              "the graph's role is \"%s\"" % role(graph))
    d = description(graph)
    window = pt.diary.in_month_of_today()
    count = len(window)
    pt.expect(re.search(r"\b%d\b" % count, d) is not None,
              "the description does not hold the window's count of readings, %d" % count)
    missing = [w for w in ("mean", "lowest", "highest", "SYS", "DIA", "pulse") if w.lower() not in d.lower()]
    pt.expect(not missing, "the description lacks the words %s" % ", ".join(missing))
    figures = {"mean SYS": 130, "mean DIA": 85, "mean pulse": 70,
               "lowest SYS": min(r[0] for r in window), "highest SYS": max(r[0] for r in window),
               "lowest DIA": min(r[1] for r in window), "highest DIA": max(r[1] for r in window)}
    missing = ["%s %d" % (what, value) for what, value in figures.items() if not re.search(r"\b%d\b" % value, d)]
    pt.expect(not missing, "the description lacks the figures: %s" % ", ".join(missing))
    pt.expect("focusable" in states(graph), "the graph is not FOCUSABLE")
    p.tab_to("the graph", lambda f: f == graph)
    pt.saw("Tab reached the graph")

    def said():
        return name(graph) + " | " + description(graph)

    def move(key):
        before = said()
        press(key)
        return wait_until("%s on the graph to change its name or description" % key,
                          lambda note: note(said()) or (said() if said() != before else None), program=p)

    # The cursor starts on the latest day; on the first of the month there is no day before it in
    # the window, so the moves go the other way.
    first, second = ("Right", "Left") if pt.diary.today.day == 1 else ("Left", "Right")
    step = datetime.timedelta(days=1 if second == "Right" else -1)
    t1 = move(first)
    t2 = move(second)
    pt.saw("after %s: %s" % (first, t1))
    pt.saw("after %s: %s" % (second, t2))
    # The day named after the second move and not after the first is the cursor's, one step on.
    new, old = keys_in(t2) - keys_in(t1), keys_in(t1) - keys_in(t2)
    if len(new) == 1:
        day = date_of_key(new.pop()) - step
    elif len(old) == 1:
        day = date_of_key(old.pop())
    else:
        raise PointFailed("%s and %s do not name one day that moves by one: the day keys after %s %s, after %s %s" %
                          (first, second, first, sorted(keys_in(t1)), second, sorted(keys_in(t2))))
    t3 = move(first)
    pt.saw("%s again: %s" % (first, t3))
    key = day_key(day)
    pt.expect(key in t3, "after %s again the graph does not name %s" % (first, key))
    press("Return")
    p.wait_front("Diary")
    wait_until("the date box to read %s" % key,
               lambda note: note("the date box reads %r" % p.date_text()) or p.date_text() == key, program=p)
    pt.saw("Enter: the Diary page is in front, the date box reads %s" % key)


def point_validation(pt):
    """After the message about a value out of range, the focus is on the faulty box, which carries
    the message as its description until a valid value leaves it."""
    p = pt.p
    sys_box = p.tab_to('the "Reading 1, SYS" box', lambda f: role(f) in TEXT_ROLES and name(f) == "Reading 1, SYS")
    plain = description(sys_box)
    pt.saw("SYS box: %s" % show(sys_box))
    press("ctrl+a")
    type_text("300")
    press("Tab")

    def message_box(note):
        tops = p.top_levels()
        note("windows: %s" % "; ".join(show(t) for t in tops))
        boxes = [t for t in tops if t != p.frame and role(t) in ("alert", "dialog")]
        return boxes[0] if boxes else None

    box = wait_until("a message box after 300 in SYS and Tab", message_box, program=p)
    said = " / ".join(name(a) or text(a) for a in walk(box) if role(a) == "label" and (name(a) or text(a)))
    pt.saw("message box: %s; it says: %s" % (show(box), said))
    pt.expect("Range of SYS is 0 to 250." in said, 'the message box does not say "Range of SYS is 0 to 250."')
    p.activate(box)
    press("Return")
    wait_until("the message box to close", lambda note: note(show(box)) or "showing" not in states(box)
               and box not in p.top_levels(), program=p)
    p.activate(p.frame)
    f = p.wait_focus('the focus on the "Reading 1, SYS" box', lambda f: f == sys_box)
    pt.saw("after the message: the focus is on %s" % show(f))
    pt.expect("Range of SYS is 0 to 250." in description(sys_box),
              "the SYS box's description does not hold the message: %s" % show(sys_box))
    press("ctrl+a")
    type_text("128")
    press("Tab")
    wait_until("the SYS box's description to lose the message after 128 and Tab",
               lambda note: note(show(sys_box)) or "Range of" not in description(sys_box), program=p)
    pt.saw("128, Tab: %s (before the fault: \"%s\")" % (show(sys_box), plain))


def point_report_dialog(pt):
    """The report dialog: the period choice labelled "Period", the preview described with the title
    and the summary's figures."""
    p = pt.p
    press("alt+r")
    # The letter goes to the menu only once the menu is open.
    wait_until("the Readings menu to open after Alt+R",
               lambda note: any(role(a) in ("popup menu", "menu") and "showing" in states(a)
                                for a in children(p.app) + [m for t in p.top_levels() for m in walk(t)]),
               program=p)
    press("d")

    def dialog(note):
        tops = p.top_levels()
        note("windows: %s" % "; ".join(show(t) for t in tops))
        found = [t for t in tops if t != p.frame and role(t) in ("dialog", "frame")]
        return found[0] if found else None

    dlg = wait_until("the report dialog after Alt+R, D", dialog, program=p)
    pt.saw("dialog: %s" % show(dlg))
    combos = wait_until("combo boxes in the dialog",
                        lambda note: find_all(dlg, lambda a: role(a) == "combo box"), program=p)

    def labelled_period(c):
        labels = [name(t).rstrip(":").strip() for t in relations(c, pyatspi.RELATION_LABELLED_BY)]
        return name(c) == "Period" or "Period" in labels

    for c in combos:
        pt.saw("combo box: %s, labelled by %s" % (show(c), [name(t) for t in relations(c, pyatspi.RELATION_LABELLED_BY)]))
    pt.expect(any(labelled_period(c) for c in combos), 'no combo box named "Period" or labelled by "Period"')

    def preview_said(note):
        preview = find_all(dlg, lambda a: "preview" in name(a).lower())
        if not preview:
            note("no object named like \"Preview ...\"")
            return None
        words = []
        for a in walk(preview[0]):
            words += [name(a), description(a), text(a)]
        said = " | ".join(w for w in words if w)
        note(said)
        return (preview[0], said) if "Home blood pressure report" in said else None

    try:
        preview, said = wait_until("the preview to say \"Home blood pressure report\"", preview_said, program=p)
        pt.saw("preview: %s" % show(preview))
        pt.saw("the preview says: %s" % said)
        readings = sum(len(v) for v in pt.diary.readings.values())
        for what, value in (("readings counted", readings), ("mean SYS", 130), ("mean DIA", 85)):
            pt.expect(re.search(r"\b%d\b" % value, said) is not None,
                      "the preview does not give the %s, %d" % (what, value))
    except PointFailed as e:
        pt.failures.append(str(e))


def screen_region(box):
    """The screen's pixels in box (x, y, w, h) as rows of raw samples, from xwd and xwdtopnm."""
    xwd = subprocess.run(["xwd", "-silent", "-root"], capture_output=True, check=True).stdout
    ppm = subprocess.run(["xwdtopnm"], input=xwd, capture_output=True, check=True).stdout
    fields, pos = [], 0
    while len(fields) < 4:
        m = re.compile(rb"\s*(#[^\n]*\n\s*)*(\S+)").match(ppm, pos)
        fields.append(m.group(2))
        pos = m.end()
    if fields[0] != b"P6":
        raise PointFailed("xwdtopnm gave an image of another form: %r" % fields)
    width, size = int(fields[1]), 1 if int(fields[3]) < 256 else 2
    pixels = ppm[pos + 1:]
    x, y, w, h = box

    def pixel(row, col):
        at = 3 * size * (width * row + col)
        return pixels[at:at + 3 * size]

    return [[pixel(row, col) for col in range(x, x + w)] for row in range(y, y + h)]


def point_focus_ring(pt):
    """The focus ring on an image button: its pixels change on all four sides when Tab gives it the
    focus."""
    p = pt.p
    for tool in ("xwd", "xwdtopnm"):
        if shutil.which(tool) is None:
            raise PointSkipped("%s is not installed (Debian packages x11-apps, netpbm)" % tool)
    button = p.find(is_button(r"next day"))
    if button is None:
        raise PointFailed("no Next day button")
    ex = extents(button)
    if not ex or ex[2] <= 0 or ex[3] <= 0:
        raise PointFailed("the Next day button has no extents on the bus")
    margin = 4
    x, y, w, h = ex
    box = (max(0, x - margin), max(0, y - margin), w + 2 * margin, h + 2 * margin)
    pt.saw("Next day button at %s" % (ex,))
    focused = p.focused()
    pt.expect(focused != button, "the button has the focus from the start")
    before = screen_region(box)
    p.tab_to("the Next day button", lambda f: f == button)
    diff = wait_until("the button's pixels to change when it takes the focus",
                      lambda note: [(c, r) for r, (a, b) in enumerate(zip(before, screen_region(box)))
                                    for c in range(len(a)) if a[c] != b[c]], program=p)
    bw, bh = box[2], box[3]
    band = margin + 6
    sides = {"left": sum(1 for c, r in diff if c < band), "right": sum(1 for c, r in diff if c >= bw - band),
             "top": sum(1 for c, r in diff if r < band), "bottom": sum(1 for c, r in diff if r >= bh - band)}
    inside = sum(1 for c, r in diff if band <= c < bw - band and band <= r < bh - band)
    inner_area = max(1, (bw - 2 * band) * (bh - 2 * band))
    pt.saw("changed pixels: %d; near each side: %s; inside: %d of %d" % (len(diff), sides, inside, inner_area))
    for side, n in sides.items():
        long_side = bh if side in ("left", "right") else bw
        pt.expect(n >= long_side // 3, "few pixels change near the %s side (%d): no ring around the button" % (side, n))
    pt.expect(inside * 10 < inner_area, "the button's face changes as a whole, not a ring at its edge")


def point_help_window(pt):
    """F1 opens the help window, which becomes active; Escape closes it; so does Ctrl+W."""
    p = pt.p

    def help_frame(note):
        tops = p.top_levels()
        note("windows: %s" % "; ".join(show(t) for t in tops))
        found = [t for t in tops if "Help" in name(t)]
        return found[0] if found else None

    for close_key in ("Escape", "ctrl+w"):
        p.activate(p.frame)
        press("F1")
        frame = wait_until("a help window after F1", help_frame, program=p)
        pt.saw("F1: %s" % show(frame))
        pt.expect(name(frame) == "Tonolog Help", 'the help window is titled "%s"' % name(frame))
        pt.expect(role(frame) in ("frame", "window", "dialog"),
                  'the help window\'s role is "%s", not a window\'s ("frame")' % role(frame))
        try:
            wait_until("the help window to become ACTIVE", lambda note: note(show(frame)) or "active" in states(frame),
                       program=p)
        except PointFailed as e:
            pt.failures.append(str(e))
            p.activate(frame)
        press(close_key)
        wait_until("%s to close the help window" % close_key,
                   lambda note: note(show(frame)) or "showing" not in states(frame), program=p)
        pt.saw("%s closed it" % close_key)


POINTS = [
    (1, "page tabs", point_page_tabs),
    (2, "menu names", point_menu_names),
    (3, "image buttons by keyboard", point_image_buttons),
    (4, "the date box's calendar", point_date_box),
    (5, "List page rows", point_list_rows),
    (6, "Trend graph", point_trend_graph),
    (7, "validation message and the faulty box", point_validation),
    (8, "report dialog", point_report_dialog),
    (9, "focus ring", point_focus_ring),
    (10, "help window", point_help_window),
]


def main():
    global timeout
    parser = argparse.ArgumentParser()
    parser.add_argument("--app", required=True)
    parser.add_argument("--dir", required=True)
    parser.add_argument("--timeout", type=float, default=30.0)
    parser.add_argument("--points", default="all")
    args = parser.parse_args()
    timeout = args.timeout
    chosen = {n for n, _, _ in POINTS} if args.points == "all" else {int(n) for n in args.points.split(",")}
    diary = Diary()
    results = []
    for number, title, check in POINTS:
        if number not in chosen:
            continue
        log("--- point %d: %s" % (number, title))
        program = Program(args.app, args.dir, number, diary)
        point = Point(program, diary)
        outcome = "PASS"
        try:
            program.start()
            check(point)
        except PointFailed as e:
            point.failures.append(str(e))
        except PointSkipped as e:
            outcome = "SKIP"
            point.failures = []
            point.saw(str(e))
        except Exception as e:
            point.failures.append("the check itself failed: %s\n%s" % (e, traceback.format_exc()))
        finally:
            program.stop()
        if point.failures:
            outcome = "FAIL"
        for s in point.seen:
            log("    seen: %s" % s)
        for f in point.failures:
            log("    FAIL: %s" % f)
        if program.proc is not None and program.proc.returncode not in (0, None):
            log("    (the program ended with exit code %s)" % program.proc.returncode)
        log("%s point %d: %s" % (outcome, number, title))
        results.append((number, outcome))
    log("--- summary")
    for outcome in ("PASS", "FAIL", "SKIP"):
        numbers = [str(n) for n, o in results if o == outcome]
        if numbers:
            log("%s: %s" % (outcome, " ".join(numbers)))
    return 1 if any(o == "FAIL" for _, o in results) else 0


if __name__ == "__main__":
    sys.exit(main())
