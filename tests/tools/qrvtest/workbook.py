"""An exported workbook read back with openpyxl, as a spreadsheet reads it.

  python3 -m qrvtest.workbook BOOK.xlsx
      prints JSON: the document's title and comments, and each sheet's name
      and cells, row by row; a cell is [value, type, number format], where
      type is openpyxl's ("s" text, "n" number, "f" formula)
"""
import json
import sys

import openpyxl


def cells(path):
    book = openpyxl.load_workbook(path)
    return {
        "title": book.properties.title,
        "comments": book.properties.description,
        "sheets": [
            {
                "name": sheet.title,
                "rows": [[[c.value, c.data_type, c.number_format] for c in row] for row in sheet.iter_rows()],
            }
            for sheet in book.worksheets
        ],
    }


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    json.dump(cells(sys.argv[1]), sys.stdout, ensure_ascii=False)
