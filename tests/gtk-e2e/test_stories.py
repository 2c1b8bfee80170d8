"""What the GTK front end can get wrong, on the real program: values as typed and ticked, the file
dialog, the movie strip, the desktop's handlers, close requests from the window manager, the
keyboard and modality. What the windows do is the scenario tests' story."""

import gettext
import os
import re
import time
import unittest

import driver as d

from forms import FORMS, TABLES, caption, control, find_control, open_form, press

GAME_FILE = "game/Data/svrcfg_skirmish.ini"
FOCUSABLE = ("push button", "check box", "text", "animation")


def gtk(text):
    """One of GTK's own texts as it shows in this locale: a stock button's caption (less its
    access key's mark), the name of a message box's icon as a screen reader hears it."""
    return gettext.dgettext("gtk30", text).replace("_", "")


YES, NO, OK, CANCEL = (gtk(m) for m in ("_Yes", "_No", "_OK", "_Cancel"))


def box(key):
    """A message box of the program as (title, text, icon, buttons), buttons in GTK's order."""
    b = TABLES["boxes"][key]
    return (b["title"], b["text"], gtk(b["icon"].capitalize()),
            [NO, YES] if b["buttons"] == "yes/no" else [OK])


def wait_text(p, form, name, expected):
    acc = find_control(p, form, name)
    d.wait_for(lambda: d.text(acc) == expected, f"{form}.{name} to read {expected!r}",
               seen=lambda: f"it reads {d.text(acc)!r}")


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
        # Clicked near their left ends: a wide box runs under its right-hand neighbour, and
        # where Check14 runs under Check15, Check15 is above and takes the click.
        ticked = [("Check1", "IsDedicated=yes"), ("Check10", "UseLagReduction=no"),
                  ("Check15", "BeaconPlacementEndsGame=no")]
        expected = TABLES["default_settings_file"]
        for line in [row[3] for row in typed] + [line for _, line in ticked]:
            expected = re.sub(rf"^{line.split('=')[0]}=[^\r]*", line, expected, flags=re.M)
        game = "游戏/Data/svrcfg_skirmish.ini"
        with d.Program({game: b"old"}) as p:
            # The location is kept in the system's code page, UTF-8 here; the game's file is GBK.
            p.write("settings.ban", p.path(game).encode("utf-8") + b"\r\n")
            for name, keys, takes, _ in typed:
                with self.subTest(name):
                    # Clicked into, cleared and typed: Latin text key by key, Chinese as an input
                    # method gives it.
                    p.focus(caption("Form1"))
                    acc = find_control(p, "Form1", name)
                    d.click(acc)
                    d.key("ctrl+a", "BackSpace")
                    if keys.isascii():
                        d.run("xdotool", "type", "--delay", 30, keys)
                    else:
                        # Keys and the accessibility bus are two roads: the keys must have
                        # arrived first.
                        d.wait_for(lambda: d.text(acc) == "", f"{name} to be cleared")
                        # Put in whole, with no keys, as an input method commits it: typing
                        # characters that the keyboard lacks would remap a key for each, which
                        # races with the window manager's own reading of the keyboard map.
                        acc.queryEditableText().insertText(0, keys, len(keys.encode("utf-8")))
                    wait_text(p, "Form1", name, takes)
            for name, _ in ticked:
                x, y, w, h = d.extents(find_control(p, "Form1", name))
                d.click_at(x + 8, y + h // 2)
            press(p, "Form1", "Command1")
            # Enter in a yes/no box answers Yes.
            self.assertEqual(p.answer_boxes(["Return"]), [box("offer")])
            self.assertEqual(p.read("svrcfg_skirmish.ini"), expected.encode("gbk"))
            self.assertEqual(p.read(game), expected.encode("gbk"))


class Dialogs(unittest.TestCase):
    def test_the_boxes_and_the_file_dialog_are_modal_and_browsing_fills_the_box(self):
        """While a box or the file dialog is up no other window takes input, and the same click is
        taken once it is gone; the file chosen fills the Settings window's box, Cancel keeps it."""
        dialog = TABLES["dialog"]
        with d.Program({GAME_FILE: b""}) as p:
            open_form(p, "Form3")
            # Out of the way of the dialogs, which are centred.
            d.run("xdotool", "windowmove", "--sync", p.xid(caption("Form3")), 0, 0)
            link = find_control(p, "Form3", "Label1")
            opened = []

            def ignored(*clicked):
                for acc in (link,) + clicked:
                    d.click(acc)
                d.stays(lambda: p.process.poll() is None and p.shell_log() == opened,
                        "the program running, no link opened")

            def taken():
                d.click(link)
                opened.append("web " + control("Form3", "Label1")["text"])
                d.wait_for(lambda: p.shell_log() == opened, "the link to open")

            press(p, "Form1", "Command1")
            p.dialog("alert", "a message box")
            ignored(find_control(p, "Form1", "Command5"))  # the exit button too
            self.assertEqual(p.answer_boxes([NO, OK]), [box("offer"), box("declined")])
            taken()

            open_form(p, "Form4")
            game = p.path(GAME_FILE)
            press(p, "Form4", "Command1")
            chooser, title = p.dialog("file chooser", "the file dialog")
            self.assertEqual(title, dialog["title"])
            self.assertTrue(any(dialog["filter_label"] in (d.name(a), d.text(a))
                                for a in d.descendants(chooser)), "the filter's name")
            # The location entry (Ctrl+L; keys go to the window under the pointer when no window
            # manager hands out the focus). Typed a key at a time, the entry's inline completion
            # would race with the keys, so all but the last character is set at once; the last is
            # typed, so that the dialog takes it as typed.
            d.move_to(*d.centre(chooser))
            d.key("ctrl+l")
            entry = d.wait_for(lambda: d.descendants(chooser, lambda a: d.role(a) == "text"),
                               "the file dialog's location entry")[0]
            entry.queryEditableText().setTextContents(game[:-1])
            d.key("End")
            d.run("xdotool", "type", game[-1])
            d.wait_for(lambda: d.text(entry) == game, "the location entry to hold the path")
            # The entry looks the folder up after each key; Enter before it is done is lost.
            d.stays(lambda: d.text(entry) == game, "the location entry holds the path", 0.5)
            d.key("Return")
            d.wait_for(lambda: not d.showing(chooser), "the file dialog to close")
            wait_text(p, "Form4", "Text1", game)

            press(p, "Form4", "Command1")
            chooser, _ = p.dialog("file chooser", "the file dialog")
            ignored()
            d.click(d.find(chooser, "push button", CANCEL))
            d.wait_for(lambda: not d.showing(chooser), "the file dialog to close")
            d.stays(lambda: d.text(find_control(p, "Form4", "Text1")) == game,
                    "the box keeps the chosen file")
            taken()


class InformationWindows(unittest.TestCase):
    def test_the_about_windows_strip_plays_the_movie(self):
        """The strip shows tessel.swf's frames as the reference player draws them, Play in its
        menu pauses and plays on; without the movie it shows the plain ground."""
        strip = control("Form2", "SF")["rect"]
        for movie in (True, False):
            with self.subTest(movie=movie), d.Program() as p:
                if not movie:
                    os.remove(p.path(TABLES["movie"]))
                open_form(p, "Form2")
                xid = p.xid(caption("Form2"))
                sf = find_control(p, "Form2", "SF")
                d.key("Tab")  # the focus rectangle leaves the strip
                d.wait_for(lambda: not d.focused(sf), "the focus to leave the strip")
                time.sleep(0.2)
                shot = d.pixels(xid, strip)
                if not movie:
                    self.assertEqual(set(zip(*[iter(shot)] * 3)), {(0x3a, 0x12, 0x08)})
                    continue
                match = d.run(os.environ["E2E_STRIP_MATCH"], strip[2], strip[3], check=False,
                              text=False, input=shot)
                self.assertEqual(match.returncode, 0, match.stdout + match.stderr)
                for playing in (False, True):
                    d.click_at(*d.centre(sf), button=3)
                    d.click(d.find(p.app, "check menu item", "Play"))
                    d.move_to(0, 0)
                    d.wait_for(lambda: not p.popups(), "the menu to close")
                    time.sleep(0.2)
                    first = d.pixels(xid, strip)
                    time.sleep(0.5)
                    self.assertEqual(d.pixels(xid, strip) != first, playing,
                                     "the picture moves on" if playing else "the picture holds")


class Shell(unittest.TestCase):
    def test_links_the_makers_address_and_the_readme_reach_the_desktops_handlers(self):
        """Each click of a double click makes its request; where the Resources window's OK
        button lies over the link rows, it takes the click."""
        with d.Program() as p:
            asked = []

            def expect_asked(kind, target, times=1):
                # The whole log each time: a request that should not have been made shows here.
                asked.extend([(kind, target)] * times)
                d.wait_for(lambda: len(p.shell_log()) >= len(asked), "the desktop's handler to run")
                self.assertEqual([tuple(line.split(" ", 1)) for line in p.shell_log()], asked)

            open_form(p, "Form3")
            # A click anywhere in the row, here right of the address, opens it.
            x, y, w, h = d.extents(find_control(p, "Form3", "Label2"))
            d.click_at(x + w - 4, y + h // 2)
            expect_asked("web", control("Form3", "Label2")["text"])
            d.click(find_control(p, "Form3", "Label5"), repeat=2)
            expect_asked("web", control("Form3", "Label5")["text"], times=2)
            # OK's left end, where it lies over the last link rows: the button takes the click,
            # and the link under it opens nothing (the next request checks the log).
            x, y, w, h = d.extents(find_control(p, "Form3", "Command6"))
            d.click_at(x + 4, d.centre(find_control(p, "Form3", "Label11"))[1])
            d.wait_for(lambda: caption("Form3") not in p.titles(), "Resources to go")

            open_form(p, "Form2")
            d.click(find_control(p, "Form2", "Command2"), repeat=2)
            expect_asked("mail", TABLES["maker_address"], times=2)
            press(p, "Form2", "Command3")
            expect_asked("text", p.path(TABLES["readme"]))
            # The read-me beside the Linux program is UTF-8 with LF line ends.
            readme = p.read(TABLES["readme"])
            self.assertNotIn(b"\r", readme)
            readme.decode("utf-8")


class Keyboard(unittest.TestCase):
    def test_tab_walks_the_tables_order_and_wraps(self):
        for form, access_key in (("Form1", None), ("Form2", "alt+a"), ("Form3", "alt+r"),
                                 ("Form4", None)):
            with self.subTest(form), d.Program() as p:
                if access_key is None:
                    open_form(p, form)
                    p.focus(caption(form))
                else:
                    # Opened by its access key, the window takes the keyboard, also where the
                    # window manager keeps it from windows that open by themselves: the user
                    # asked for this one.
                    p.focus(caption("Form1"))
                    d.key(access_key)
                    xid = str(p.xid(caption(form)))
                    d.wait_for(lambda: d.run("xdotool", "getactivewindow", check=False)
                               .stdout.strip() == xid, f"{form} to take the keyboard")
                order = [c["name"] for c in sorted(FORMS[form]["controls"], key=lambda c: c["tab"])
                         if c["tab"] >= 0 and c["role"] in FOCUSABLE]
                controls = {name: find_control(p, form, name) for name in order}

                def focused():
                    names = [n for n, a in controls.items() if d.focused(a)]
                    return names[0] if len(names) == 1 else None

                # The first once the window shows, each next one after Tab, around to the first
                # again, and back to the last after Shift+Tab.
                for keys, name in ([(None, order[0])] + [("Tab", n) for n in order[1:] + order[:1]]
                                   + [("shift+Tab", order[-1])]):
                    if keys:
                        d.key(keys)
                    d.wait_for(lambda: focused() == name, f"the focus on {name} after {keys}",
                               seen=lambda: f"it is on {focused()}")

    def test_enter_and_close_requests_from_the_window_manager(self):
        """Enter presses the default button or the focused one."""
        mail = ["mail " + TABLES["maker_address"]]
        cases = [
            # window, keys before Enter (None: a close request instead), then: the boxes with
            # their answers, windows showing (None: the program ends), requests to the desktop
            ("Form1", None, [], None, []),
            ("Form2", None, [], ["Form1"], []),
            ("Form3", None, [], ["Form1"], []),
            ("Form4", None, [(YES, box("empty warning"))], ["Form1"], []),
            ("Form1", ["Tab"], [(NO, box("offer")), (OK, box("declined"))], ["Form1"], []),
            ("Form2", [], [], ["Form1"], []),  # OK, the default button
            ("Form2", ["Tab", "Tab"], [], ["Form2"], mail),  # the focused e-mail button
            # Alt and its access key press the e-mail button and give it the focus
            ("Form2", ["alt+e"], [], ["Form2"], mail + mail),
            ("Form4", [], [], ["Form4"], []),  # no default button there
        ]
        for form, keys, boxes, showing, requests in cases:
            with self.subTest(form=form, keys=keys), d.Program() as p:
                open_form(p, form)
                if keys is None:
                    d.request_close(p.xid(caption(form)))
                else:
                    p.focus(caption(form))
                    d.key(*keys, "Return")
                self.assertEqual(p.answer_boxes([a for a, _ in boxes]), [b for _, b in boxes])
                if showing is None:
                    self.assertEqual(p.process.wait(timeout=d.PATIENCE), 0, p.log())
                    continue
                expected = sorted(caption(f) for f in showing)
                d.wait_for(lambda: p.titles() == expected, f"{expected} to show")
                d.wait_for(lambda: p.shell_log() == requests, f"the requests {requests}")
                self.assertIsNone(p.read("settings.ban"))


if __name__ == "__main__":
    unittest.main()
