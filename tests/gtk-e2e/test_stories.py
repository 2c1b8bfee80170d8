"""What the GTK front end can get wrong, on the real program: values as typed and ticked, the file
dialog, the movie strip, the desktop's handlers, close requests from the window manager, the
keyboard and modality. What the windows do is the scenario tests' story."""

import gettext
import os
import re
import subprocess
import time
import unittest

import driver as d

from forms import FORMS, TABLES, control, expected_rect, find_control

BOXES = TABLES["boxes"]
DEFAULT_FILE = TABLES["default_settings_file"].encode("ascii")
GAME_FILE = "game/Data/svrcfg_skirmish.ini"
FOCUSABLE = ("button", "check box", "text box", "movie")


def gtk_label(mnemonic):
    """A stock button's caption as GTK shows it in this locale."""
    return gettext.dgettext("gtk30", mnemonic).replace("_", "")


YES, NO, OK, CANCEL = (gtk_label(m) for m in ("_Yes", "_No", "_OK", "_Cancel"))


# The icons of the message boxes, as GTK names them to a screen reader.
ICONS = {icon: gettext.dgettext("gtk30", icon.capitalize())
         for icon in ("question", "warning", "information")}


def box(key):
    """A message box of the program as (title, text, icon, buttons), buttons in GTK's order."""
    b = BOXES[key]
    return (b["title"], b["text"], ICONS[b["icon"]],
            [NO, YES] if b["buttons"] == "yes/no" else [OK])


def caption(form):
    return FORMS[form]["caption"]


def press(p, form, name):
    """A mouse click on the control's centre."""
    d.click(find_control(p, form, name))


def type_into(p, form, name, text):
    """Clicks into the box, clears it and types: Latin text key by key, Chinese as an input
    method gives it, a whole run at the caret."""
    p.focus(caption(form))
    box_acc = find_control(p, form, name)
    d.click(box_acc)
    d.key("ctrl+a")
    d.key("BackSpace")
    typed = ""
    for run in re.findall(r"[\x00-\x7f]+|[^\x00-\x7f]+", text):
        if run.isascii():
            d.type_text(run)
        else:
            # Keys and the accessibility bus are two roads: the keys must have arrived first.
            d.wait_for(lambda: d.text(box_acc) == typed, f"{form}.{name} to read {typed!r}")
            d.commit_text(box_acc, run)
        typed += run


def open_settings(p):
    press(p, "Form1", "Command2")
    p.gone(caption("Form1"))
    return p.window(caption("Form4"))


def wait_text(p, form, name, expected):
    acc = find_control(p, form, name)
    try:
        return d.wait_for(lambda: d.text(acc) == expected, f"{form}.{name} to read {expected!r}")
    except d.Timeout:
        raise AssertionError(f"{form}.{name} reads {d.text(acc)!r}, expected {expected!r}") \
            from None


class Generate(unittest.TestCase):
    def test_writes_the_values_as_typed_and_ticked(self):
        # box, typed, what the box takes (its maximum length refuses the rest), line in the file
        typed = [
            ("Text1", "9x7y", "9x7", "TimeLimitMinutes=9x7"),
            ("Text2", "ab", "a", "RadarMode=a"),
            ("Text3", " 4 5 6", " 4 5 ", "Port= 4 5 "),
            ("Text4", "", "", "MaxPlayers="),
            ("Text5", "六百万元整个", "六百万元整", "StartingCredits=六百万元整"),
        ]
        expected = DEFAULT_FILE.decode("ascii")
        for name, _, _, line in typed:
            key = line.split("=")[0] + "="
            start = expected.index(key)
            expected = expected[:start] + line + expected[expected.index("\r\n", start):]
        expected = expected.replace("IsDedicated=no", "IsDedicated=yes")
        expected = expected.replace("UseLagReduction=yes", "UseLagReduction=no")
        expected = expected.replace("BeaconPlacementEndsGame=yes", "BeaconPlacementEndsGame=no")
        game = "游戏/Data/svrcfg_skirmish.ini"
        with d.Program({game: b"old"}) as p:
            # The location is kept in the system's code page, UTF-8 here; the game's file is GBK.
            p.write("settings.ban", p.path(game).encode("utf-8") + b"\r\n")
            for name, keys, takes, _ in typed:
                with self.subTest(name):
                    type_into(p, "Form1", name, keys)
                    wait_text(p, "Form1", name, takes)
            press(p, "Form1", "Check1")
            # Near their left ends: a wide box runs under its right-hand neighbour.
            x, y, w, h = d.extents(find_control(p, "Form1", "Check10"))
            d.click_at(x + 8, y + h // 2)
            # Where Check14 runs under Check15, Check15 is above and takes the click.
            x, y, w, h = d.extents(find_control(p, "Form1", "Check15"))
            d.click_at(x + 8, y + h // 2)
            press(p, "Form1", "Command1")
            self.assertEqual(p.answer_boxes([YES]), [box("offer")])
            self.assertEqual(p.read("svrcfg_skirmish.ini"), expected.encode("gbk"))
            self.assertEqual(p.read(game), expected.encode("gbk"))


class FileDialog(unittest.TestCase):
    def test_browsing_fills_the_box_and_cancelling_keeps_it(self):
        dialog = TABLES["dialog"]
        with d.Program({GAME_FILE: b""}) as p:
            open_settings(p)
            press(p, "Form4", "Command1")
            chooser = p.file_chooser()
            self.assertEqual(chooser.title, dialog["title"])
            self.assertTrue(chooser.shows(dialog["filter_label"]), "the filter's name")
            chooser.choose(p.path(GAME_FILE))
            wait_text(p, "Form4", "Text1", p.path(GAME_FILE))

            press(p, "Form4", "Command1")
            p.file_chooser().press(CANCEL)
            d.stays(lambda: d.text(find_control(p, "Form4", "Text1")) == p.path(GAME_FILE),
                    "the box keeps the chosen file")


class InformationWindows(unittest.TestCase):
    def test_the_about_windows_strip_plays_the_movie(self):
        """The strip shows tessel.swf's frames as the reference player draws them, Play in its
        menu pauses and plays on; without the movie it shows the plain ground."""
        strip = expected_rect("Form2", control("Form2", "SF"))
        for movie in (True, False):
            with self.subTest(movie=movie), d.Program() as p:
                if not movie:
                    os.remove(p.path(TABLES["movie"]))
                press(p, "Form1", "Command4")
                xid = p.xid(caption("Form2"))
                sf = find_control(p, "Form2", "SF")
                d.key("Tab")  # the focus rectangle leaves the strip
                d.wait_for(lambda: not sf.getState().contains(d.pyatspi.STATE_FOCUSED),
                           "the focus to leave the strip")
                time.sleep(0.2)
                shot = d.pixels(xid, strip)
                if not movie:
                    self.assertEqual(set(zip(*[iter(shot)] * 3)), {(0x3a, 0x12, 0x08)})
                    continue
                match = subprocess.run([os.environ["E2E_STRIP_MATCH"], str(strip[2]),
                                        str(strip[3])], input=shot, capture_output=True)
                self.assertEqual(match.returncode, 0, match.stdout + match.stderr)
                for playing in (False, True):
                    d.click_at(*d.centre(sf), button=3)
                    d.click(d.find(p.app, "check menu item", "Play"))
                    d.run("xdotool", "mousemove", "0", "0")
                    d.wait_for(lambda: not p.popups(), "the menu to close")
                    time.sleep(0.2)
                    first = d.pixels(xid, strip)
                    time.sleep(0.5)
                    self.assertEqual(d.pixels(xid, strip) != first, playing,
                                     "the picture moves on" if playing else "the picture holds")

    def test_resources_ok_above_the_link_rows_takes_the_click(self):
        with d.Program() as p:
            press(p, "Form1", "Command3")
            # OK's left end, where it lies over the last link rows: the button takes the click.
            ok = find_control(p, "Form3", "Command6")
            x, y, w, h = d.extents(ok)
            row = find_control(p, "Form3", "Label11")
            d.click_at(x + 4, d.centre(row)[1])
            p.gone(caption("Form3"))
            self.assertEqual(p.shell_log(), [], "the link under the button was opened")


class Shell(unittest.TestCase):
    def test_links_the_makers_address_and_the_readme_reach_the_desktops_handlers(self):
        with d.Program() as p:
            asked = []

            def expect_asked(kind, target):
                asked.append((kind, target))
                d.wait_for(lambda: len(p.shell_log()) >= len(asked), "the desktop's handler to run")
                got = [tuple(line.split(" ", 1)) for line in p.shell_log()]
                self.assertEqual([(k, d.as_path(t)) for k, t in got], asked)

            press(p, "Form1", "Command3")
            # A click anywhere in the row, here right of the address, opens it.
            link = find_control(p, "Form3", "Label2")
            x, y, w, h = d.extents(link)
            d.click_at(x + w - 4, y + h // 2)
            expect_asked("web", control("Form3", "Label2")["text"])
            press(p, "Form3", "Label5")
            expect_asked("web", control("Form3", "Label5")["text"])

            # Resources, a utility window, stays above the main window that it lies over: the
            # user moves it aside.
            d.run("xdotool", "windowmove", "--sync", str(p.xid(caption("Form3"))), "0", "0")
            press(p, "Form1", "Command4")
            press(p, "Form2", "Command2")
            expect_asked("mail", TABLES["maker_address"])
            press(p, "Form2", "Command3")
            expect_asked("text", p.path(TABLES["readme"]))
            # The read-me beside the Linux program is UTF-8 with LF line ends.
            readme = p.read(TABLES["readme"])
            self.assertNotIn(b"\r", readme)
            readme.decode("utf-8")


    def test_each_click_of_a_double_click_makes_its_request(self):
        cases = [
            ("e-mail button", "Command4", "Form2", "Command2", "mail " + TABLES["maker_address"]),
            ("link", "Command3", "Form3", "Label5", "web " + control("Form3", "Label5")["text"]),
        ]
        for name, opener, form, clicked, request in cases:
            with self.subTest(name), d.Program() as p:
                press(p, "Form1", opener)
                d.double_click(find_control(p, form, clicked))
                d.wait_for(lambda: len(p.shell_log()) >= 2, "two requests")
                self.assertEqual(p.shell_log(), [request, request])


class Leaving(unittest.TestCase):
    def test_a_close_request_from_the_window_manager(self):
        cases = [
            # window, the main window's button that opens it, answers, boxes, windows after
            ("Form1", None, [], [], None),
            ("Form2", "Command4", [], [], [caption("Form1")]),
            ("Form3", "Command3", [], [], [caption("Form1")]),
            ("Form4", "Command2", [YES], [box("empty warning")], [caption("Form1")]),
        ]
        for form, opener, answers, boxes, after in cases:
            with self.subTest(form), d.Program() as p:
                if opener is not None:
                    press(p, "Form1", opener)
                d.request_close(p.xid(caption(form)))
                if after is None:
                    self.assertEqual(p.exit_code(), 0, p.log())
                else:
                    self.assertEqual(p.answer_boxes(answers), boxes)
                    p.gone(caption(form))
                    d.wait_for(lambda: p.titles() == after, f"only {after} to show")

class Keyboard(unittest.TestCase):
    def test_tab_walks_the_tables_order_and_wraps(self):
        for form, opener in (("Form1", None), ("Form2", "Command4"), ("Form3", "Command3"),
                             ("Form4", "Command2")):
            with self.subTest(form), d.Program() as p:
                if opener is not None:
                    press(p, "Form1", opener)
                order = [c["name"] for c in sorted(FORMS[form]["controls"], key=lambda c: c["tab"])
                         if c["tab"] >= 0 and c["kind"] in FOCUSABLE]
                controls = {name: find_control(p, form, name) for name in order}

                def focused():
                    names = [n for n, a in controls.items()
                             if a.getState().contains(d.pyatspi.STATE_FOCUSED)]
                    return names[0] if len(names) == 1 else None

                def expect(name, after):
                    try:
                        d.wait_for(lambda: focused() == name, f"the focus on {name}")
                    except d.Timeout:
                        self.fail(f"after {after} the focus is on {focused()}, not {name}")

                p.focus(caption(form))
                expect(order[0], "the first showing")
                for i, name in enumerate(order):
                    d.key("Tab")
                    expect(order[(i + 1) % len(order)], f"Tab on {name}")
                d.key("shift+Tab")
                expect(order[-1], f"Shift+Tab on {order[0]}")

    def test_a_window_opened_by_its_access_key_takes_the_keyboard(self):
        """Also where the window manager keeps the keyboard from windows that open by themselves:
        the user asked for this one."""
        for keys, opened in (("alt+r", "Form3"), ("alt+a", "Form2")):
            with self.subTest(keys), d.Program() as p:
                p.focus(caption("Form1"))
                d.key(keys)
                xid = p.xid(caption(opened))
                d.wait_for(lambda: p.active() == xid, f"{opened} to take the keyboard")

    def test_enter_in_a_yes_no_box_answers_yes(self):
        with d.Program({GAME_FILE: b"old"}) as p:
            p.write("settings.ban", p.path(GAME_FILE).encode() + b"\r\n")
            press(p, "Form1", "Command1")
            p.box()
            d.key("Return")
            d.wait_for(lambda: p.read(GAME_FILE) == DEFAULT_FILE, "the copy that Yes makes")
            p.no_box()

    def test_enter_presses_the_default_button_or_the_focused_one(self):
        mail = ["mail " + TABLES["maker_address"]]
        cases = [
            # window, main window's button that opens it, keys before Enter, then: boxes after
            # Enter, windows showing, requests to the desktop
            ("Form1", None, ["Tab"], [box("offer"), box("declined")], ["Form1"], []),
            ("Form2", "Command4", [], [], ["Form1"], []),  # OK, the default button
            ("Form2", "Command4", ["Tab", "Tab"], [], ["Form2"], mail),  # the focused e-mail button
            # Alt and its access key press the e-mail button and give it the focus
            ("Form2", "Command4", ["alt+e"], [], ["Form2"], mail + mail),
            ("Form4", "Command2", [], [], ["Form4"], []),  # no default button there
        ]
        for form, opener, keys, boxes, showing, requests in cases:
            with self.subTest(form=form, keys=keys), d.Program() as p:
                if opener is not None:
                    press(p, "Form1", opener)
                p.focus(caption(form))
                for k in keys:
                    d.key(k)
                d.key("Return")
                self.assertEqual(p.answer_boxes([NO, OK][:len(boxes)]), boxes)
                expected = sorted(caption(f) for f in showing)
                d.wait_for(lambda: p.titles() == expected, f"{expected} to show")
                d.wait_for(lambda: p.shell_log() == requests, f"the requests {requests}")
                self.assertIsNone(p.read("settings.ban"))


class Modal(unittest.TestCase):
    def test_while_a_box_or_the_file_dialog_is_up_no_other_window_takes_input(self):
        def offer_box(p, while_up):
            press(p, "Form1", "Command1")
            p.box()
            exit_button = find_control(p, "Form1", "Command5")
            while_up()
            d.click(exit_button)
            d.stays(lambda: p.process.poll() is None, "the program running")
            self.assertEqual(p.answer_boxes([NO, OK]), [box("offer"), box("declined")])

        def file_dialog(p, while_up):
            open_settings(p)
            press(p, "Form4", "Command1")
            chooser = p.file_chooser()
            while_up()
            chooser.press(CANCEL)

        for name, open_and_close in (("the offer box", offer_box),
                                     ("the file dialog", file_dialog)):
            with self.subTest(name), d.Program() as p:
                press(p, "Form1", "Command3")
                # Out of the way of the dialogs, which are centred.
                d.run("xdotool", "windowmove", "--sync", str(p.xid(caption("Form3"))), "0", "0")
                link = find_control(p, "Form3", "Label1")

                def while_up():
                    d.click(link)
                    d.stays(lambda: not p.shell_log(), "no link opened")

                open_and_close(p, while_up)
                # The same click, once the dialog is gone, is taken.
                d.click(link)
                d.wait_for(p.shell_log, "the link to open")
                self.assertEqual(p.shell_log(), ["web " + control("Form3", "Label1")["text"]])


if __name__ == "__main__":
    unittest.main()
