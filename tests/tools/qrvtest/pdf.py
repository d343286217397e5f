"""The glyphs and the text of a printed PDF.

  python3 -m qrvtest.pdf bare-text IN.pdf OUT.txt
      writes the text without blanks and without Thai marks (bare_text)
  python3 -m qrvtest.pdf from-job JOB OUT.pdf
      writes the PDF inside a print job (pdf_of_job)
"""
import re
import subprocess
import sys

from pdfminer.converter import PDFPageAggregator
from pdfminer.layout import LTChar, LTContainer
from pdfminer.pdfinterp import PDFPageInterpreter, PDFResourceManager
from pdfminer.pdfpage import PDFPage


def _chars(item):
    if isinstance(item, LTChar):
        yield item
    elif isinstance(item, LTContainer):
        for child in item:
            yield from _chars(child)


def glyphs(path):
    """Each glyph drawn on page 1: (text, x, baseline, advance, em), in points
    from the page's top left corner.

    The baseline and the em come from the text matrix, not from the glyph's
    box, whose height is the ascent and descent the PDF's font record states:
    Qt's GDI font engine states them in another scale than FreeType for the
    same face."""
    with open(path, "rb") as data:
        manager = PDFResourceManager()
        device = PDFPageAggregator(manager)
        interpreter = PDFPageInterpreter(manager, device)
        interpreter.process_page(next(PDFPage.get_pages(data, maxpages=1)))
        page = device.get_result()
    drawn = []
    for char in _chars(page):
        a, _, _, _, e, f = char.matrix
        drawn.append((char.get_text(), e, page.y1 - f, char.adv * a, char.size))
    return drawn


def page_words(path, page=1):
    """The words of one page, as pdftotext -raw reads them."""
    return subprocess.run(["pdftotext", "-raw", "-f", str(page), "-l", str(page), path, "-"], check=True,
                          capture_output=True, text=True).stdout.split()


# Thai marks written above or below their consonant, as themselves or as the
# font's shifted forms (U+F700-F71F).
_BLANKS_AND_MARKS = re.compile(r"[\s\u0E31\u0E34-\u0E3A\u0E47-\u0E4E\uF700-\uF71F]")


def bare_text(path):
    """A PDF's text (pdftotext -raw) without blanks and without the Thai marks
    above and below the line, SARA AM read as SARA AA: what survives a
    printer driver's route through PostScript."""
    text = subprocess.run(["pdftotext", "-raw", path, "-"], check=True, capture_output=True, text=True).stdout
    return _BLANKS_AND_MARKS.sub("", text).replace("\u0E33", "\u0E32")


def pdf_of_job(job):
    """The PDF inside a print job's bytes, which a PDF printer wraps in
    printer job language."""
    return job[job.index(b"%PDF"):job.rindex(b"%%EOF") + 5]


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "bare-text":
        with open(sys.argv[3], "w", encoding="utf-8") as out:
            out.write(bare_text(sys.argv[2]))
    elif len(sys.argv) == 4 and sys.argv[1] == "from-job":
        with open(sys.argv[2], "rb") as job, open(sys.argv[3], "wb") as out:
            out.write(pdf_of_job(job.read()))
    else:
        sys.exit(__doc__)
