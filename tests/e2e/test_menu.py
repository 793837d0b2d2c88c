"""The face's pop-up menu: opened by a right press only, closed with or without a choice."""

import unittest

import programs
import x11
from zorvin_case import ZorvinTestCase


class MenuTest(ZorvinTestCase):
    def test_middle_and_left_presses_open_nothing(self):
        self.start_program()
        for button in ("middle", "left"):
            new_windows = self.press_for_menu(button=button)
            self.assert_stays(new_windows, "windows opened by a %s press" % button)

    def test_escape_closes_the_menu_without_a_choice(self):
        self.start_program()
        new_windows = self.press_for_menu()
        x11.wait_until(new_windows, 5, message="the pop-up menu")
        self.display.key("Escape")
        x11.wait_until(lambda: not new_windows(), 5, message="the menu to close")
        self.assertTrue(self.is_above(self.face))
        self.assertEqual(self.display.find_windows(programs.ABOUT_WINDOW), [])

    def test_check_mark_follows_stay_on_top(self):
        """The menu's first item looks different with stay-on-top off: only its check mark."""
        self.start_program()

        def menu_picture():
            new_windows = self.press_for_menu()
            menu = x11.wait_until(new_windows, 5, message="the pop-up menu")[0]
            x, y = self.display.client_origin(menu)
            width, height = self.display.client_size(menu)
            x11.wait_until(lambda: self.display.screenshot(x, y, width, height) ==
                           self.display.screenshot(x, y, width, height), 5)
            picture = self.display.screenshot(x, y, width, height)
            self.display.key("Escape")
            x11.wait_until(lambda: not new_windows(), 5, message="the menu to close")
            return picture

        checked = menu_picture()
        self.choose("t")
        self.wait_for_above(self.face, False, "stay-on-top off")
        unchecked = menu_picture()
        self.assertEqual(len(checked), len(unchecked), "the menu's size changed")
        changed_rows = [y for y in range(len(checked)) if checked[y] != unchecked[y]]
        self.assertTrue(changed_rows, "no check mark to see")
        self.assertLess(max(changed_rows), len(checked) // 3, "more than the first item changed")


if __name__ == "__main__":
    unittest.main()
