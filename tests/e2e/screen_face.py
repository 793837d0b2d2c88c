"""Reading the character off the screen."""

import artwork
import face


def find_pupils(display, origin, scale=1):
    """The top-left client pixels of the two pupils as drawn on the face whose client area begins
    at `origin`, found by matching every drawn pixel of the pupil picture (each one a
    scale x scale square); None for a pupil not found exactly once."""
    x, y = origin
    width, height = face.CLIENT_SIZE
    rows = display.screenshot(x, y, width * scale, height * scale)
    template = artwork.pupil_template()
    found = []
    for (cx, cy, rx, ry) in face.EYES:
        matches = [
            (left, top)
            for top in range(cy - ry - 8, cy + ry + 1)
            for left in range(cx - rx - 7, cx + rx + 1)
            if all(rows[(top + py) * scale + j][(left + px) * scale + i] == colour
                   for (px, py), colour in template.items()
                   for j in range(scale) for i in range(scale))
        ]
        found.append(matches[0] if len(matches) == 1 else None)
    return found
