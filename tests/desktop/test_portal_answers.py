# What the program asks of a GlobalShortcuts portal and what it says about the answer,
# against the stand-in portal of shortcut_portal_standin.py (its header says why a stand-in):
# the shortcut sent with CreateSession and BindShortcuts, its activation, a key other than
# the one asked for, and answers that bind no key (a refusal, a failure, a binding without a
# trigger, no session), each said once; what the Options dialog shows of it. (Of two Plimsets
# only the one that answers on the bus asks: the unit test SessionHotkey holds that.)

import json
import os
import signal
import subprocess
import sys
import unittest

import desk

STANDIN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "shortcut_portal_standin.py")
TOGGLE = "bind a desktop shortcut to `plimset --toggle`"
# What is said of each answer that binds no key.
ANSWERS = {
    "refuse": "plimset: the desktop did not bind the hotkey Ctrl + Shift + T (the user "
              "declined); %s instead\n" % TOGGLE,
    "fail": "plimset: the desktop did not bind the hotkey Ctrl + Shift + T (the request "
            "failed); %s instead\n" % TOGGLE,
    "none": "plimset: the desktop took the hotkey Ctrl + Shift + T but gave it no key; give it "
            "one in the desktop's shortcut settings, or %s\n" % TOGGLE,
    "nosession": "plimset: this desktop gives programs no global shortcut (its shortcut portal "
                 "opened no session), so the hotkey Ctrl + Shift + T does nothing; bind a key "
                 "to `plimset --toggle` in the desktop's keyboard settings instead (on GNOME: "
                 "Settings, Keyboard, View and Customize Shortcuts, Custom Shortcuts)\n",
}


class PortalAnswersTest(unittest.TestCase):
    def start(self, mode):
        # The stand-in portal answering as `mode` says, and a Plimset on Wayland asking it.
        self.log = os.path.join(desk.session_dir(), "portal-%s.log" % mode)
        portal = subprocess.Popen([sys.executable, STANDIN, mode, self.log],
                                  stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
        self.addCleanup(lambda: (portal.terminate(), portal.wait(), portal.stdout.close()))
        self.assertEqual(portal.stdout.readline(), b"ready\n")
        return portal, desk.start_shown(self, desk.Program(
            settings="[Option]\nTaskTray=1\nTaskBar=0\nHotkey=684\n",
            env={"XDG_SESSION_TYPE": "wayland"}))

    def calls(self, name=None):
        with open(self.log, encoding="utf-8") as f:
            return [c for c in map(json.loads, f) if name in (None, c["call"])]

    def options(self, app):
        # Opens the Options dialog; returns a function that closes it.
        desk.press_keys("alt+m", "o", window=app.window)
        dialog = desk.wait_until(app.other_window, what="the Options dialog")
        return lambda: (desk.press_keys("Escape", window=dialog), desk.wait_until(
            lambda: desk.map_state(dialog) != "IsViewable", what="dialog closed"))

    def find(self, role, name):
        return desk.find_accessible(desk.atspi_application(), role, name)

    def test_the_shortcut_is_asked_for_with_its_trigger_and_its_activation_toggles(self):
        portal, app = self.start("other")
        desk.wait_until(lambda: os.path.exists(self.log) and len(self.calls()) >= 2,
                        what="the portal's calls")
        create, bind = self.calls()[:2]
        wanted = [["toggle", {"description": "Show or hide the Plimset window",
                              "preferred_trigger": "CTRL+SHIFT+t"}]]
        self.assertEqual((create["options"]["shortcuts"], bind["shortcuts"]), (wanted, wanted))
        # The desktop bound another key: said once.
        said = "plimset: the desktop bound the hotkey to Ctrl + Alt + P instead of Ctrl + Shift + T\n"
        desk.wait_until(lambda: app.output() == said, what="a word about the key bound")
        for shown in (False, True):
            portal.send_signal(signal.SIGUSR1)
            desk.wait_until(lambda: (desk.map_state(app.window) == "IsViewable") == shown,
                            what="shown" if shown else "hidden")
        # The Options dialog shows the key that works, names the one asked for, and opens
        # the desktop's shortcut settings for the session it has.
        close_options = self.options(app)
        self.assertEqual(desk.accessible_text(self.find("text", "Hotkey")), "Ctrl + Alt + P")
        self.find("label", "The desktop's shortcut settings choose the key that works (asked "
                           "for: Ctrl + Shift + T).")
        desk.press(self.find("push button", "Change..."))
        configured = desk.wait_until(lambda: self.calls("ConfigureShortcuts"),
                                     what="the desktop's shortcut settings asked for")
        self.assertIn(configured[0]["session"], [c["session"] for c in self.calls("BindShortcuts")])
        # Closing the dialog ends the session it opened and binds the hotkey again.
        close_options()
        desk.wait_until(lambda: [c["call"] for c in self.calls()][-3:] == [
            "Close", "CreateSession", "BindShortcuts"],
                        what="the hotkey bound again")
        portal.send_signal(signal.SIGUSR1)
        desk.wait_until(lambda: desk.map_state(app.window) != "IsViewable", what="hidden")
        self.assertEqual(app.terminate(), 0)
        self.assertEqual(app.output(), said)

    def test_a_binding_without_a_key_is_said_once_and_names_toggle(self):
        for mode, said in ANSWERS.items():
            with self.subTest(mode):
                portal, app = self.start(mode)
                desk.wait_until(lambda: app.output() == said, what="a word about the answer")
                # The Options dialog releases the hotkey and binds it again when it closes;
                # the same answer is not said again.
                close_options = self.options(app)
                if mode == "nosession":
                    self.find("label", "This desktop gives programs no global shortcut: bind a "
                                       "key to \"plimset --toggle\" in its keyboard settings.")
                close_options()
                last = "CreateSession" if mode == "nosession" else "BindShortcuts"
                desk.wait_until(lambda: len(self.calls(last)) == 2,
                                what="the hotkey bound again")
                desk.stays(lambda: app.output() == said, 0.5, what="said once")
                self.assertEqual(app.close(), 0)
                self.doCleanups()


if __name__ == "__main__":
    unittest.main()
