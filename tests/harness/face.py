"""The face as the tests see it: its pupils found in its pixels, and the figures the program's own
code gives for its windows and pupils, which the screen must agree with. The figures come from
zorvin_figures (tests/forms/figures.cpp), which ZORVIN_FIGURES names: the face's geometry, the
character's layout and scaling, and its pupils placed on the in-memory window system."""

import functools
import os
import subprocess

from . import artwork


def _figures(*arguments):
    program = os.environ.get("ZORVIN_FIGURES")
    if not program:
        raise AssertionError("ZORVIN_FIGURES names no zorvin_figures to ask")
    return subprocess.run([program, *map(str, arguments)], capture_output=True, text=True,
                          check=True).stdout.splitlines()


@functools.lru_cache(maxsize=None)
def _geometry():
    lines = [line.split() for line in _figures("face")]
    return ([tuple(map(int, values)) for kind, *values in lines if kind == "eye"],
            next(values for kind, *values in lines if kind == "outline"))


def eyes():
    """The eyes' centres, left and right, in the face's own pixels: where the tests aim the
    pointer along their rows and columns."""
    return _geometry()[0]


def outline():
    """The corners of the face's outline in its client area, as "x,y"."""
    return _geometry()[1]


@functools.lru_cache(maxsize=None)
def pupil_places(x=None, y=None, dpi=96):
    """The pupils' top-left pixels, in the face's own pixels, for the pointer at device pixel
    (x, y) from the corner of the face's client area, on a display at `dpi`; without a pointer,
    where they are when the face appears."""
    values = [int(value) for value in _figures("pupils", dpi, *(() if x is None else (x, y)))[0]
              .split()]
    return [tuple(values[:2]), tuple(values[2:])]


@functools.lru_cache(maxsize=None)
def window(form, dpi=96):
    """A window's figures at `dpi`, in device pixels: "client" (width, height), and each control
    by name (an array's with its index) as (left, top, right, bottom)."""
    return {name: tuple(int(value) for value in values)
            for name, *values in (line.split() for line in _figures("window", form, dpi))}


def find_pupils(rows, scale=1):
    """The top-left pixels of the pupils drawn in `rows` (the face's client area, each pixel of
    its art a scale x scale square), left to right: every place where each drawn pixel of the
    pupil picture shows."""
    template = sorted(artwork.pupil_template().items())
    width = max(x for (x, _), _ in template) + 1
    height = max(y for (_, y), _ in template) + 1
    return sorted((left, top)
                  for top in range(len(rows) // scale - height + 1)
                  for left in range(len(rows[0]) // scale - width + 1)
                  if all(rows[(top + py) * scale + j][(left + px) * scale + i] == colour
                         for (px, py), colour in template
                         for j in range(scale) for i in range(scale)))
