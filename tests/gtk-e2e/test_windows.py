"""The four windows as the GTK program shows them, against their tables: title, client size,
kind of window, every control's text, place, size, tool tip and accessible name, the tool tips
that pop up and the pointers."""

import re
import unittest

import driver as d

from forms import FORMS, TABLES, control, expected_name, locate, near, open_form, place

# The tool tip a user sees, not only the one told to screen readers: one control of each kind
# that has one.
TOOL_TIPS = {"Form1": ["Label2", "Text1", "Check1", "Check14", "Command1"],
             "Form4": ["Text1", "Command1"]}


class Windows(unittest.TestCase):
    def test_each_window_is_drawn_from_its_table(self):
        for form, table in FORMS.items():
            with self.subTest(form=form), d.Program() as p:
                window = open_form(p, form)
                self.assertEqual(d.name(window), table["caption"])
                xid = p.xid(table["caption"])
                x, y, width, height = d.x_geometry(xid)
                self.assertEqual([width, height], table["client_size"], "client size")
                # Centred on the 1280 x 1024 screen when it is first shown, title bar and all.
                fx, fy, fw, fh = d.x_frame(xid)
                self.assertTrue(near((fx + fw // 2, fy + fh // 2), (640, 512)),
                                f"centre of {form} at {(fx + fw // 2, fy + fh // 2)}")
                self.check_window_kind(form, d.run("xprop", "-id", xid).stdout, (width, height))
                for c in table["controls"]:
                    with self.subTest(form=form, control=c["name"]):
                        self.check_control(window, (x, y), form, c)
                for name in TOOL_TIPS.get(form, []):
                    with self.subTest(form=form, tool_tip=name):
                        # Rested near its left edge (a wide check box lies partly under its
                        # neighbour). GTK does not put tool tip windows on the accessibility
                        # bus: their text is read above as the control's description.
                        d.move_to(1279, 1023)
                        d.wait_for(lambda: not p.popups(), "the last tool tip to go")
                        cx, cy, cw, ch = d.extents(locate(window, (x, y), form,
                                                          control(form, name)))
                        d.move_to(cx + min(8, cw // 2), cy + ch // 2)
                        d.wait_for(p.popups, "a tool tip to pop up", patience=3)
                self.check_pointers(form, (x, y, width, height))

    def check_window_kind(self, form, props, size):
        tool = FORMS[form]["tool"]
        kind = re.search(r"_NET_WM_WINDOW_TYPE\(ATOM\) = (\w+)", props)
        self.assertEqual(kind and kind.group(1),
                         "_NET_WM_WINDOW_TYPE_UTILITY" if tool else "_NET_WM_WINDOW_TYPE_NORMAL")
        self.assertEqual("_NET_WM_STATE_SKIP_TASKBAR" in props, tool,
                         "taskbar entry only for the main window")
        self.assertEqual("_NET_WM_ICON(CARDINAL)" in props, not tool,
                         "an icon on the main window only")
        # Not resizable: the smallest and the largest size are the client size.
        for bound in ("minimum", "maximum"):
            found = re.search(rf"program specified {bound} size: (\d+) by (\d+)", props)
            self.assertEqual(found and (int(found.group(1)), int(found.group(2))), size, bound)
        # Only moved: the window manager offers no resizing, minimising, maximising or closing
        # (Motif hints: flags, functions, decorations; with the 'all' bit set, the bits listed
        # are the ones taken away).
        motif = re.search(r"_MOTIF_WM_HINTS\(_MOTIF_WM_HINTS\) = (0x\w+), (0x\w+), (0x\w+)", props)
        self.assertIsNotNone(motif, "no window manager hints")
        flags, functions, decorations = (int(motif.group(i), 16) for i in (1, 2, 3))
        self.assertTrue(flags & 1, "the hints say nothing of the functions")
        # Refused: resizing 0x2, minimising 0x8, maximising 0x10 and closing 0x20 among the
        # functions; the resize handles 0x4, the window menu 0x10, the minimise box 0x20 and the
        # maximise box 0x40 among the decorations, where the hints name them (flag 2).
        for named, bits, every, refused in ((True, functions, 0x3E, 0x3A),
                                            (flags & 2, decorations, 0x7E, 0x74)):
            granted = every & ~bits if bits & 1 else bits
            self.assertFalse(named and granted & refused, f"hints {motif.group(0)}")

    def check_control(self, window, origin, form, c):
        acc = locate(window, origin, form, c)
        self.assertIsNotNone(acc, f"no {c['role']} for {c['name']}; {d.tree(window)}")
        self.assertTrue(near(place(acc, origin), c["rect"]),
                        f"place and size {place(acc, origin)}, expected {c['rect']}")
        if c["role"] in ("text", "label", "link"):
            self.assertEqual(d.text(acc), c["text"], "text")
        if c["role"] in ("label", "link"):
            # What a screen reader reports of the text's look (GTK reports no font families).
            run = dict(a.split(":", 1) for a in acc.queryText().getAttributeRun(0, True)[0])
            self.assertEqual(run.get("underline"), "single" if c["underline"] else "none",
                             "underline")
            if c["colour"] is not None:
                rgb = [(c["colour"] >> shift & 0xFF) * 257 for shift in (16, 8, 0)]
                self.assertEqual(run.get("fg-color"), ",".join(map(str, rgb)), "text colour")
        self.assertEqual(acc.description or "", c["tooltip"], "tool tip (description)")
        name = TABLES["movie"] if c["role"] == "animation" else expected_name(form, c)
        if name is not None:
            self.assertEqual(d.name(acc), name, "accessible name")

    def check_pointers(self, form, client):
        """The artwork's cursors, with their hot spots, where the table gives them."""
        table = FORMS[form]
        x, y, width, height = client
        rects = [c["rect"] for c in table["controls"]]
        # The window's own surface: the first point, row by row, that no control covers.
        background = next((bx, by) for by in range(2, height, 4) for bx in range(2, width, 4)
                          if not any(r[0] <= bx < r[0] + r[2] and r[1] <= by < r[1] + r[3]
                                     for r in rects))
        # Near a control's top left corner, which no neighbour covers.
        places = [("background", background, table["cursor"])] + [
            (c["name"], (left + 3, top + 3), c["cursor"])
            for c, (left, top, _, _) in zip(table["controls"], rects)]
        pictures = {}  # cursor: its picture, as first seen

        def shows(cursor):
            """Whether the pointer has the cursor's size and hot spot, and its picture: the one
            seen before for it, or one that no other cursor had."""
            shape = d.pointer_shape()
            if shape[:4] != d.cursor_file(cursor):
                return False
            if cursor in pictures:
                return shape[4] == pictures[cursor]
            if shape[4] in pictures.values():
                return False
            pictures[cursor] = shape[4]
            return True

        for where, (px_, py_), cursor in places:
            if cursor == "default":
                continue
            with self.subTest(form=form, pointer=where):
                d.move_to(x + px_, y + py_)
                d.wait_for(lambda: shows(cursor), f"the {cursor} pointer {d.cursor_file(cursor)} "
                           "(or the picture of another)", patience=3,
                           seen=lambda: f"it is {d.pointer_shape()[:4]}")


if __name__ == "__main__":
    unittest.main()
