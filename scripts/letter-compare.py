#!/usr/bin/env python3
"""The comparison of scripts/windows-letter-test.sh.

  letter-compare.py compare LINUX.pdf WINDOWS.pdf
      compares page 1 of two printouts of the covering letter that Qt's PDF
      writer made: the text (as pdftotext -raw reads it), each printed line's box
      (within 1 mm) and, in each, the width of every word against the sum of
      its glyphs' advances (at least 90%: glyphs drawn closer overlap)

Boxes are read from the drawing operators, not from pdftotext's boxes, whose
heights come from the ascent and descent the PDF's font record states: Qt's
GDI font engine states them in another scale than FreeType for the same face.
"""
import re
import subprocess
import sys
import zlib

MM = 72 / 25.4
LINE_TOLERANCE_MM = 1.0
LEAST_WORD_WIDTH = 0.9


# --- glyphs of a PDF that Qt wrote -----------------------------------------

def pdf_objects(pdf):
    return {int(m.group(1)): m.group(2) for m in re.finditer(rb'(\d+) 0 obj(.*?)endobj', pdf, re.S)}


def stream(body):
    data = re.search(rb'stream\r?\n(.*?)\r?\nendstream', body, re.S).group(1)
    return zlib.decompress(data) if b'/FlateDecode' in body else data


def reference(body, key):
    return int(re.search(rb'/' + key + rb'\s+(\d+) 0 R', body).group(1))


def cid_widths(array):
    """The /W array of a CID font: glyph -> width in 1/1000 of the font size."""
    widths, tokens, i = {}, re.findall(rb'\[|\]|-?[\d.]+', array), 0
    while i < len(tokens):
        first = int(tokens[i])
        if tokens[i + 1] == b'[':
            j = i + 2
            while tokens[j] != b']':
                widths[first + j - i - 2] = float(tokens[j])
                j += 1
            i = j + 1
        else:
            for cid in range(first, int(tokens[i + 1]) + 1):
                widths[cid] = float(tokens[i + 2])
            i += 3
    return widths


def cid_text(cmap):
    """A ToUnicode map's ranges: glyph -> text."""
    texts = {}
    for low, high, target in re.findall(
            rb'<([0-9A-Fa-f]+)>\s*<([0-9A-Fa-f]+)>\s*(\[[^\]]*\]|<[0-9A-Fa-f]+>)', cmap):
        low, high = int(low, 16), int(high, 16)
        targets = re.findall(rb'<([0-9A-Fa-f]+)>', target)
        for cid in range(low, high + 1):
            code = targets[cid - low] if target.startswith(b'[') else b'%04X' % (int(targets[0], 16) + cid - low)
            texts[cid] = bytes.fromhex(code.decode()).decode('utf-16-be')
    return texts


def page_fonts(objects, page):
    fonts = {}
    resources = objects[reference(page, b'Resources')]
    for name, number in re.findall(rb'/(F\d+)\s+(\d+) 0 R', re.search(rb'/Font\s*<<(.*?)>>', resources, re.S).group(1)):
        font = objects[int(number)]
        descendant = objects[int(re.search(rb'/DescendantFonts\s*\[\s*(\d+) 0 R', font).group(1))]
        widths = cid_widths(re.search(rb'/W\s*\[(.*)\]\s*>>', descendant, re.S).group(1))
        fonts[name] = (widths, cid_text(stream(objects[reference(font, b'ToUnicode')])))
    return fonts


def times(a, b):
    """Product of two PDF matrices [a b c d e f]: a first, then b."""
    return [a[0] * b[0] + a[1] * b[2], a[0] * b[1] + a[1] * b[3], a[2] * b[0] + a[3] * b[2],
            a[2] * b[1] + a[3] * b[3], a[4] * b[0] + a[5] * b[2] + b[4], a[4] * b[1] + a[5] * b[3] + b[5]]


def glyphs(path):
    """Each glyph drawn on page 1: (text, x, baseline, advance, em), in points
    from the page's top left corner. Reads the operators Qt's PDF writer uses."""
    objects = pdf_objects(open(path, 'rb').read())
    page = next(body for body in objects.values() if re.search(rb'/Type\s*/Page\b', body))
    height = float(re.search(rb'/MediaBox\s*\[\s*\S+\s+\S+\s+\S+\s+([-\d.]+)', page).group(1))
    fonts = page_fonts(objects, page)
    identity = [1, 0, 0, 1, 0, 0]
    ctm, saved, operands, drawn = identity, [], [], []
    text_matrix = line_matrix = identity
    font, size = None, 0.0
    for token in re.findall(rb'<[0-9A-Fa-f]*>|/[^\s/<>\[\]()]+|-?[\d.]+|[A-Za-z*\']+', stream(objects[reference(page, b'Contents')])):
        if re.fullmatch(rb'-?[\d.]+|/.*|<.*>', token):
            operands.append(token)
            continue
        if token == b'q':
            saved.append(ctm)
        elif token == b'Q':
            ctm = saved.pop()
        elif token == b'cm':
            ctm = times([float(x) for x in operands[-6:]], ctm)
        elif token == b'BT':
            text_matrix = line_matrix = identity
        elif token == b'Tf':
            font, size = operands[-2][1:], float(operands[-1])
        elif token == b'Tm':
            text_matrix = line_matrix = [float(x) for x in operands[-6:]]
        elif token == b'Td':
            text_matrix = line_matrix = times([1, 0, 0, 1, float(operands[-2]), float(operands[-1])], line_matrix)
        elif token == b'Tj':
            widths, texts = fonts[font]
            codes = operands[-1][1:-1]
            for i in range(0, len(codes), 4):
                cid = int(codes[i:i + 4], 16)
                advance = widths.get(cid, 0) / 1000 * size
                start = times(text_matrix, ctm)
                end = times([1, 0, 0, 1, advance, 0], start)
                em = abs(times([size, 0, 0, size, 0, 0], start)[3])
                drawn.append((texts.get(cid, '?'), start[4], height - start[5], end[4] - start[4], em))
                text_matrix = times([1, 0, 0, 1, advance, 0], text_matrix)
        operands = []
    return drawn


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


def page_words(pdf):
    return subprocess.run(['pdftotext', '-raw', '-f', '1', '-l', '1', pdf, '-'], check=True, capture_output=True,
                          text=True).stdout.split()


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
