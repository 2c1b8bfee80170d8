"""The four windows as the GTK program shows them, against their tables: title, client size,
kind of window, and every control's text, place, size, tool tip and accessible name."""

import re
import unittest

import driver as d

TABLES = d.tables()
FORMS = TABLES["forms"]
DPI = 96

# How a screen reader meets each kind of control.
ROLES = {
    "button": "push button",
    "check box": "check box",
    "text box": "text",
    "label": "label",
    "link": "link",
    "frame": "panel",
    "picture": "icon",
    "movie": None,  # any role: a drawing of the program's own
}

# A number box is spoken by the caption beside it (or, in the Settings window, above it).
NAMED_BY = {
    ("Form1", "Text1"): "Label2",
    ("Form1", "Text2"): "Label4",
    ("Form1", "Text3"): "Label5",
    ("Form1", "Text4"): "Label6",
    ("Form1", "Text5"): "Label7",
    ("Form4", "Text1"): "Label1",
}

# The main window's button that shows each window; None for the main window itself.
OPENERS = {"Form1": None, "Form3": "Command3", "Form2": "Command4", "Form4": "Command2"}


def px(twips):
    """Twips to pixels, halves away from zero, as the program rounds."""
    value = twips * DPI / 1440
    return int(value + 0.5) if value >= 0 else -int(-value + 0.5)


def plain(caption):
    """A caption as it reads: the '&' that marks the access key dropped."""
    return re.sub(r"&(.)", r"\1", caption)


def control(form, name):
    return next(c for c in FORMS[form]["controls"] if c["name"] == name)


def expected_rect(form, c):
    """The control's rectangle in the client area, in pixels."""
    left, top, width, height = c["rect"]
    if c["parent"]:
        frame = control(form, c["parent"])
        left += frame["rect"][0]
        top += frame["rect"][1]
    return (px(left), px(top), px(width), px(height))


def expected_name(form, c):
    kind = c["kind"]
    if kind == "text box":
        return control(form, NAMED_BY[(form, c["name"])])["text"]
    if kind in ("button", "check box", "frame", "label", "link"):
        return plain(c["text"])
    return None


def near(a, b, tolerance=1):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def open_form(p, form):
    opener = OPENERS[form]
    if opener is not None:
        d.click(d.find(p.main, "push button", plain(control("Form1", opener)["text"])))
    return p.window(FORMS[form]["caption"])


def locate(window, origin, form, c):
    """The accessible object of a table row: by its role and place, or, when it is not where the
    table puts it, by its role and name, so that the rest is still checked."""
    role = ROLES[c["kind"]]
    name = expected_name(form, c)
    rect = expected_rect(form, c)

    def matches_role(a):
        return role is None or d.role(a) == role

    def place(a):
        x, y, w, h = d.extents(a)
        return (x - origin[0], y - origin[1], w, h)

    candidates = d.descendants(window, matches_role)
    by_place = [a for a in candidates if near(place(a), rect)]
    if len(by_place) == 1:
        return by_place[0]
    by_name = [a for a in candidates if name is not None and d.name(a) == name]
    return by_name[0] if len(by_name) == 1 else None


class Windows(unittest.TestCase):
    def test_each_window_is_drawn_from_its_table(self):
        for form in ("Form1", "Form3", "Form2", "Form4"):
            table = FORMS[form]
            with self.subTest(form=form), d.Program() as p:
                window = open_form(p, form)
                caption = table["caption"]
                self.assertEqual(d.name(window), caption)
                xid = p.xid(caption)
                x, y, width, height = d.x_geometry(xid)
                self.assertEqual((width, height),
                                 (px(table["client_width"]), px(table["client_height"])),
                                 "client size")
                # Centred on the 1280 x 1024 screen when it is first shown.
                self.assertTrue(near((x + width // 2, y + height // 2), (640, 512)),
                                f"centre of {form} at {(x + width // 2, y + height // 2)}")
                self.check_window_kind(form, d.x_properties(xid), (width, height))
                d.screenshot(form)
                for c in table["controls"]:
                    with self.subTest(form=form, control=c["name"]):
                        self.check_control(window, (x, y), form, c)

    def check_window_kind(self, form, props, size):
        tool = FORMS[form]["border"] == "fixed tool"
        kind = re.search(r"_NET_WM_WINDOW_TYPE\(ATOM\) = (\w+)", props)
        self.assertEqual(kind and kind.group(1),
                         "_NET_WM_WINDOW_TYPE_UTILITY" if tool else "_NET_WM_WINDOW_TYPE_NORMAL")
        state = re.search(r"_NET_WM_STATE\(ATOM\) = (.*)", props)
        self.assertEqual("_NET_WM_STATE_SKIP_TASKBAR" in (state.group(1) if state else ""), tool,
                         "taskbar entry only for the main window")
        self.assertEqual("_NET_WM_ICON(CARDINAL)" in props, not tool, "icon only on the main window")
        # Not resizable: the smallest and the largest size are the client size.
        for bound in ("minimum", "maximum"):
            found = re.search(rf"program specified {bound} size: (\d+) by (\d+)", props)
            self.assertEqual(found and (int(found.group(1)), int(found.group(2))), size, bound)
        # No close box: the window manager's functions leave out close (Motif hints: flags,
        # functions; with the 'all' bit the listed functions are the ones taken away).
        motif = re.search(r"_MOTIF_WM_HINTS\(_MOTIF_WM_HINTS\) = (0x\w+), (0x\w+)", props)
        self.assertIsNotNone(motif, "no window manager hints")
        flags, functions = int(motif.group(1), 16), int(motif.group(2), 16)
        close = 0x20
        self.assertTrue(flags & 1, "the hints say nothing of the functions")
        closable = not functions & close if functions & 1 else bool(functions & close)
        self.assertFalse(closable, "the window manager may offer a close box")

    def check_control(self, window, origin, form, c):
        acc = locate(window, origin, form, c)
        self.assertIsNotNone(acc, f"no {ROLES[c['kind']]} for {c['name']}; the window holds:\n"
                                  f"{d.describe_tree(window)}")
        x, y, w, h = d.extents(acc)
        place = (x - origin[0], y - origin[1], w, h)
        self.assertTrue(near(place, expected_rect(form, c)),
                        f"place and size {place}, expected {expected_rect(form, c)}")
        if c["kind"] == "text box":
            self.assertEqual(d.text(acc), c["text"], "text")
        elif c["kind"] in ("label", "link"):
            self.assertEqual(d.text(acc), c["text"], "text")
        self.assertEqual(d.description(acc), c["tooltip"], "tool tip (description)")
        name = expected_name(form, c)
        if name is not None:
            self.assertEqual(d.name(acc), name, "accessible name")
        elif c["kind"] == "movie":
            self.assertNotEqual(d.name(acc), "", "accessible name")

    def test_tool_tips_pop_up(self):
        """The tool tip a user sees, not only the one told to screen readers: one control of
        each kind that has one."""
        cases = [("Form1", ["Label2", "Text1", "Check1", "Check14", "Command1"]),
                 ("Form4", ["Text1", "Command1"])]
        for form, names in cases:
            with d.Program() as p:
                window = open_form(p, form)
                origin = p.client_area(FORMS[form]["caption"])[:2]
                for name in names:
                    with self.subTest(form=form, control=name):
                        acc = locate(window, origin, form, control(form, name))
                        self.assertIsNotNone(acc)
                        self.assertTrue(p.hover_shows_tool_tip(acc), "no tool tip showed")


if __name__ == "__main__":
    unittest.main()
