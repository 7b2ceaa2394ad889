#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader gets from the real program, read from the accessibility bus (AT-SPI).

Run by accessibility_test.sh, which provides the X server and the buses. Every point starts the program
afresh on a diary of six days ending today, drives it with real key events (xdotool) and reads what the
bus reports; it is reported as PASS, FAIL or SKIP with what was seen. Exit code 1 when any point failed.
"""

import argparse, contextlib, datetime, os, re, shutil, signal, subprocess, sys, time, traceback

import pyatspi
from gi.repository import Atspi

MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
DAY_KEY = re.compile(r"\b(%s)\./(\d\d)/(\d{4})\b" % "|".join(MONTHS))
ONE_DAY = datetime.timedelta(days=1)
ROW_ROLES, TEXT_ROLES = ("list item", "section"), ("text", "entry")
SHOWN_STATES = ("focusable", "focused", "selectable", "selected", "active", "showing", "editable")
TABS = 45  # presses of Tab that make more than a round of any page
timeout = 30.0

class PointFailed(Exception): pass
class PointSkipped(Exception): pass

def log(s): print(s, flush=True)
def first(items): return next(iter(items), None)
def day_key(day): return "%s./%02d/%04d" % (MONTHS[day.month - 1], day.day, day.year)
def keys_in(s): return {m.group(0) for m in DAY_KEY.finditer(s)}
def has_number(value, s): return re.search(r"\b%d\b" % value, s) is not None
def run(*args): return subprocess.run(args, capture_output=True, text=True).stdout
def press(*keys): subprocess.run(["xdotool", "key", "--delay", "40", *keys], check=True)

def date_of_key(key):
    m = DAY_KEY.fullmatch(key)
    return datetime.date(int(m.group(3)), MONTHS.index(m.group(1)) + 1, int(m.group(2)))

# --- Reading the bus; an object that went away reads as empty ---------------------------------------

def safe(get, default=""):
    try:
        return get()
    except Exception:
        return default

def role(a): return safe(lambda: a.getRoleName(), "?")
def name(a): return safe(lambda: a.name or "")
def description(a): return safe(lambda: a.description or "")
def text(a): return safe(lambda: a.queryText().getText(0, -1))
def states(a): return safe(lambda: {pyatspi.stateToString(s) for s in a.getState().getStates()}, set())
def quoted(s): return '"%s"' % s.replace("\r", "\\r").replace("\n", "\\n")
def shows(objects): return "; ".join(map(show, objects))

def children(a):
    kids = (safe(lambda i=i: a.getChildAtIndex(i), None) for i in range(safe(lambda: a.childCount, 0)))
    return [c for c in kids if c is not None]

def show(a):
    """One object as the report shows it: [role] "name", description, text and the states of note."""
    if a is None:
        return "nothing"
    said = "".join(" %s %s" % (w, quoted(v)) for w, v in (("description", description(a)), ("text", text(a))) if v)
    st = states(a)
    return "[%s] %s%s {%s}" % (role(a), quoted(name(a)), said, ",".join(s for s in SHOWN_STATES if s in st))

def walk(root, showing_only=True):
    """The objects under root, root first, in order; with showing_only, a subtree whose top is not
    SHOWING is left out (a hidden page's controls may still call themselves showing)."""
    stack = [root]
    while stack:
        a = stack.pop()
        if not showing_only or a is root or "showing" in states(a):
            yield a
            stack.extend(reversed(children(a)))

def find_all(root, test, showing_only=True):
    return [a for a in walk(root, showing_only) if test(a)]

class Diary:
    """Six days ending today, two readings each. The two readings of a day lie as far above as below
    SYS 130, DIA 85 and pulse 70, so that the means of any run of whole days are those, values no
    reading has."""

    def __init__(self):
        self.today = datetime.date.today()
        self.days = [self.today - (5 - i) * ONE_DAY for i in range(6)]
        self.readings = {day: [(130 + 2 * i, 85 + i, 70 - i, "7:05am"), (130 - 2 * i, 85 - i, 70 + i, "9:00pm")]
                         for i, day in enumerate(self.days, start=1)}

    def write(self, path):
        lines = ["Ann,"] + [",".join([day_key(d)] + [str(v) for r in self.readings[d] for v in r]
                                     + ["", "", "", "", "note of %s" % day_key(d), ""]) for d in self.days]
        with open(path, "w", newline="") as f:
            f.write("\r\n".join(lines) + "\r\n")

class Run:
    """One point's run of the program, with what the point saw and the failures it found."""

    def __init__(self, app, workdir, number, diary):
        self.app_path, self.workdir, self.number, self.diary = app, workdir, number, diary
        self.proc = self.app = self.frame = self._date_box = None
        self.seen, self.failures = [], []
        self.saw = self.seen.append

    def expect(self, ok, message):
        """A check whose failure is reported while the point goes on (once, however often made)."""
        if not ok and message not in self.failures:
            self.failures.append(message)
        return ok

    @contextlib.contextmanager
    def soft(self):
        """A block of the point whose failure is reported while the point goes on after it."""
        try:
            yield
        except PointFailed as e:
            self.failures.append(str(e))

    def wait(self, what, get, seen=None):
        """Polls get() every 0.1 s until it returns something true, and returns that. Gives up after
        the timeout, or at once when the program ended, with what seen() gives then."""
        deadline = time.monotonic() + timeout
        while not (value := get()):
            if self.ended():
                raise PointFailed("the program ended (exit code %s) while waiting for %s" % (self.proc.returncode, what))
            if time.monotonic() > deadline:
                last = seen() if seen else ""
                raise PointFailed("timed out after %g s waiting for %s%s" % (timeout, what, last and "; last seen: " + last))
            time.sleep(0.1)
        return value

    def start(self):
        # Every run starts as the first: no backup to recall, no settings of an earlier run.
        for home in ("XDG_DATA_HOME", "XDG_CONFIG_HOME"):
            shutil.rmtree(os.path.join(os.environ[home], "Tonolog"), ignore_errors=True)
        path, base = os.path.join(self.workdir, "ann.tnl"), os.path.join(self.workdir, "run%d" % self.number)
        self.diary.write(path)
        with open(base + ".out", "w") as out, open(base + ".err", "w") as err:
            self.proc = subprocess.Popen([self.app_path, path], stdin=subprocess.DEVNULL, stdout=out, stderr=err)
        desktop = pyatspi.Registry.getDesktop(0)

        def on_bus():
            safe(desktop.clear_cache)
            return first(a for a in children(desktop) if safe(a.get_process_id, None) == self.proc.pid)

        self.app = self.wait("the program on the accessibility bus", on_bus,
                             lambda: "applications on the bus: " + ", ".join(quoted(name(a)) for a in children(desktop)))
        # Read every property from the program itself: the library's cache is only kept up to date
        # by events, which nobody dispatches here.
        self.app.set_cache_mask(Atspi.Cache.NONE)
        self.frame = self.wait_window('the main window, a frame named "Tonolog [ann.tnl]"',
                                      lambda t: role(t) == "frame" and name(t).startswith("Tonolog ["))
        self.activate(self.frame)
        self.wait("a control of the main window to have the focus", self.focused)

    def ended(self):
        return self.proc is not None and self.proc.poll() is not None

    def stop(self):
        if self.proc is not None and not self.ended():
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=2 * timeout)
            except subprocess.TimeoutExpired:
                log("    (the program did not end within %g s of SIGTERM; killed)" % (2 * timeout))
                self.proc.kill()
                self.proc.wait()

    def top_levels(self):
        return [a for a in children(self.app) if "showing" in states(a)]

    def wait_window(self, what, test):
        return self.wait(what, lambda: first(t for t in self.top_levels() if t != self.frame and test(t)),
                         lambda: "windows: " + shows(self.top_levels()))

    def wait_gone(self, what, window):
        self.wait(what, lambda: "showing" not in states(window) and window not in self.top_levels(), lambda: show(window))

    def activate(self, frame):
        """Gives a window the keyboard focus, as a window manager (there is none) would on a click: the X
        window is found by its title, a modal one first for a dialog. Waits until the bus reports it ACTIVE."""
        if "active" in states(frame):
            return
        title, modal = name(frame), role(frame) in ("alert", "dialog")

        def windows():  # the program's visible top-level X windows, pop-up menus left out
            ids = run("xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid), "--name", ".").split()
            return [(w, run("xdotool", "getwindowname", w).rstrip("\n"),
                     "_NET_WM_STATE_MODAL" in run("xprop", "-id", w, "_NET_WM_STATE"))
                    for w in ids if "Override Redirect State: no" in run("xwininfo", "-id", w)]

        def focus_on(w):
            run("xdotool", "windowfocus", w)
            return run("xdotool", "getwindowfocus").strip() == w

        w = self.wait('the X window titled "%s"' % title,
                      lambda: first(i for i, n, m in sorted(windows(), key=lambda win: win[2] != modal) if n == title),
                      lambda: "windows of the program: " + "; ".join('%s "%s"%s' % (i, n, " (modal)" if m else "")
                                                                     for i, n, m in windows()))
        self.wait("window %s to take the keyboard focus" % w, lambda: focus_on(w),
                  lambda: "X focus on " + run("xdotool", "getwindowfocus").strip())
        self.wait('"%s" to be ACTIVE on the bus' % title, lambda: "active" in states(frame), lambda: show(frame))

    def focused(self):
        """The object with the keyboard focus: the deepest FOCUSED one among the showing objects."""
        found = [a for top in self.top_levels() for a in walk(top) if "focused" in states(a)]
        return found[-1] if found else None

    def wait_focus(self, what, test):
        return self.wait(what, lambda: first(f for f in [self.focused()] if f is not None and test(f)),
                         lambda: "the focus is on " + show(self.focused()))

    def tab(self):
        before = self.focused()
        press("Tab")
        return self.wait_focus("the focus to move from %s after Tab" % show(before), lambda f: f != before)

    def tab_to(self, what, test):
        """Presses Tab until the focus is on an object that passes test, or fails after a round of Tab."""
        f, order = self.focused(), []
        while f is None or not test(f):
            if len(order) == TABS or f in order[:-1]:
                raise PointFailed("Tab did not reach %s; a round of Tab went through:\n        %s" %
                                  (what, "\n        ".join(map(show, order))))
            f = self.tab()
            order.append(f)
        return f

    def find(self, test, showing_only=True):
        return first(find_all(self.frame, test, showing_only))

    def date_text(self, box=None):
        """The text of the box given, or else of the Diary page's date box, shown or not; that one is
        looked up once, as the whole tree is long to walk."""
        if box is None and (self._date_box is None or role(self._date_box) == "?"):
            self._date_box = self.find(lambda a: role(a) in TEXT_ROLES and name(a) == "Date", showing_only=False)
        return text(self._date_box if box is None else box)

    def wait_date(self, what, key, box=None):
        self.wait("%s to put %s in the date box" % (what, key), lambda: self.date_text(box) == key,
                  lambda: "the date box reads %r" % self.date_text(box))

    def front_page(self):
        """The page in front and how it was learnt: the selected page tab, or else the tab strip's description."""
        tabs = self.find(lambda a: role(a) == "page tab list")
        if tabs is not None:
            selected = [name(t) for t in children(tabs) if "selected" in states(t)]
            return (selected[0] if len(selected) == 1 else None), "selected page tab"
        m = re.search(r"The (\w+) page is in front", description(self.find(lambda a: "page is in front" in description(a))))
        return (m.group(1) if m else None), "tab strip's description"

    def wait_front(self, caption):
        self.wait("the %s page to come to the front" % caption, lambda: self.front_page()[0] == caption,
                  lambda: "the page in front is %s (from the %s)" % self.front_page())

    def enter_opens_day(self, key):
        press("Return")
        self.wait_front("Diary")
        self.wait_date("Enter", key)
        self.saw("Enter: the Diary page is in front, the date box reads %s" % key)

# --- The points -----------------------------------------------------------------------------------

def point_page_tabs(p):
    """A page tab list of three page tabs; the front one SELECTED, after Ctrl+Tab, and Left and Right on the strip."""
    tabs = p.find(lambda a: role(a) == "page tab list")
    if tabs is None:
        strip = p.find(lambda a: "page is in front" in description(a) or name(a) == "Pages")
        raise PointFailed('no object of role "page tab list"; the tab strip is %s' % (
            "not found" if strip is None else "%s with children: %s" % (show(strip), shows(children(strip)))))
    kids = children(tabs)
    p.saw("tab list: %s; its children: %s" % (show(tabs), shows(kids)))
    for what, got, want in (("roles", [role(c) for c in kids], ["page tab"] * 3),
                            ("names", [name(c) for c in kids], ["Diary", "List", "Trend"])):
        p.expect(got == want, "the tab list's children have the %s %s, not %s" % (what, got, want))

    def selected():
        return [name(c) for c in children(tabs) if "selected" in states(c)]

    for key, caption, after in ((None, "Diary", "at the start"), ("ctrl+Tab", "List", "after Ctrl+Tab"),
                                ("ctrl+Tab", "Trend", "after a second Ctrl+Tab"), ("Left", "List", "after Left"),
                                ("Right", "Trend", "after Right")):
        if key == "Left":  # the arrows move between the pages while the strip has the focus
            f = p.focused()
            p.saw("the focus after Ctrl+Tab: %s" % show(f))
            if not p.expect(f is not None and (f == tabs or f in children(tabs)),
                            "the tab strip does not have the focus after Ctrl+Tab (it is on %s)" % show(f)):
                return
        if key:
            press(key)
        with p.soft():
            p.wait("the %s tab alone to be SELECTED %s" % (caption, after), lambda: selected() == [caption],
                   lambda: "selected: %s" % selected())
            p.saw("%s: the %s tab is SELECTED" % (after, caption))

def point_menu_names(p):
    """Menus and menu items named without the bracketed access key."""
    bar = p.find(lambda a: role(a) == "menu bar")
    if bar is None:
        raise PointFailed("no menu bar on the bus")
    menus = children(bar)
    names = [name(m) for m in menus]
    items = [name(i) for m in menus for popup in children(m) for i in children(popup) if role(i) != "separator" and name(i)]
    p.saw("menu bar: %s; menu items: %s" % (shows(menus), items))
    p.expect(names == ["File", "Readings", "Help"], "the menu bar's menus are named %s" % names)
    for wanted in ("New", "Open...", "Save as...", "Print...", "Exit", "Import readings...",
                   "Export readings as CSV...", "Report for the doctor...", "About..."):
        p.expect(wanted in items, 'no menu item named "%s"' % wanted)
    bracketed = [n for n in names + items if re.search(r"\(&?[A-Z]\)|&", n)]
    p.expect(not bracketed, "names that keep the access key: %s" % bracketed)

DIARY_BUTTONS = [("calendar", r"calendar"), ("current time 1", r"1.*time|time.*1"),
                 ("current time 2", r"2.*time|time.*2"), ("current time 3", r"3.*time|time.*3"),
                 ("previous day", r"previous day"), ("next day", r"next day")]
LIST_BUTTONS = [("previous data", r"previous"), ("next data", r"next"), ("print", r"print")]

def is_button(pattern):
    return lambda a: role(a) == "push button" and re.search(pattern, name(a), re.I) is not None

def check_buttons_by_tab(p, page, buttons):
    """Every image button of the page in front: a named push button, FOCUSABLE, focused in a round of Tab."""
    found = {}
    for label, pattern in buttons:
        b = p.find(is_button(pattern))
        if p.expect(b is not None, "%s page: no showing push button for %s (a name matching /%s/)" % (page, label, pattern)):
            found[label] = b
            p.expect(name(b).strip() != "", "%s page: the %s button has no name" % (page, label))
            p.expect("focusable" in states(b), "%s page: the %s button is not FOCUSABLE: %s" % (page, label, show(b)))
    order = [p.focused()]
    for _ in range(TABS):
        order.append(p.tab())
        if order[-1] == order[0]:
            order.pop()
            break
    p.saw("%s page, Tab order: %s" % (page, " > ".join('%s "%s"' % (role(a), name(a)) for a in order)))
    for label, b in found.items():
        p.expect(b in order, "%s page: Tab never gave the focus to the %s button %s" % (page, label, show(b)))
    return found

def point_image_buttons(p):
    """Every image button can be reached with Tab and pressed with Space or Enter."""
    found = check_buttons_by_tab(p, "Diary", DIARY_BUTTONS)
    today = day_key(p.diary.today)
    p.expect(p.date_text() == today, "the date box reads %r, not today %s" % (p.date_text(), today))
    for label, key, said, days in (("Next day", "space", "Space", 1), ("Previous day", "Return", "Enter", -1)):
        if label.lower() in found:
            with p.soft():
                before = p.date_text()
                if not DAY_KEY.fullmatch(before):
                    raise PointFailed("the date box reads %r, not a day" % before)
                p.tab_to("the %s button" % label, lambda f: f == found[label.lower()])
                press(key)
                p.wait_date("%s on %s" % (said, label), day_key(date_of_key(before) + days * ONE_DAY))
                p.saw("%s on %s: the date box reads %s" % (said, label, p.date_text()))
    with p.soft():
        for caption in ("List", "Trend"):
            press("ctrl+Tab")
            p.wait_front(caption)
            check_buttons_by_tab(p, caption, LIST_BUTTONS)

def point_date_box(p):
    """Alt+Down and F4 in the date box open the calendar; arrows move, Enter takes the date, Escape leaves it."""
    box = p.tab_to("the date box", lambda f: role(f) in TEXT_ROLES and name(f) == "Date")
    p.saw("date box: %s" % show(box))
    today, tomorrow = day_key(p.diary.today), day_key(p.diary.today + ONE_DAY)
    p.expect(text(box) == today, "the date box reads %r, not %s" % (text(box), today))

    def calendar():  # the calendar, where one is showing: an object of role calendar or table
        return first(a for top in p.top_levels() for a in walk(top) if role(a) in ("calendar", "table"))

    def use_calendar(open_key, close_key):  # returns a wait for the calendar to close
        press(open_key)
        cal = p.wait("a calendar or table object to be SHOWING after %s" % open_key, calendar,
                     lambda: "the date box reads %r; the focus is on %s" % (text(box), show(p.focused())))
        p.saw("after %s: %s; focus on %s" % (open_key, show(cal), show(p.focused())))
        press("Right")
        press(close_key)
        return lambda: p.wait("the calendar to close after %s" % close_key, lambda: calendar() is None, lambda: show(cal))

    closed = use_calendar("alt+Down", "Return")
    p.wait_date("Right, Enter in the calendar", tomorrow, box)
    p.saw("Right, Enter: the date box reads %s" % text(box))
    with p.soft():
        closed()
    p.wait_focus("the focus back in the date box", lambda f: f == box)
    use_calendar("F4", "Escape")()
    p.expect(text(box) == tomorrow, "after Escape the date box reads %r, not %s" % (text(box), tomorrow))
    p.saw("Right, Escape: the calendar closed, the date box reads %s" % text(box))

def point_list_rows(p):
    """The List page's day rows: one focusable object each, named by the day and its readings; Enter opens the day."""
    press("ctrl+Tab")
    p.wait_front("List")
    view = p.find(lambda a: name(a) == "Data list")
    p.saw("list view: %s" % show(view))
    # The view says which of the diary's days it shows ("Days 3 to 6 of 6"); without that, any.
    m = re.search(r"Days (\d+) to (\d+) of (\d+)", description(view))
    wanted = p.diary.days[int(m.group(1)) - 1:int(m.group(2))] if m else None

    def is_row(a):
        return role(a) in ROW_ROLES and DAY_KEY.match(name(a))

    rows = p.wait('the day rows (role %s, named like "Mmm./dd/yyyy: ... over ...")' % " or ".join(ROW_ROLES),
                  lambda: first(r for r in [find_all(p.frame, is_row)] if len(r) >= (len(wanted) if wanted else 1)),
                  lambda: "rows: %s; under the list view, for a start: %s" % (
                      shows(find_all(p.frame, is_row)), shows(find_all(view or p.frame, lambda a: role(a) == "label")[:12])))
    keys = [DAY_KEY.match(name(r)).group(0) for r in rows]
    expected = [day_key(d) for d in (wanted or p.diary.days)]
    p.expect(keys == expected if wanted else len(set(keys)) == len(keys) and set(keys) <= set(expected),
             "the rows are for %s, not %s" % (keys, expected))
    values = {"S", "D", "P", "SYS", "DIA", "PUL"}
    for r, key in zip(rows, keys):
        p.saw("row: %s" % show(r))
        for sys_, dia, pul, at in p.diary.readings.get(date_of_key(key), []):
            values |= {str(sys_), str(dia), str(pul)}
            p.expect("%d over %d" % (sys_, dia) in name(r),
                     'the row for %s does not read "%d over %d": "%s"' % (key, sys_, dia, name(r)))
        p.expect("focusable" in states(r), "the row for %s is not FOCUSABLE" % key)
        inner = find_all(r, lambda a: a is not r and role(a) == "label")
        p.expect(not inner, "the row for %s has showing labels under it: %s" % (key, shows(inner[:8])))
    loose = find_all(p.frame, lambda a: role(a) == "label" and name(a).strip() in values)
    p.expect(not loose, "the rows' loose labels are showing on their own: %s" % shows(loose[:10]) +
             (" (and %d more)" % (len(loose) - 10) if len(loose) > 10 else ""))
    key = DAY_KEY.match(name(p.tab_to("a day row", is_row))).group(0)
    p.saw("Tab reached the row of %s" % key)
    p.enter_opens_day(key)

def point_trend_graph(p):
    """The Trend graph: described by its figures; focusable; Left and Right move a day cursor that it names; Enter
    opens that day."""
    for caption in ("List", "Trend"):
        press("ctrl+Tab")
        p.wait_front(caption)
    graph = p.find(lambda a: "graph" in name(a).lower() and role(a) not in ("label", "push button"))
    if graph is None:
        raise PointFailed('no showing object named like "... graph" on the Trend page')
    p.saw("graph: %s" % show(graph))
    p.expect(role(graph) in ("image", "chart", "canvas", "diagram", "animation"), 'the graph\'s role is "%s"' % role(graph))
    d, today = description(graph), p.diary.today
    window = [r for day in p.diary.days if (day.year, day.month) == (today.year, today.month) for r in p.diary.readings[day]]
    missing = [w for w in ("mean", "lowest", "highest", "SYS", "DIA", "pulse") if w.lower() not in d.lower()]
    p.expect(not missing, "the description lacks the words %s" % ", ".join(missing))
    figures = {"count of readings": len(window), "mean SYS": 130, "mean DIA": 85, "mean pulse": 70,
               "lowest SYS": min(r[0] for r in window), "highest SYS": max(r[0] for r in window),
               "lowest DIA": min(r[1] for r in window), "highest DIA": max(r[1] for r in window)}
    missing = ["%s %d" % (what, value) for what, value in figures.items() if not has_number(value, d)]
    p.expect(not missing, "the description lacks the figures: %s" % ", ".join(missing))
    p.expect("focusable" in states(graph), "the graph is not FOCUSABLE")
    p.tab_to("the graph", lambda f: f == graph)
    p.saw("Tab reached the graph")

    def said():
        return name(graph) + " | " + description(graph)

    def move(key, when):
        before = said()
        press(key)
        after = p.wait("%s on the graph to change its name or description" % key,
                       lambda: first(s for s in [said()] if s != before), said)
        p.saw("%s: %s" % (when, after))
        return after

    # The cursor starts on the latest day; on the first of the month there is no day before it in
    # the window, so the moves go the other way.
    key1, key2 = ("Right", "Left") if today.day == 1 else ("Left", "Right")
    t1, t2 = move(key1, "after " + key1), move(key2, "after " + key2)
    # The day named after the second move and not after the first is the cursor's, one step on.
    new, old = keys_in(t2) - keys_in(t1), keys_in(t1) - keys_in(t2)
    if len(new) == 1:
        day = date_of_key(new.pop()) - (ONE_DAY if key2 == "Right" else -ONE_DAY)
    elif len(old) == 1:
        day = date_of_key(old.pop())
    else:
        raise PointFailed("%s and %s do not name one day that moves by one: the day keys after %s %s, after %s %s" %
                          (key1, key2, key1, sorted(keys_in(t1)), key2, sorted(keys_in(t2))))
    p.expect(day_key(day) in move(key1, key1 + " again"), "after %s again the graph does not name %s" % (key1, day_key(day)))
    p.enter_opens_day(day_key(day))

def point_validation(p):
    """After the message about a value out of range, the focus is on the faulty box, which carries the message as
    its description until a valid value leaves it."""
    box = p.tab_to('the "Reading 1, SYS" box', lambda f: role(f) in TEXT_ROLES and name(f) == "Reading 1, SYS")
    plain, message = description(box), "Range of SYS is 0 to 250."
    p.saw("SYS box: %s" % show(box))

    def enter(value):
        press("ctrl+a")
        subprocess.run(["xdotool", "type", "--delay", "40", "--", value], check=True)
        press("Tab")

    enter("300")
    alert = p.wait_window("a message box after 300 in SYS and Tab", lambda t: role(t) in ("alert", "dialog"))
    said = " / ".join(name(a) or text(a) for a in walk(alert) if role(a) == "label" and (name(a) or text(a)))
    p.saw("message box: %s; it says: %s" % (show(alert), said))
    p.expect(message in said, 'the message box does not say "%s"' % message)
    p.activate(alert)
    press("Return")
    p.wait_gone("the message box to close", alert)
    p.activate(p.frame)
    f = p.wait_focus('the focus on the "Reading 1, SYS" box', lambda f: f == box)
    p.saw("after the message: the focus is on %s" % show(f))
    p.expect(message in description(box), "the SYS box's description does not hold the message: %s" % show(box))
    enter("128")
    p.wait("the SYS box's description to lose the message after 128 and Tab",
           lambda: "Range of" not in description(box), lambda: show(box))
    p.saw('128, Tab: %s (before the fault: "%s")' % (show(box), plain))

def point_report_dialog(p):
    """The report dialog: the period choice labelled "Period", the preview described with the report's figures."""
    press("alt+r")
    # The letter goes to the menu only once the menu is open.
    p.wait("the Readings menu to open after Alt+R",
           lambda: any(role(a) in ("popup menu", "menu") and "showing" in states(a)
                       for a in children(p.app) + [m for t in p.top_levels() for m in walk(t)]))
    press("d")
    dlg = p.wait_window("the report dialog after Alt+R, D", lambda t: role(t) in ("dialog", "frame"))
    p.saw("dialog: %s" % show(dlg))
    combos = p.wait("combo boxes in the dialog", lambda: find_all(dlg, lambda a: role(a) == "combo box"))
    labels = [(c, safe(lambda: [name(r.getTarget(i)) for r in c.getRelationSet() for i in range(r.getNTargets())
                                if r.getRelationType() == pyatspi.RELATION_LABELLED_BY], [])) for c in combos]
    for c, by in labels:
        p.saw("combo box: %s, labelled by %s" % (show(c), by))
    p.expect(any(name(c) == "Period" or "Period" in [n.rstrip(":").strip() for n in by] for c, by in labels),
             'no combo box named "Period" or labelled by "Period"')

    def preview_said():
        preview = find_all(dlg, lambda a: "preview" in name(a).lower())
        return preview, " | ".join(w for a in preview[:1] for b in walk(a) for w in (name(b), description(b), text(b)) if w)

    preview, said = p.wait('the preview to say "Home blood pressure report"',
                           lambda: first(x for x in [preview_said()] if "Home blood pressure report" in x[1]),
                           lambda: preview_said()[1] or 'no object named like "Preview ..."')
    p.saw("preview: %s; it says: %s" % (show(preview[0]), said))
    readings = sum(len(v) for v in p.diary.readings.values())
    for what, value in (("readings counted", readings), ("mean SYS", 130), ("mean DIA", 85)):
        p.expect(has_number(value, said), "the preview does not give the %s, %d" % (what, value))

def screen_region(box):
    """The screen's pixels in box (x, y, w, h) as rows of raw samples, from xwd and xwdtopnm."""
    xwd = subprocess.run(["xwd", "-silent", "-root"], capture_output=True, check=True).stdout
    ppm = subprocess.run(["xwdtopnm"], input=xwd, capture_output=True, check=True).stdout
    m = re.match(rb"P6\s+(\d+)\s+\d+\s+(\d+)\s", ppm)
    if m is None:
        raise PointFailed("xwdtopnm gave an image of another form: %r" % ppm[:20])
    width, size = int(m.group(1)), 3 if int(m.group(2)) < 256 else 6
    x, y, w, h = box
    at = [[m.end() + size * (width * row + col) for col in range(x, x + w)] for row in range(y, y + h)]
    return [[ppm[i:i + size] for i in row] for row in at]

def point_focus_ring(p):
    """The focus ring on an image button: its pixels change on all four sides when Tab gives it the focus."""
    for tool in ("xwd", "xwdtopnm"):
        if shutil.which(tool) is None:
            raise PointSkipped("%s is not installed (Debian packages x11-apps, netpbm)" % tool)
    button = p.find(is_button(r"next day"))
    if button is None:
        raise PointFailed("no Next day button")
    ex = safe(lambda: button.queryComponent().getExtents(pyatspi.DESKTOP_COORDS), None)
    if ex is None or ex.width <= 0 or ex.height <= 0:
        raise PointFailed("the Next day button has no extents on the bus")
    margin, band = 4, 10
    box = (max(0, ex.x - margin), max(0, ex.y - margin), ex.width + 2 * margin, ex.height + 2 * margin)
    p.saw("Next day button at %s" % ((ex.x, ex.y, ex.width, ex.height),))
    p.expect(p.focused() != button, "the button has the focus from the start")
    before = screen_region(box)
    p.tab_to("the Next day button", lambda f: f == button)
    diff = p.wait("the button's pixels to change when it takes the focus",
                  lambda: [(c, r) for r, (a, b) in enumerate(zip(before, screen_region(box)))
                           for c in range(len(a)) if a[c] != b[c]])
    bw, bh = box[2], box[3]
    sides = {"left": sum(1 for c, r in diff if c < band), "right": sum(1 for c, r in diff if c >= bw - band),
             "top": sum(1 for c, r in diff if r < band), "bottom": sum(1 for c, r in diff if r >= bh - band)}
    inside = sum(1 for c, r in diff if band <= c < bw - band and band <= r < bh - band)
    inner_area = max(1, (bw - 2 * band) * (bh - 2 * band))
    p.saw("changed pixels: %d; near each side: %s; inside: %d of %d" % (len(diff), sides, inside, inner_area))
    for side, n in sides.items():
        long_side = bh if side in ("left", "right") else bw
        p.expect(n >= long_side // 3, "few pixels change near the %s side (%d): no ring around the button" % (side, n))
    p.expect(inside * 10 < inner_area, "the button's face changes as a whole, not a ring at its edge")

def point_help_window(p):
    """F1 opens the help window, which becomes active; Escape closes it; so does Ctrl+W."""
    for close_key in ("Escape", "ctrl+w"):
        p.activate(p.frame)
        press("F1")
        frame = p.wait_window("a help window after F1", lambda t: "Help" in name(t))
        p.saw("F1: %s" % show(frame))
        p.expect(name(frame) == "Tonolog Help", 'the help window is titled "%s"' % name(frame))
        p.expect(role(frame) in ("frame", "window", "dialog"),
                 'the help window\'s role is "%s", not a window\'s ("frame")' % role(frame))
        with p.soft():
            p.wait("the help window to become ACTIVE", lambda: "active" in states(frame), lambda: show(frame))
        p.activate(frame)
        press(close_key)
        p.wait_gone("%s to close the help window" % close_key, frame)
        p.saw("%s closed it" % close_key)

POINTS = [(1, "page tabs", point_page_tabs), (2, "menu names", point_menu_names),
          (3, "image buttons by keyboard", point_image_buttons), (4, "the date box's calendar", point_date_box),
          (5, "List page rows", point_list_rows), (6, "Trend graph", point_trend_graph),
          (7, "validation message and the faulty box", point_validation), (8, "report dialog", point_report_dialog),
          (9, "focus ring", point_focus_ring), (10, "help window", point_help_window)]

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
    diary, results = Diary(), []
    for number, title, check in (point for point in POINTS if point[0] in chosen):
        log("--- point %d: %s" % (number, title))
        p, outcome = Run(args.app, args.dir, number, diary), "PASS"
        try:
            p.start()
            check(p)
        except PointFailed as e:
            p.failures.append(str(e))
        except PointSkipped as e:
            outcome, p.failures = "SKIP", []
            p.saw(str(e))
        except Exception as e:
            p.failures.append("the check itself failed: %s\n%s" % (e, traceback.format_exc()))
        finally:
            p.stop()
        outcome = "FAIL" if p.failures else outcome
        for line in ["    seen: " + s for s in p.seen] + ["    FAIL: " + f for f in p.failures]:
            log(line)
        if p.proc is not None and p.proc.returncode not in (0, None):
            log("    (the program ended with exit code %s)" % p.proc.returncode)
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
