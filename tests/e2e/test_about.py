"""The About box: opened from the menu, closed by OK, Enter, Escape or its caption, and its two
links handed to the desktop's openers."""

import unittest
from urllib.parse import unquote

from tests.harness import artwork, face, programs, x11
from tests.harness.author_settings import author
from tests.harness.zorvin_case import ZorvinTestCase

NAVY = (0, 0, 128)
PURPLE = (128, 0, 128)
LINKS = ("Email", "Homepage")


class AboutBoxTest(ZorvinTestCase):
    def colour_count(self, about, control, colour):
        left, top, right, bottom = self.about_box()[control]
        rows = self.client_pixels(about)[top:bottom]
        return sum(row[left:right].count(colour) for row in rows)

    def wait_for_link_colour(self, about, control, colour, message):
        x11.wait_until(lambda: self.colour_count(about, control, colour) > 10, 5,
                       message=message)

    def click(self, window, control, button="left"):
        self.point_at_control(window, control)
        self.display.press(button)
        self.display.release(button)

    def test_about_box_shows_its_caption_size_and_links(self):
        self.start_program()
        about = self.open_about()
        self.assertEqual(self.client_rect(about)[2:], self.about_box()["client"])
        self.assertIsNone(about.get_wm_transient_for(), "the About box has an owner")
        for link in LINKS:
            self.wait_for_link_colour(about, link, NAVY, "a navy link")
        # Modeless: the character goes on following the pointer.
        x, y = self.face_origin()
        self.display.move_pointer(x + 200, y + 32)
        self.wait_for_pupils(face.pupil_places(200, 32), message="pupils with the box open")

    def test_links_show_the_hand_pointer_pointing_with_its_fingertip(self):
        self.start_program()
        about = self.open_about()
        # The box opened over the face, perhaps with a link under the pointer: the arrow is what
        # OK shows once the hand has gone.
        hand = artwork.hand_pointer()
        self.point_at_control(about, "Command1")
        x11.wait_until(lambda: self.display.cursor_picture() != hand, 5, message="the arrow on OK")
        arrow = self.display.cursor()
        for link in LINKS:
            self.point_at_control(about, link)
            x11.wait_until(lambda: self.display.cursor() != arrow, 5, message="the hand on a link")
            # hand.cur at its own size, pixel for pixel, whatever size the system's arrow is.
            width, height, drawn = self.display.cursor_picture()
            self.assertEqual((width, height), hand[:2], "the hand's size")
            self.assertEqual(drawn, hand[2], "the hand's picture")
            # The hand points with the tip of its raised finger, the picture's topmost point.
            _, _, hot_x, hot_y = self.display.cursor()
            self.assertEqual((hot_x, hot_y), self.display.cursor_fingertip())
        self.point_at_control(about, "Command1")
        x11.wait_until(lambda: self.display.cursor() == arrow, 5, message="the arrow on OK")

    def test_about_box_closes_by_ok_enter_escape_and_caption(self):
        self.start_program()
        closers = {
            "OK": lambda about: self.click(about, "Command1"),
            "Enter": lambda about: self.display.key("Return"),
            "Escape": lambda about: self.display.key("Escape"),
            "the caption": lambda about: self.display.close_from_caption(about),
        }
        for how, close in closers.items():
            about = self.open_about()
            close(about)
            self.display.wait_until_gone(programs.ABOUT_WINDOW)
            self.assertIsNone(self.zorvin.process.poll(), "the program ended closing by " + how)
        self.assertTrue(self.display.find_window(programs.MAIN_WINDOW))

    def test_links_hand_their_own_text_to_the_openers(self):
        self.start_program({"QT_SCALE_FACTOR": "1"})
        about = self.open_about()
        expected = []
        # Openers run on their own: each click waits for its line, so the order is the clicks'.
        for link, button, target in (("Email", "left", "mailto:" + author("ZORVIN_AUTHOR_EMAIL")),
                                     ("Homepage", "right", author("ZORVIN_HOMEPAGE"))):
            self.click(about, link, button)
            expected.append(target)
            x11.wait_until(lambda: len(self.zorvin.opened()) == len(expected), 10,
                           message="the link opened")
        # Letters beyond ASCII may reach the opener as written or percent-encoded (Qt hands over
        # the address's URI form); either way, the same address.
        self.assertEqual([unquote(target) for _, target in self.zorvin.opened()], expected)
        # The program's own choice of Qt platform, and its own scaling, stay its own: under Wayland
        # the platform would force the mail program and the browser onto XWayland, and they scale
        # as the user set Qt to.
        unset = programs.UNSET
        self.assertEqual(self.zorvin.opener_qt_settings(), [(unset, "1", unset)] * 2)

    def test_link_turns_purple_while_pressed_and_opens_when_released_elsewhere(self):
        self.start_program()
        about = self.open_about()
        self.point_at_control(about, "Homepage")
        self.display.press("left")
        self.wait_for_link_colour(about, "Homepage", PURPLE, "the pressed link in purple")
        self.display.move_pointer(self.display.width - 10, self.display.height - 10)
        self.display.release("left")
        x11.wait_until(self.zorvin.opened, 10, message="the link opened")
        self.assertEqual([target for _, target in self.zorvin.opened()],
                         [author("ZORVIN_HOMEPAGE")])
        self.wait_for_link_colour(about, "Homepage", NAVY, "the link back in navy")


if __name__ == "__main__":
    unittest.main()
