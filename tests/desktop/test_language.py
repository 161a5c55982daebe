# The real program under a German session: its windows, menus and Qt's own message box
# buttons speak German, read over the accessibility bus.

import unittest

import desk

GERMAN = {"LANG": "de_DE.UTF-8", "LANGUAGE": "", "LC_ALL": "", "LC_MESSAGES": ""}


class GermanSessionTest(unittest.TestCase):
    def find(self, role=None, name=None):
        return desk.find_accessible(desk.atspi_application(), role, name)

    def names(self, role):
        return sorted(a.name for a in desk.find_accessibles(desk.atspi_application(), role))

    def test_window_menu_options_and_question_in_german(self):
        app = desk.start_shown(self, desk.Program(env=GERMAN))
        self.assertEqual(self.names("push button"), ["Leeren", "Minimieren", "Start"])
        menu_items = self.names("menu item")
        for item in ["Immer im Vordergrund", "Einstellungen...", "Wecker", "Stoppuhr"]:
            self.assertIn(item, menu_items)
        desk.press_keys("alt+m", "e", window=app.window)  # Modus > Einstellungen...
        dialog = desk.wait_until(lambda: next(
            (w for w in app.windows() if desk.text_property(w, "_NET_WM_NAME") == "Einstellungen"), None),
            what="the Options dialog")
        # The alert texts are the English keys', their defaults translated, and say so.
        self.assertEqual(desk.accessible_text(self.find("text", "Wecker 1")),
                         "Die eingestellte Zeit ist erreicht.")
        self.find("label", "Als englische Texte gespeichert")
        languages = desk.find_accessibles(self.find("combo box", "Systemstandard"), "list item")
        self.assertEqual([a.name for a in languages][2:], ["Japanisch", "Deutsch", "Français",
                                                           "Español", "简体中文"])
        desk.press_keys("alt+o", window=dialog)  # OK asks first, with Qt's own buttons
        question = desk.wait_until(lambda: next(
            (w for w in app.windows() if desk.text_property(w, "_NET_WM_NAME") == "Plimset"), None),
            what="the question")
        self.find("label", "Möchten Sie die Änderungen speichern?")
        self.find("push button", "Nein")
        desk.press(self.find("push button", "Ja"))
        desk.wait_until(lambda: desk.map_state(question) != "IsViewable", what="yes")
        desk.wait_until(lambda: desk.map_state(dialog) != "IsViewable", what="dialog closed")
        # The translated defaults were left as they were: no alert text is saved.
        self.assertEqual(app.close(), 0)
        self.assertNotIn("MessageBoxText", app.read_settings() or "")


if __name__ == "__main__":
    unittest.main()
