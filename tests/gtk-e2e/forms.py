"""The window tables as the tests read them: captions as they read, and how to find a control's
accessible object."""

import re

import driver as d

TABLES = d.TABLES
FORMS = TABLES["forms"]

# A number box is spoken by the caption beside it (or, in the Settings window, above it).
NAMED_BY = {"Form1": {"Text1": "Label2", "Text2": "Label4", "Text3": "Label5", "Text4": "Label6",
                      "Text5": "Label7"},
            "Form4": {"Text1": "Label1"}}

# The main window's button that shows each window; None for the main window itself.
OPENERS = {"Form1": None, "Form3": "Command3", "Form2": "Command4", "Form4": "Command2"}


def caption(form):
    return FORMS[form]["caption"]


def control(form, name):
    return next(c for c in FORMS[form]["controls"] if c["name"] == name)


def expected_name(form, c):
    if c["role"] == "text":
        return control(form, NAMED_BY[form][c["name"]])["text"]
    if c["role"] in ("push button", "check box", "panel", "label", "link"):
        return re.sub(r"&(.)", r"\1", c["text"])  # as it reads: the access key's '&' dropped
    return None


def near(a, b, tolerance=1):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def place(acc, origin):
    """The object's place and size in the client area whose screen origin is given."""
    x, y, w, h = d.extents(acc)
    return (x - origin[0], y - origin[1], w, h)


def locate(window, origin, form, c):
    """The accessible object of a table row: by its role and place, or, when it is not where the
    table puts it, by its role and name, so that the rest is still checked."""
    name = expected_name(form, c)
    candidates = d.descendants(window, lambda a: d.role(a) == c["role"])
    by_place = [a for a in candidates if near(place(a, origin), c["rect"])]
    if len(by_place) == 1:
        return by_place[0]
    by_name = [a for a in candidates if name is not None and d.name(a) == name]
    return by_name[0] if len(by_name) == 1 else None


def find_control(p, form, name):
    """The accessible object of the control named in the table, in the form that shows."""
    window = p.window(caption(form))
    origin = d.x_geometry(p.xid(caption(form)))[:2]
    return d.wait_for(lambda: locate(window, origin, form, control(form, name)), f"{form}.{name}",
                      seen=lambda: d.tree(window))


def press(p, form, name):
    """A mouse click on the control's centre."""
    d.click(find_control(p, form, name))


def open_form(p, form):
    """Shows the window from the main window, as the user does, and gives it once it shows."""
    if OPENERS[form] is not None:
        press(p, "Form1", OPENERS[form])
    return p.window(caption(form))
