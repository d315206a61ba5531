#!/usr/bin/python3
"""Writes small workbooks that unpack into far more than they weigh, damaged
ones, and one as large as the formats allow, for the spreadsheet driver's
tests and the fuzzer's corpus. They are made here, not committed.

Usage: make_hostile_workbooks.py OUT_DIR [FIXTURES_DIR] [--large | --large-only]
  OUT_DIR        where the files go (made if missing)
  FIXTURES_DIR   tests/io/fixtures, for the damaged copies of real workbooks
                 (default: beside this script)
  --large        also the 1,048,576-row workbook of short phrases
  --large-only   only that one

Files:
  repeated-row.ods          one row repeated 1,000,000 times holding one
                            32,000-character cell repeated 10 times
  shared-string-million.xlsx one long shared string used by 1,000,000 cells
  nested.xlsx               a sheet nested 20,000,000 elements deep
  empty-shared-strings.xlsx 500 MB of empty shared strings
  many-sheets.ods           30,000,000 empty sheets
  laughs.xlsx               shared strings that expand an entity a billion times
  broken-shared-strings.xlsx, broken-styles.xlsx, broken-rels.xlsx
                            a real workbook with one part malformed half-way
  missing-shared-string.xlsx a cell naming a shared string past the table
  overrun.xls               a record whose length runs past the stream
  missing-shared-string.xls a cell naming a shared string past the table
  short-shared-strings.xls  a table that promises more strings than it holds
  max-rows.xlsx             (--large) 1,048,576 rows of phrase and hit count
"""
import os
import struct
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))

XLSX_CONTENT_TYPES = (
    '<?xml version="1.0" encoding="UTF-8"?>'
    '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
    '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
    '<Default Extension="xml" ContentType="application/xml"/></Types>')
ROOT_RELS = (
    '<?xml version="1.0" encoding="UTF-8"?>'
    '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument"'
    ' Target="xl/workbook.xml"/></Relationships>')
WORKBOOK = (
    '<?xml version="1.0" encoding="UTF-8"?>'
    '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
    ' xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
    '<sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>')
WORKBOOK_RELS = (
    '<?xml version="1.0" encoding="UTF-8"?>'
    '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
    '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet"'
    ' Target="worksheets/sheet1.xml"/>'
    '<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings"'
    ' Target="sharedStrings.xml"/></Relationships>')
SHEET_HEAD = ('<?xml version="1.0" encoding="UTF-8"?>'
              '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>')
SHEET_TAIL = '</sheetData></worksheet>'
SST_HEAD = '<?xml version="1.0" encoding="UTF-8"?><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'


def write_parts(zf, name, pieces):
    """Streams an entry from an iterable of text pieces, never whole in memory."""
    with zf.open(name, "w", force_zip64=True) as f:
        for piece in pieces:
            f.write(piece.encode())


def repeated(piece, times, per_write=1 << 16):
    """`piece` `times` times, in writes of about a megabyte."""
    block = piece * per_write
    while times >= per_write:
        yield block
        times -= per_write
    yield piece * times


def xlsx(path, sheet_pieces, sst_pieces):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as zf:
        zf.writestr("[Content_Types].xml", XLSX_CONTENT_TYPES)
        zf.writestr("_rels/.rels", ROOT_RELS)
        zf.writestr("xl/workbook.xml", WORKBOOK)
        zf.writestr("xl/_rels/workbook.xml.rels", WORKBOOK_RELS)
        write_parts(zf, "xl/worksheets/sheet1.xml", sheet_pieces)
        write_parts(zf, "xl/sharedStrings.xml", sst_pieces)


def phrase(n):
    return "phrase %d" % n


def memory_bombs(out):
    cell = "x" * 32000
    ods_head = (
        '<?xml version="1.0" encoding="UTF-8"?>'
        '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"'
        ' xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"'
        ' xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0">'
        '<office:body><office:spreadsheet>')
    ods_tail = '</office:spreadsheet></office:body></office:document-content>'
    content = (
        ods_head + '<table:table table:name="Sheet1"><table:table-row table:number-rows-repeated="1000000">'
        '<table:table-cell office:value-type="string" table:number-columns-repeated="10"><text:p>' + cell +
        '</text:p></table:table-cell></table:table-row></table:table>' + ods_tail)
    with zipfile.ZipFile(os.path.join(out, "repeated-row.ods"), "w", zipfile.ZIP_DEFLATED) as zf:
        zf.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet")
        zf.writestr("content.xml", content)
    with zipfile.ZipFile(os.path.join(out, "many-sheets.ods"), "w", zipfile.ZIP_DEFLATED) as zf:
        zf.writestr(zipfile.ZipInfo("mimetype"), "application/vnd.oasis.opendocument.spreadsheet")
        write_parts(zf, "content.xml", [ods_head, *repeated("<table:table/>", 30000000), ods_tail])

    long_text = "".join(phrase(n) + " " for n in range(3000))[:32767]
    xlsx(os.path.join(out, "shared-string-million.xlsx"),
         [SHEET_HEAD, *repeated('<row><c t="s"><v>0</v></c></row>', 1000000), SHEET_TAIL],
         [SST_HEAD, "<si><t>" + long_text + "</t></si></sst>"])

    depth = 20000000
    xlsx(os.path.join(out, "nested.xlsx"),
         [SHEET_HEAD, *repeated("<a>", depth), *repeated("</a>", depth), SHEET_TAIL],
         [SST_HEAD, "</sst>"])

    xlsx(os.path.join(out, "empty-shared-strings.xlsx"),
         [SHEET_HEAD, '<row><c t="s"><v>0</v></c></row>', SHEET_TAIL],
         [SST_HEAD, *repeated("<si/>", 100000000), "</sst>"])


def replaced_part(source, target, part, change):
    """A copy of the workbook `source` with `part` passed through `change`."""
    with zipfile.ZipFile(source) as src, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as dst:
        for info in src.infolist():
            data = src.read(info.filename)
            if info.filename == part:
                data = change(data)
            dst.writestr(info.filename, data)


def cut_half_way(data):
    """Malformed from the middle on: a closing tag that matches nothing."""
    middle = len(data) // 2
    return data[:middle] + b"</nothing>" + data[middle:]


def damaged_xlsx(out, fixtures):
    source = os.path.join(fixtures, "keywords.lo.xlsx")
    replaced_part(source, os.path.join(out, "broken-shared-strings.xlsx"), "xl/sharedStrings.xml", cut_half_way)
    replaced_part(source, os.path.join(out, "broken-styles.xlsx"), "xl/styles.xml", cut_half_way)
    replaced_part(source, os.path.join(out, "broken-rels.xlsx"), "xl/_rels/workbook.xml.rels", cut_half_way)

    laughs = ('<?xml version="1.0"?><!DOCTYPE sst [<!ENTITY lol "lol">'
              + "".join('<!ENTITY lol%d "%s">' % (i, ("&lol%s;" % ("" if i == 1 else i - 1)) * 10)
                        for i in range(1, 10))
              + ']>' + SST_HEAD[len('<?xml version="1.0" encoding="UTF-8"?>'):]
              + "".join("<si><t>&lol9;</t></si>" for _ in range(2000)) + "</sst>")
    replaced_part(source, os.path.join(out, "laughs.xlsx"), "xl/sharedStrings.xml", lambda _: laughs.encode())

    def past_the_table(sheet):
        # The first shared-string cell names index 999999.
        at = sheet.index(b't="s"')
        v = sheet.index(b"<v>", at) + 3
        return sheet[:v] + b"999999" + sheet[sheet.index(b"</v>", v):]
    replaced_part(source, os.path.join(out, "missing-shared-string.xlsx"), "xl/worksheets/sheet1.xml", past_the_table)


SST, LABELSST, EOF = 0x00FC, 0x00FD, 0x000A


def records(stream, start):
    """(offset, type, length) of the BIFF records from `start` on."""
    at = start
    while at + 4 <= len(stream):
        kind, length = struct.unpack_from("<HH", stream, at)
        yield at, kind, length
        at += 4 + length


def damaged_xls(out, fixtures):
    # xlwt writes the workbook stream in one run of sectors starting at
    # sector 0 (file offset 512): records can be found and patched in place.
    data = bytearray(open(os.path.join(fixtures, "keywords.xls"), "rb").read())
    start = 512
    found = {kind: at for at, kind, _ in reversed(list(records(data, start))) if kind in (SST, LABELSST)}
    first_label = next(at for at, kind, _ in records(data, start) if kind == LABELSST)

    overrun = bytearray(data)
    struct.pack_into("<H", overrun, first_label + 2, 0xFFF0)
    open(os.path.join(out, "overrun.xls"), "wb").write(overrun)

    past = bytearray(data)
    struct.pack_into("<I", past, first_label + 4 + 6, 999999)
    open(os.path.join(out, "missing-shared-string.xls"), "wb").write(past)

    short = bytearray(data)
    total, unique = struct.unpack_from("<II", short, found[SST] + 4)
    struct.pack_into("<II", short, found[SST] + 4, total + 5, unique + 5)
    open(os.path.join(out, "short-shared-strings.xls"), "wb").write(short)


def max_rows(out):
    def rows():
        yield SHEET_HEAD
        for first in range(0, 1048576, 4096):
            yield "".join('<row r="%d"><c r="A%d" t="inlineStr"><is><t>cheap flights %d</t></is></c>'
                          '<c r="B%d"><v>%d</v></c></row>' % (n + 1, n + 1, n, n + 1, n % 5000)
                          for n in range(first, first + 4096))
        yield SHEET_TAIL
    xlsx(os.path.join(out, "max-rows.xlsx"), rows(), [SST_HEAD, "</sst>"])


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if not args:
        sys.exit(__doc__)
    out = args[0]
    fixtures = args[1] if len(args) > 1 else os.path.join(HERE, "..", "io", "fixtures")
    os.makedirs(out, exist_ok=True)
    if "--large-only" not in sys.argv:
        memory_bombs(out)
        damaged_xlsx(out, fixtures)
        damaged_xls(out, fixtures)
    if "--large" in sys.argv or "--large-only" in sys.argv:
        max_rows(out)


if __name__ == "__main__":
    main()
