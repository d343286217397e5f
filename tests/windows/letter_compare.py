#!/usr/bin/env python3
"""The comparison of tests/windows/letter_test.sh.

  letter_compare.py compare LINUX.pdf WINDOWS.pdf
      compares page 1 of two printouts of the covering letter that Qt's PDF
      writer made: the text (as pdftotext -raw reads it), each printed line's box
      (within 1 mm) and, in each, the width of every word against the sum of
      its glyphs' advances (at least 90%: glyphs drawn closer overlap)

Boxes are built from each glyph's text matrix and advance (qrvtest.pdf), not
from pdftotext's boxes, whose heights come from the ascent and descent the
PDF's font record states: Qt's GDI font engine states them in another scale
than FreeType for the same face.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
from qrvtest.pdf import glyphs, page_words  # noqa: E402

MM = 72 / 25.4
LINE_TOLERANCE_MM = 1.0
LEAST_WORD_WIDTH = 0.9


def words(drawn):
    """Glyphs on one baseline between blanks: (text, width of the word's box,
    sum of its glyphs' advances)."""
    runs, run = [], []
    for glyph in sorted(drawn, key=lambda g: (round(g[2], 1), g[1])):
        if run and (glyph[0].isspace() or abs(glyph[2] - run[-1][2]) > 0.1):
            runs.append(run)
            run = []
        if not glyph[0].isspace():
            run.append(glyph)
    runs.append(run)
    return [(''.join(g[0] for g in run), max(g[1] + g[3] for g in run) - min(g[1] for g in run),
             sum(g[3] for g in run)) for run in runs if run]


# --- what is compared ------------------------------------------------------

def text_lines(drawn):
    """The printed lines, top down: [left, top, right, baseline] in points,
    where top is one em above the baseline. Marks drawn a little above or
    below the baseline belong to their line."""
    rows = []
    for glyph in sorted(drawn, key=lambda g: g[2]):
        if not rows or glyph[2] - rows[-1][0][2] > 4:
            rows.append([])
        rows[-1].append(glyph)
    boxes = []
    for row in rows:
        spaced = [g for g in row if g[3] > 0] or row
        baseline = sorted(g[2] for g in spaced)[len(spaced) // 2]
        boxes.append([min(g[1] for g in row), baseline - row[0][4], max(g[1] + g[3] for g in row), baseline])
    return boxes


def narrowest_word(pdf):
    """The word whose box is narrowest against the sum of its glyphs' advances."""
    return min(((width / advances, text) for text, width, advances in words(glyphs(pdf)) if advances > 0))


def compare(linux, windows):
    failures = []
    if page_words(linux) != page_words(windows):
        failures.append('the text differs:\n  Linux:   %s\n  Windows: %s'
                        % (' '.join(page_words(linux)), ' '.join(page_words(windows))))
    ours, theirs = text_lines(glyphs(linux)), text_lines(glyphs(windows))
    if len(ours) != len(theirs):
        failures.append('%d printed lines on Linux, %d on Windows' % (len(ours), len(theirs)))
    largest, where = 0.0, 0
    for number, (a, b) in enumerate(zip(ours, theirs), 1):
        difference = max(abs(p - q) for p, q in zip(a, b)) / MM
        if difference > largest:
            largest, where = difference, number
    print('line boxes: %d lines, largest difference %.2f mm (line %d)' % (len(ours), largest, where))
    if largest > LINE_TOLERANCE_MM:
        failures.append('line %d is %.2f mm away from its place on Linux' % (where, largest))
    for name, pdf in (('Linux', linux), ('Windows', windows)):
        ratio, text = narrowest_word(pdf)
        print('%s: narrowest word "%s", %.3f of its glyphs\' advances' % (name, text, ratio))
        if ratio < LEAST_WORD_WIDTH:
            failures.append('%s: glyphs of "%s" overlap (box %.3f of their advances)' % (name, text, ratio))
    for failure in failures:
        print('FAILED: ' + failure)
    return not failures


if __name__ == '__main__':
    if len(sys.argv) == 4 and sys.argv[1] == 'compare':
        sys.exit(0 if compare(sys.argv[2], sys.argv[3]) else 1)
    else:
        sys.exit(__doc__)
