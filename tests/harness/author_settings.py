"""The author's settings as a build wrote them: the C strings of its about/author.h."""

import os
import re


def author(name, header=None):
    """The value of ZORVIN_AUTHOR_NAME, ZORVIN_AUTHOR_EMAIL or ZORVIN_HOMEPAGE, unescaped, from the
    header (by default the one ZORVIN_AUTHOR_HEADER names)."""
    with open(header or os.environ["ZORVIN_AUTHOR_HEADER"], encoding="utf-8") as f:
        literal = re.search(r'#define %s "((?:[^"\\]|\\.)*)"' % name, f.read()).group(1)
    return re.sub(r"\\(.)", r"\1", literal)
