"""Independent look at workbooks for the sheet tests, through openpyxl and xlwt.

  workbook_tool.py dump FILE.xlsx       prints the sheets, cells, fonts, borders,
                                        reading orders and column widths as JSON
  workbook_tool.py make FILE.xlsx|.xls [RANGE ...]
                                        writes a sample workbook from the JSON on
                                        standard input: {"sheet name": [[cell, ...], ...]};
                                        in an .xlsx, "=..." cells are formulas stored
                                        without their values, and each RANGE ("B3:B4")
                                        is merged on every sheet
  workbook_tool.py raw FILE.xlsx [NAME] [--stated-size N]
                                        packs the XML on standard input, as it
                                        is, as the only sheet (named Sheet1 or
                                        NAME) of a workbook of no other parts;
                                        with --stated-size the sheet's headers
                                        say it unpacks to N bytes
"""
import json
import sys


def dump(path):
    import openpyxl
    from openpyxl.utils import get_column_letter

    book = openpyxl.load_workbook(path)
    out = {"sheets": book.sheetnames, "cells": {}}
    sheet = book[book.sheetnames[0]]
    out["max_row"] = sheet.max_row
    out["max_column"] = sheet.max_column
    out["right_to_left"] = bool(sheet.sheet_view.rightToLeft)
    out["widths"] = [[d.min, d.max, d.width] for d in sheet.column_dimensions.values() if d.width]
    for row in range(1, sheet.max_row + 2):
        for column in range(1, 31):
            cell = sheet.cell(row=row, column=column)
            sides = {cell.border.left.style, cell.border.right.style,
                     cell.border.top.style, cell.border.bottom.style}
            border = sides.pop() if len(sides) == 1 else "mixed"
            out["cells"][f"{get_column_letter(column)}{row}"] = {
                "value": cell.value,
                "type": cell.data_type,
                "bold": bool(cell.font.b),
                "border": border or "",
                "left_to_right": cell.alignment.readingOrder == 1,
                "format": cell.number_format,
            }
    print(json.dumps(out, ensure_ascii=False))


def make(path):
    sheets = json.load(sys.stdin)
    if path.endswith(".xls"):
        import xlwt
        book = xlwt.Workbook(encoding="utf-8")
        for name, rows in sheets.items():
            sheet = book.add_sheet(name)
            for r, row in enumerate(rows):
                for c, value in enumerate(row):
                    if value is not None:
                        sheet.write(r, c, value)
        book.save(path)
    else:
        import openpyxl
        book = openpyxl.Workbook()
        book.remove(book.active)
        for name, rows in sheets.items():
            sheet = book.create_sheet(name)
            for r, row in enumerate(rows):
                for c, value in enumerate(row):
                    if value is not None:
                        sheet.cell(row=r + 1, column=c + 1, value=value)
            for merged in sys.argv[3:]:
                sheet.merge_cells(merged)
        book.save(path)


def raw(path):
    import struct
    import zipfile
    args = sys.argv[3:]
    stated = None
    if "--stated-size" in args:
        at = args.index("--stated-size")
        stated = int(args[at + 1])
        del args[at:at + 2]
    name = args[0] if args else "Sheet1"
    main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
    rels = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as book:
        book.writestr("xl/workbook.xml",
                      f'<workbook xmlns="{main}" xmlns:r="{rels}"><sheets>'
                      f'<sheet name="{name}" sheetId="1" r:id="rId1"/></sheets></workbook>')
        book.writestr("xl/_rels/workbook.xml.rels",
                      '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                      f'<Relationship Id="rId1" Type="{rels}/worksheet" Target="worksheets/sheet1.xml"/>'
                      '</Relationships>')
        book.writestr("xl/worksheets/sheet1.xml", sys.stdin.buffer.read())
    if stated is not None:
        # The unpacked size in the sheet's local header (its name at 30, the
        # size at 22) and in its entry of the central directory, the last
        # place its name stands (at 46, the size at 24).
        data = bytearray(open(path, "rb").read())
        sheet = b"xl/worksheets/sheet1.xml"
        struct.pack_into("<I", data, data.index(sheet) - 30 + 22, stated)
        struct.pack_into("<I", data, data.rindex(sheet) - 46 + 24, stated)
        open(path, "wb").write(data)


if __name__ == "__main__":
    {"dump": dump, "make": make, "raw": raw}[sys.argv[1]](sys.argv[2])
