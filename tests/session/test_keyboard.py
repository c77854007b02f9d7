# Every dialog with the keyboard alone: Tab walks its controls in reading
# order and the focus never vanishes; every control has a name to read out.
import pytest

from desktop import LISTS, descendants, extents, focused, states, wait, walk

DIALOGS = {  # how a person opens it, and its help topic
    "file dialog": ("j3pick", ["--save", "--up", "--down"], [], "J3Dialoge.chm - hDBFileDialog.htm"),
    "desk": ("j3praxis", [], [], "j3praxis.chm - hJ3PraxisDesk.htm"),
    "favourites": ("j3praxis", ["--programme"], [("click", "page tab", "Alle")], "j3praxis.chm - hJ3PraxisDesk.htm"),
    "patient choice": ("j3praxis", [], [("type", "oz"), ("key", "Tab"), ("see", "dialog", "Patientenwahl")],
                       "j3patwahl.chm - hDiaPatWahl.htm"),
    "marker configuration": ("j3praxis", [], [("click", "push button", "Karteireiter konfigurieren …"),
                                              ("see", "dialog", "Karteireiter konfigurieren")],
                             "J3Dialoge.chm - hDiaIndexMarkerConfig.htm"),
    "merge": ("j3praxis", ["--pat", "1"], [("click", "push button", "Patienten zusammenführen …"),
                                           ("see", "dialog", "Patienten zusammenführen")], "j3praxis.chm - hDiaPatJoin.htm"),
}
# Roles whose elements show information even when they take no focus.
SHOWING_INFORMATION = LISTS | {"page tab list", "image", "progress bar"}


# after comes later in reading order: right of it in the same row, below
# it, or in a column further right.
def forward(before, after):
    (bx, by, bw, bh), (ax, ay, _, ah) = before, after
    same_row = abs(ay - by) < min(bh, ah) / 2
    return (ax > bx if same_row else ay > by) or ax >= bx + bw


def label(element):
    return f"{element.getRoleName()} {element.name!r}"


@pytest.fixture(params=DIALOGS.values(), ids=DIALOGS.keys())
def dialog(request, desktop, start):
    program, args, steps, topic = request.param
    shown = start(program, *args)
    shown.topic = topic
    walk(desktop, shown, [("see", "push button", "OK"), *steps])
    return shown


def test_tab_follows_the_reading_order_and_keeps_the_focus(desktop, dialog):
    window, seen = dialog.window(), []
    for _ in range(30):
        walk(desktop, dialog, [("key", "Tab")])
        now = focused(window)
        assert now is not None, f"the focus vanished after {[name for name, _ in seen]}"
        if (label(now), extents(now)) in seen[:1]:  # round: the one step back is from the last to the first
            break
        seen.append((label(now), extents(now)))
    steps = zip(seen, seen[1:] + seen[:1] if len(seen) < 30 else seen[1:])
    backwards = [f"{a} -> {b}" for (a, at), (b, bt) in steps if not forward(at, bt)]
    assert len(backwards) <= (len(seen) < 30), "\n".join(backwards)


def test_every_control_has_a_name(dialog):
    nameless = [label(e) + f" at {extents(e)[:2]}" for e in descendants(dialog.window(), cells=False)
                if not e.name and ("focusable" in states(e) or e.getRoleName() in SHOWING_INFORMATION)]
    assert not nameless, "without a name:\n" + "\n".join(nameless)


def test_f1_opens_the_help_topic_of_the_dialog(desktop, dialog):
    walk(desktop, dialog, [("key", "F1")])
    wait(lambda: any(window.name == "J3: " + dialog.topic for window in dialog.app), "the help on " + dialog.topic)
