"""The face's pop-up menu: opened by a right press only, closed with or without a choice."""

import unittest

from tests.harness import programs, x11
from tests.harness.zorvin_case import ZorvinTestCase


class MenuTest(ZorvinTestCase):
    def test_middle_and_left_presses_open_nothing(self):
        self.start_program()
        for button in ("middle", "left"):
            new_windows = self.press_for_menu(button=button)
            self.assert_stays(new_windows, "windows opened by a %s press" % button)

    def test_escape_closes_the_menu_without_a_choice(self):
        self.start_program()
        new_windows = self.press_for_menu()
        self.wait_for_menu(new_windows)
        self.display.key("Escape")
        x11.wait_until(lambda: not new_windows(), 5, message="the menu to close")
        self.assertTrue(self.is_above(self.face))
        self.assertEqual(self.display.find_windows(programs.ABOUT_WINDOW), [])

    def test_check_mark_follows_stay_on_top(self):
        """The menu's first item looks different with stay-on-top off: only its check mark."""
        self.start_program()

        def drawn(picture):
            """Whether each third of the menu (an item each) shows something besides its
            background, the colour most of it has: a menu is drawn from the top down."""
            colours = [pixel for row in picture for pixel in row]
            background = max(set(colours), key=colours.count)
            third = len(picture) // 3
            return all(any(pixel != background for row in picture[k * third:(k + 1) * third]
                           for pixel in row) for k in range(3))

        def menu_picture():
            new_windows = self.press_for_menu()
            menu = self.wait_for_menu(new_windows)[0]
            x, y = self.display.client_origin(menu)
            width, height = self.display.client_size(menu)

            def finished_picture():
                first = self.display.screenshot(x, y, width, height)
                return drawn(first) and first == self.display.screenshot(x, y, width, height) \
                    and first

            picture = x11.wait_until(finished_picture, 5, message="the menu drawn")
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


    def menu_rect(self, new_windows):
        menu = self.wait_for_menu(new_windows)[0]
        return self.display.client_origin(menu) + self.display.client_size(menu)

    def test_the_right_button_chooses_an_item_too(self):
        self.start_program()
        x, y, width, height = self.menu_rect(self.press_for_menu())
        # The first item, "Always On Top", lies in the menu's top quarter.
        self.display.move_pointer(x + width // 2, y + height // 8)
        self.display.press("right")
        self.display.release("right")
        self.wait_for_above(self.face, False, "stay-on-top switched off by a right click")

    def test_shift_f10_and_the_menu_key_open_the_menu_at_the_face(self):
        self.start_program()
        self.display.move_pointer(self.display.width - 5, self.display.height - 5)
        self.display.activate(self.face)
        face_x, face_y, face_width, face_height = self.client_rect(self.face)
        for key, held in (("F10", ("Shift_L",)), ("Menu", ())):
            before = {w.id for w in self.display.top_level_windows()}
            self.display.key(key, *held)
            new_windows = lambda: [w for w in self.display.top_level_windows()
                                   if w.id not in before]
            x, y, _, _ = self.menu_rect(new_windows)
            self.assertTrue(face_x <= x < face_x + face_width and
                            face_y <= y < face_y + face_height,
                            "%s: the menu at %s, the face at %s" % (key, (x, y), (face_x, face_y)))
            self.display.key("Escape")
            x11.wait_until(lambda: not new_windows(), 5, message="the menu to close")
            self.display.activate(self.face)

    def test_closing_the_face_while_its_menu_is_open_ends_the_program_cleanly(self):
        self.start_program()
        self.open_menu()
        self.display.close_from_caption(self.face)
        self.assertEqual(self.zorvin.wait_for_exit(), 0)
        self.assertEqual(self.display.find_windows(programs.MAIN_WINDOW), [])


if __name__ == "__main__":
    unittest.main()
