# Reads the running game through the accessibility bus as a screen reader would (its tree, and
# the focus and name events it hears), and drives it with real X key events (xdotool): the
# player menu, a round's countdown, the pen over the board, a piece's marks, the focus after a
# judged move, the explanation's steps. Prints "ok - ..." or "FAIL - ..." per check; exits 1
# when any check failed.
#   /usr/bin/python3 a11y_reader.py GAME_PID
import ctypes
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failed = False


def check(what, good):
    global failed
    print(("ok - " if good else "FAIL - ") + what, flush=True)
    failed = failed or not good


def keys(*names):
    if names:
        subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def game():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == int(sys.argv[1]):
            return app
    return None


def find(test):
    app = game()
    return next((n for n in walk(app) if test(n)), None) if app else None


def wait_for(test, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = find(test)
        except Exception:  # objects may go while the tree is read
            found = None
        if found is not None:
            return found
        time.sleep(0.3)
    return None


heard = []


def on_focus(event):
    if event.detail1 == 1:
        heard.append(event.source)


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")

named = []


def on_name(event):
    try:
        named.append(event.source.name)
    except Exception:  # gone meanwhile
        pass


pyatspi.Registry.registerEventListener(on_name, "object:property-change:accessible-name")


def heard_names(seconds):
    """The names announced as changed within the time."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.1)
    said, named[:] = list(named), []
    return said


def heard_focus(test, seconds=10):
    """The first object heard taking the focus that passes the test, as events arrive."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        for node in heard:
            try:
                if test(node):
                    return node
            except Exception:  # gone meanwhile
                pass
        heard.clear()
        time.sleep(0.1)
    return None


def in_dialog(n):
    while n is not None and n.getRoleName() != "dialog":
        n = n.parent
    return n is not None


def focused(n):
    return n.getState().contains(pyatspi.STATE_FOCUSED)


def pointer_shape():
    """The name of the X cursor shown now: "left_ptr" for the arrow, "" for a picture."""
    x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
    xfixes = ctypes.cdll.LoadLibrary("libXfixes.so.3")

    class CursorImage(ctypes.Structure):
        _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                    ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort),
                    ("yhot", ctypes.c_ushort), ("serial", ctypes.c_ulong),
                    ("pixels", ctypes.c_void_p), ("atom", ctypes.c_ulong),
                    ("name", ctypes.c_char_p)]

    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    name = xfixes.XFixesGetCursorImage(display).contents.name or b""
    return name.decode()


# The pointer rests over the board, still disabled, while the round is started by keys.
board = wait_for(lambda n: n.getRoleName() == "table")
if board is not None:
    box = board.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width * 3 // 4),
                    str(box.y + box.height // 2)], check=True)

# The player dialog opens first; its first focus is the main button, which Space presses.
start = wait_for(lambda n: focused(n) and n.getRoleName() == "push button" and in_dialog(n))
check("the player dialog's first focus is its main button (%s)" % (start.name if start else None),
      start is not None and any(w in start.name for w in ("continue", "start", "select user")))
if start is not None and "select user" in start.name:
    # No player chosen yet: the menu opens under the button; its last item is the player.
    # A popup menu is no child of the application in the tree: a reader hears of its items
    # as they take the focus.
    keys("space")
    time.sleep(1)  # the menu opens without an active item; Up then takes the last one
    keys("Up")
    item = heard_focus(lambda n: n.getRoleName() == "menu item", 10)
    check("the menu's item is announced as it takes the focus (%s)" % (item.name if item else None),
          item is not None and item.name == "Tabibito")
    keys("Return")
    wait_for(lambda n: n.getRoleName() == "push button" and "start" in n.name and
             n.getState().contains(pyatspi.STATE_ENABLED), 10)
    keys("Return")
else:
    keys("space")

# The round: the board's cells, the cursor's cell focused at once.
cursor = wait_for(lambda n: n.getRoleName() == "table cell" and focused(n))
if cursor is None:  # what the reader sees instead
    app = game()
    for n in walk(app):
        if n.getRoleName() in ("frame", "dialog", "alert", "push button", "menu item") or focused(n):
            print("  seen: %s %r focused=%s" % (n.getRoleName(), n.name, focused(n)))
check("the cursor's cell has the focus as the round starts (%s)" % (cursor.name if cursor else None),
      cursor is not None and cursor.name.endswith("empty"))

time.sleep(0.5)
check("the pen shows over the board at once (%r)" % pointer_shape(),
      board is not None and pointer_shape() != "left_ptr")

clock = find(lambda n: n.name == "残り時間 time left")
text = clock.queryText().getText(0, -1) if clock else ""
value = clock.queryValue().currentValue if clock else -1
parts = [int(p) for p in text.split(":")] if text.replace(":", "").isdigit() else []
seconds = sum(p * 60 ** i for i, p in enumerate(reversed(parts)))
check("the countdown reads %r, %s seconds" % (text, value),
      bool(parts) and abs(seconds - value) <= 1 and value > 0)

# Space on a piece: walk the cursor to the first cell with a digit, then read the marks.
table = cursor.parent
cells = [table.getChildAtIndex(i) for i in range(81)]
names = [c.name for c in cells]
at = names.index(cursor.name)
piece = next(i for i in range(81) if not names[i].endswith("empty"))
keys(*(["Right"] * ((piece - at) % 9 if piece % 9 >= at % 9 else 9 - (at % 9 - piece % 9))))
keys(*(["Down"] * ((piece // 9 - at // 9) % 9)))
keys("space")
marked = wait_for(lambda n: n.getRoleName() == "table cell" and ", marks " in n.name, 10)
check("a marked cell says so (%s)" % (marked.name if marked else None), marked is not None)
digit = names[piece].split(": ")[1].split(" ")[0]
check("its marks name the piece's digit %s" % digit,
      marked is not None and digit in marked.name.split(", marks ")[1].split())

# A move the rule takes, from the piece's cell: onto an empty cell, a digit not yet in its row,
# column or box.
empty = next(i for i in range(81) if names[i].endswith("empty"))
keys(*(["Right"] * ((empty % 9 - piece % 9) % 9)), *(["Down"] * ((empty // 9 - piece // 9) % 9)))
col, row = empty % 9, empty // 9
seen = set()
for i in range(81):
    c, r = i % 9, i // 9
    if c == col or r == row or (c // 3 == col // 3 and r // 3 == row // 3):
        v = names[i].split(": ")[1].split(" ")[0]
        if v.isdigit():
            seen.add(int(v))
stacks = [table.getChildAtIndex(81 + d - 1).name for d in range(1, 10)]
play = next(d for d in range(1, 10) if d not in seen and not stacks[d - 1].startswith("%d, 0 " % d))
keys(str(play))

# A wrong move says so in a message box first; Return closes it.
def after_move(n):
    return focused(n) and n.getRoleName() == "push button" and n.name != ""


def offer_button(n):
    return after_move(n) and ("why" in n.name or "continue" in n.name.lower()) \
        and n.description != ""


end = time.monotonic() + 20
button = None
while time.monotonic() < end and button is None:
    button = wait_for(offer_button, 1)
    if button is None and wait_for(lambda n: n.getRoleName() in ("alert", "dialog") and
                                   n.getState().contains(pyatspi.STATE_ACTIVE), 1):
        keys("Return")
check("after the judged move the focus is on a named button (%s)" % (button.name if button else None),
      button is not None)
check("which says the verdict (%s)" % (button.description if button else None),
      button is not None and any(w in button.description for w in ("正解", "不正解", "時間切れ")))

# The explanation, step by step: each step's sentence is announced as it is shown.
if button is not None and "why" in button.name:
    heard_names(0.5)
    keys("space")
    first = [n for n in heard_names(2) if "." in n]
    check("the explanation's first step is announced (%s)" % (first[-1] if first else None),
          bool(first))
    if first and "step 1 of 1 " not in first[-1]:
        keys("Next")
        second = [n for n in heard_names(2) if "." in n]
        check("and the next step as it is shown (%s)" % (second[-1] if second else None),
              bool(second) and second[-1] != first[-1])
sys.exit(1 if failed else 0)
