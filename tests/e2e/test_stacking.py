"""Stay-on-top: from the first moment, switched by the menu without hiding, re-creating or moving
the window, and given to the About box as it is when the box is loaded."""

import unittest

from tests.harness import programs
from tests.harness.zorvin_case import ZorvinTestCase


class StackingTest(ZorvinTestCase):
    def test_character_starts_on_top_and_each_choice_switches_it(self):
        self.start_program()
        self.assertTrue(self.is_above(self.face), "on top from the start")
        window, origin = self.face.id, self.face_origin()
        for above in (False, True, False):
            self.choose("t")
            self.wait_for_above(self.face, above, "stay-on-top switched to %s" % above)
            self.assertEqual(self.display.find_window(programs.MAIN_WINDOW).id, window,
                             "the window was re-created")
            self.assertEqual(self.face_origin(), origin, "the window moved")

    def test_about_box_keeps_the_stacking_it_was_loaded_with(self):
        self.start_program()
        about = self.open_about()
        self.assertTrue(self.is_above(about), "loaded while the character is on top")
        self.choose("t")
        self.wait_for_above(self.face, False, "the character no longer on top")
        self.assertTrue(self.is_above(about), "an open box keeps its stacking")
        self.display.activate(about)
        self.display.key("Escape")
        self.display.wait_until_gone(programs.ABOUT_WINDOW)

        about = self.open_about()
        self.assertFalse(self.is_above(about), "loaded while the character is not on top")
        self.choose("t")
        self.wait_for_above(self.face, True, "the character on top again")
        self.assert_stays(lambda: self.is_above(about), "an open box keeps its stacking")
        self.assertFalse(self.is_above(about))


if __name__ == "__main__":
    unittest.main()
