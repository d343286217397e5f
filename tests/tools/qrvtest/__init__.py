"""What the test scripts, the benchmarks and the sample writer share: media
records built field by field (records), qrv-check's JSON report read back
(report), the glyphs of a printed PDF (pdf) and an exported workbook's
cells (workbook).

Scripts put tests/tools on PYTHONPATH and run Debian's /usr/bin/python3,
which has python3-pdfminer and python3-openpyxl."""
