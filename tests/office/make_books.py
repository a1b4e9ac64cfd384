"""Builds the workbooks the office tests read, with writers independent of ours.

Usage: make_books.py CASE PATH
openpyxl makes the ordinary books; the broken and hostile ones are zipped by
hand from raw parts, since no sane writer produces them.
"""
import sys
import zipfile
import zlib

import openpyxl

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
RELNS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_RELS = ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>')
CONTENT_TYPES = ('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                 '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
                 '<Default Extension="xml" ContentType="application/xml"/></Types>')


def workbook_xml(sheets, active=0):
    items = "".join('<sheet name="%s" sheetId="%d" r:id="rId%d"/>' % (name, i + 1, i + 1)
                    for i, name in enumerate(sheets))
    return ('<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="%s" xmlns:r="%s">'
            '<bookViews><workbookView activeTab="%d"/></bookViews><sheets>%s</sheets></workbook>'
            % (MAIN, RELNS, active, items))


def workbook_rels(kinds, shared=True):
    rels = "".join('<Relationship Id="rId%d" Type="%s/%s" Target="%s"/>'
                   % (i + 1, RELNS, kind, target) for i, (kind, target) in enumerate(kinds))
    if shared:
        rels += '<Relationship Id="rIdS" Type="%s/sharedStrings" Target="sharedStrings.xml"/>' % RELNS
    return ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">%s</Relationships>' % rels)


def sheet_xml(rows_xml, dimension="A1"):
    return ('<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="%s" xmlns:r="%s"><dimension ref="%s"/>'
            '<sheetData>%s</sheetData></worksheet>' % (MAIN, RELNS, dimension, rows_xml))


def shared_xml(items):
    return ('<?xml version="1.0" encoding="UTF-8"?><sst xmlns="%s" count="%d" uniqueCount="%d">%s</sst>'
            % (MAIN, len(items), len(items), "".join(items)))


def raw_book(path, sheet, shared=None, extra=None, drop=(), workbook=None, rels=None):
    parts = {
        "[Content_Types].xml": CONTENT_TYPES,
        "_rels/.rels": PKG_RELS,
        "xl/workbook.xml": workbook or workbook_xml(["Sheet1"]),
        "xl/_rels/workbook.xml.rels": rels or workbook_rels([("worksheet", "worksheets/sheet1.xml")]),
        "xl/worksheets/sheet1.xml": sheet,
    }
    if shared is not None:
        parts["xl/sharedStrings.xml"] = shared
    parts.update(extra or {})
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in parts.items():
            if name not in drop:
                z.writestr(name, data)


def openpyxl_book(path, fill, sheets=1, active=0):
    wb = openpyxl.Workbook()
    for i in range(1, sheets):
        wb.create_sheet("Sheet%d" % (i + 1))
    fill(wb)
    wb.active = active
    wb.save(path)


def case(name, path):
    if name == "plain":
        def fill(wb):
            ws = wb.active
            for row in (["alpha", "beta"], ["gamma"], ["delta", "epsilon", "zeta"]):
                ws.append(row)
        openpyxl_book(path, fill)
    elif name == "sparse":
        def fill(wb):
            ws = wb.active
            ws["C1"] = "third column only"
            ws["A3"] = "after a gap"
            ws["B3"] = "two"
            ws["A5"] = "last"
        openpyxl_book(path, fill)
    elif name == "starts at row 3":
        def fill(wb):
            ws = wb.active
            ws["A3"] = "first name"
            ws["A4"] = "second name"
        openpyxl_book(path, fill)
    elif name == "numbers and booleans":
        def fill(wb):
            ws = wb.active
            ws.append([12, 1.5, -3, 0.1])
            ws.append([True, False, "text", 1e20])
        openpyxl_book(path, fill)
    elif name == "second sheet active":
        def fill(wb):
            wb.worksheets[0]["A1"] = "first sheet"
            wb.worksheets[1]["A1"] = "second sheet"
            wb.worksheets[1]["A2"] = "second row"
        openpyxl_book(path, fill, sheets=2, active=1)
    elif name == "empty sheet":
        openpyxl_book(path, lambda wb: None)
    elif name == "chinese and spaces":
        def fill(wb):
            ws = wb.active
            ws.append(["报告 最终版.docx", "  leading and trailing  "])
            ws.append(["=not a formula"])
            ws["A2"].data_type = "s"
        openpyxl_book(path, fill)
    elif name == "inline and rich text":
        raw_book(path, sheet_xml(
            '<row r="1"><c r="A1" t="inlineStr"><is><t>inline</t></is></c>'
            '<c r="B1" t="inlineStr"><is><r><t>ri</t></r><r><rPr><b/></rPr><t xml:space="preserve">ch </t></r></is></c>'
            '<c r="C1" t="s"><v>0</v></c></row>'
            '<row r="2"><c r="A2" t="str"><f>A1</f><v>cached</v></c><c r="B2" t="e"><v>#N/A</v></c>'
            '<c r="C2"><f>1+1</f><v>2</v></c><c r="D2" s="1"/></row>'),
            shared_xml(['<si><r><t>漢</t></r><r><t>字</t></r><rPh sb="0" eb="1"><t>かん</t></rPh></si>']))
    elif name == "escaped characters":
        raw_book(path, sheet_xml('<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>'),
                 shared_xml(['<si><t>a_x0009_b</t></si>', '<si><t>x_x005F_x0041_y</t></si>']))
    elif name == "rows without references":
        raw_book(path, sheet_xml('<row><c t="inlineStr"><is><t>a</t></is></c><c t="inlineStr"><is><t>b</t></is></c></row>'
                                 '<row><c r="B2" t="inlineStr"><is><t>c</t></is></c><c t="inlineStr"><is><t>d</t></is></c></row>'))
    elif name == "out of order and duplicate":
        raw_book(path, sheet_xml('<row r="2"><c r="B2"><v>2</v></c><c r="A2"><v>1</v></c></row>'
                                 '<row r="1"><c r="A1"><v>0</v></c></row>'
                                 '<row r="2"><c r="B2"><v>3</v></c></row>'))
    elif name == "declared huge range":
        raw_book(path, sheet_xml('<row r="1"><c r="A1" t="inlineStr"><is><t>only</t></is></c></row>',
                                 dimension="A1:XFD1048576"))
    elif name == "cell at the last row and column":
        raw_book(path, sheet_xml('<row r="1"><c r="A1"><v>1</v></c></row>'
                                 '<row r="1048576"><c r="XFD1048576" t="inlineStr"><is><t>corner</t></is></c></row>'))
    elif name == "chart sheet active":
        raw_book(path, sheet_xml(""), workbook=workbook_xml(["Sheet1", "Chart1"], active=1),
                 rels=workbook_rels([("worksheet", "worksheets/sheet1.xml"), ("chartsheet", "chartsheets/sheet1.xml")]),
                 extra={"xl/chartsheets/sheet1.xml": "<chartsheet xmlns='%s'/>" % MAIN})
    elif name == "no sheets":
        raw_book(path, sheet_xml(""), workbook=workbook_xml([]))
    elif name == "not a zip":
        with open(path, "w") as f:
            f.write("this is a text file with an .xlsx name\n")
    elif name == "empty file":
        open(path, "wb").close()
    elif name == "truncated zip":
        case("plain", path)
        data = open(path, "rb").read()
        open(path, "wb").write(data[: len(data) // 2])
    elif name == "missing workbook":
        raw_book(path, sheet_xml(""), drop=("xl/workbook.xml",))
    elif name == "missing worksheet":
        raw_book(path, sheet_xml(""), drop=("xl/worksheets/sheet1.xml",))
    elif name == "sheet without relationship":
        raw_book(path, sheet_xml(""), rels=workbook_rels([]))
    elif name == "malformed sheet":
        raw_book(path, sheet_xml('<row r="1"><c r="A1"><v>1</v></row>'))
    elif name == "malformed shared strings":
        raw_book(path, sheet_xml('<row r="1"><c r="A1" t="s"><v>0</v></c></row>'), "<sst><si><t>open")
    elif name == "shared index out of range":
        raw_book(path, sheet_xml('<row r="1"><c r="A1" t="s"><v>7</v></c></row>'),
                 shared_xml(['<si><t>only one</t></si>']))
    elif name == "shared strings missing":
        raw_book(path, sheet_xml('<row r="1"><c r="A1" t="s"><v>0</v></c></row>'))
    elif name == "row beyond the grid":
        raw_book(path, sheet_xml('<row r="1048577"><c r="A1048577"><v>1</v></c></row>'))
    elif name == "bad cell reference":
        raw_book(path, sheet_xml('<row r="1"><c r="1A"><v>1</v></c></row>'))
    elif name == "entity expansion":
        bomb = ('<?xml version="1.0"?><!DOCTYPE lolz [<!ENTITY lol "lol">'
                '<!ENTITY lol2 "&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;">'
                '<!ENTITY lol3 "&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;">]>'
                '<worksheet xmlns="%s"><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>&lol3;</t></is></c></row></sheetData></worksheet>' % MAIN)
        raw_book(path, bomb)
    elif name == "inflates past the limit":
        # A sheet part that inflates to 200 MB of blanks inside a valid sheet.
        head = sheet_xml("").split("<sheetData>")[0].encode() + b"<sheetData>"
        tail = b"</sheetData></worksheet>"
        with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
            for name_, data in (("[Content_Types].xml", CONTENT_TYPES), ("_rels/.rels", PKG_RELS),
                                ("xl/workbook.xml", workbook_xml(["Sheet1"])),
                                ("xl/_rels/workbook.xml.rels", workbook_rels([("worksheet", "worksheets/sheet1.xml")]))):
                z.writestr(name_, data)
            with z.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as out:
                out.write(head)
                block = b" " * (1 << 20)
                for _ in range(200):
                    out.write(block)
                out.write(tail)
    elif name == "too many cells":
        # More cells than the reader keeps, each one tiny.
        rows = "".join('<row r="%d">%s</row>' % (r + 1, "<c/>" * 1000) for r in range(2001))
        raw_book(path, sheet_xml(rows))
    elif name == "blanks near the limit":
        # 60 MB of blanks between two cells: valid, slow to parse, under the limit.
        head = sheet_xml("").split("<sheetData>")[0].encode() + b'<sheetData><row r="1"><c r="A1"><v>1</v></c></row>'
        tail = b'<row r="2"><c r="A2"><v>2</v></c></row></sheetData></worksheet>'
        with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
            for name_, data in (("[Content_Types].xml", CONTENT_TYPES), ("_rels/.rels", PKG_RELS),
                                ("xl/workbook.xml", workbook_xml(["Sheet1"])),
                                ("xl/_rels/workbook.xml.rels", workbook_rels([("worksheet", "worksheets/sheet1.xml")]))):
                z.writestr(name_, data)
            with z.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as out:
                out.write(head)
                block = b" " * (1 << 20)
                for _ in range(60):
                    out.write(block)
                out.write(tail)
    elif name == "too many entries":
        case("plain", path)
        with zipfile.ZipFile(path, "a", zipfile.ZIP_STORED) as z:
            for i in range(70000):
                z.writestr("pad/%d" % i, b"")
    elif name == "long entry names":
        # Names longer than any part name; the workbook itself is fine.
        case("plain", path)
        with zipfile.ZipFile(path, "a", zipfile.ZIP_STORED) as z:
            z.writestr("x" * 1024, b"exactly a buffer")
            z.writestr("y" * 5000, b"far past it")
    elif name == "declared size lies":
        # The sheet says it inflates to 40 bytes; it really holds far more.
        case("plain", path)
        data = bytearray(open(path, "rb").read())
        target = b"xl/worksheets/sheet1.xml"
        import struct
        central = data.find(b"PK\x01\x02")
        while central >= 0:
            name_len, = struct.unpack_from("<H", data, central + 28)
            if bytes(data[central + 46:central + 46 + name_len]) == target:
                struct.pack_into("<I", data, central + 24, 40)
                local, = struct.unpack_from("<I", data, central + 42)
                struct.pack_into("<I", data, local + 22, 40)
            central = data.find(b"PK\x01\x02", central + 4)
        open(path, "wb").write(bytes(data))
    elif name == "damaged data":
        # Flip bytes inside the stored sheet: the checksum no longer matches.
        sheet = sheet_xml('<row r="1"><c r="A1" t="inlineStr"><is><t>%s</t></is></c></row>' % ("x" * 64))
        with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as z:
            z.writestr("[Content_Types].xml", CONTENT_TYPES)
            z.writestr("_rels/.rels", PKG_RELS)
            z.writestr("xl/workbook.xml", workbook_xml(["Sheet1"]))
            z.writestr("xl/_rels/workbook.xml.rels", workbook_rels([("worksheet", "worksheets/sheet1.xml")]))
            z.writestr("xl/worksheets/sheet1.xml", sheet)
        data = bytearray(open(path, "rb").read())
        at = data.find(b"x" * 64)
        data[at:at + 4] = b"yyyy"
        open(path, "wb").write(bytes(data))
    else:
        raise SystemExit("unknown case " + name)


if __name__ == "__main__":
    case(sys.argv[1], sys.argv[2])
