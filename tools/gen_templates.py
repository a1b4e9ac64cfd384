#!/usr/bin/python3
"""Writes the creation templates: one valid, empty document per kind, and the folder entry.

    /usr/bin/python3 tools/gen_templates.py resources/template

Batch creation copies these files, so each must open in its own application as a new,
empty document: a Word document with one empty paragraph, a workbook with one empty sheet,
a presentation with one blank slide, a PDF with one blank A4 page, and a text file holding
only the UTF-8 byte order mark (so that editors which guess the encoding keep Chinese text
in UTF-8). The output is the same, byte for byte, on every run: the zip entries are stored,
not deflated (no dependence on the zlib version), in a fixed order with a fixed time stamp,
and nothing carries the date of the run. Only the standard library is used.
"""
import os
import sys
import zipfile

# The earliest time a zip entry can hold; no document claims to be from the day it was made.
STAMP = (1980, 1, 1, 0, 0, 0)

XML = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
CT = "http://schemas.openxmlformats.org/package/2006/content-types"
PKG_REL = "http://schemas.openxmlformats.org/package/2006/relationships"
DOC_REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
W = "http://schemas.openxmlformats.org/wordprocessingml/2006/main"
S = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
A = "http://schemas.openxmlformats.org/drawingml/2006/main"
P = "http://schemas.openxmlformats.org/presentationml/2006/main"
OFFICE = "application/vnd.openxmlformats-officedocument."


def content_types(overrides):
    items = "".join('<Override PartName="%s" ContentType="%s"/>' % (part, kind) for part, kind in overrides)
    return (XML + '<Types xmlns="%s">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>%s</Types>' % (CT, items))


def relationships(rels):
    items = "".join('<Relationship Id="rId%d" Type="%s/%s" Target="%s"/>' % (i + 1, DOC_REL, kind, target)
                    for i, (kind, target) in enumerate(rels))
    return XML + '<Relationships xmlns="%s">%s</Relationships>' % (PKG_REL, items)


def write_zip(path, parts):
    with open(path, "wb") as out:
        with zipfile.ZipFile(out, "w", zipfile.ZIP_STORED) as z:
            for name, text in parts:
                info = zipfile.ZipInfo(name, date_time=STAMP)
                info.compress_type = zipfile.ZIP_STORED
                info.create_system = 0
                info.create_version = 20
                info.extract_version = 20
                info.external_attr = 0
                z.writestr(info, text.encode("utf-8"))


def word(path):
    document = (XML + '<w:document xmlns:w="%s" xmlns:r="%s"><w:body><w:p/>'
                '<w:sectPr><w:pgSz w:w="11906" w:h="16838"/>'
                '<w:pgMar w:top="1440" w:right="1800" w:bottom="1440" w:left="1800" w:header="851" w:footer="992" w:gutter="0"/>'
                '<w:cols w:space="425"/><w:docGrid w:type="lines" w:linePitch="312"/></w:sectPr>'
                '</w:body></w:document>' % (W, DOC_REL))
    styles = (XML + '<w:styles xmlns:w="%s"><w:docDefaults><w:rPrDefault><w:rPr>'
              '<w:rFonts w:ascii="Calibri" w:eastAsia="SimSun" w:hAnsi="Calibri" w:cs="Times New Roman"/>'
              '<w:kern w:val="2"/><w:sz w:val="21"/><w:szCs w:val="22"/>'
              '<w:lang w:val="en-US" w:eastAsia="zh-CN" w:bidi="ar-SA"/></w:rPr></w:rPrDefault>'
              '<w:pPrDefault/></w:docDefaults>'
              '<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/>'
              '<w:qFormat/><w:pPr><w:widowControl w:val="0"/><w:jc w:val="both"/></w:pPr></w:style>'
              '<w:style w:type="character" w:default="1" w:styleId="DefaultParagraphFont">'
              '<w:name w:val="Default Paragraph Font"/><w:uiPriority w:val="1"/><w:semiHidden/><w:unhideWhenUsed/></w:style>'
              '</w:styles>' % W)
    settings = (XML + '<w:settings xmlns:w="%s"><w:defaultTabStop w:val="420"/>'
                '<w:characterSpacingControl w:val="compressPunctuation"/>'
                '<w:compat><w:compatSetting w:name="compatibilityMode" w:uri="http://schemas.microsoft.com/office/word" w:val="15"/></w:compat>'
                '</w:settings>' % W)
    write_zip(path, [
        ("[Content_Types].xml", content_types([
            ("/word/document.xml", OFFICE + "wordprocessingml.document.main+xml"),
            ("/word/styles.xml", OFFICE + "wordprocessingml.styles+xml"),
            ("/word/settings.xml", OFFICE + "wordprocessingml.settings+xml")])),
        ("_rels/.rels", relationships([("officeDocument", "word/document.xml")])),
        ("word/document.xml", document),
        ("word/_rels/document.xml.rels", relationships([("styles", "styles.xml"), ("settings", "settings.xml")])),
        ("word/styles.xml", styles),
        ("word/settings.xml", settings),
    ])


def excel(path):
    workbook = (XML + '<workbook xmlns="%s" xmlns:r="%s"><bookViews><workbookView activeTab="0"/></bookViews>'
                '<sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>' % (S, DOC_REL))
    sheet = (XML + '<worksheet xmlns="%s" xmlns:r="%s"><dimension ref="A1"/>'
             '<sheetViews><sheetView tabSelected="1" workbookViewId="0"/></sheetViews>'
             '<sheetFormatPr defaultRowHeight="15"/><sheetData/>'
             '<pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>'
             '</worksheet>' % (S, DOC_REL))
    styles = (XML + '<styleSheet xmlns="%s">'
              '<fonts count="1"><font><sz val="11"/><name val="Calibri"/><family val="2"/></font></fonts>'
              '<fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills>'
              '<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>'
              '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>'
              '<cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs>'
              '<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>'
              '</styleSheet>' % S)
    write_zip(path, [
        ("[Content_Types].xml", content_types([
            ("/xl/workbook.xml", OFFICE + "spreadsheetml.sheet.main+xml"),
            ("/xl/worksheets/sheet1.xml", OFFICE + "spreadsheetml.worksheet+xml"),
            ("/xl/styles.xml", OFFICE + "spreadsheetml.styles+xml")])),
        ("_rels/.rels", relationships([("officeDocument", "xl/workbook.xml")])),
        ("xl/workbook.xml", workbook),
        ("xl/_rels/workbook.xml.rels", relationships([("worksheet", "worksheets/sheet1.xml"), ("styles", "styles.xml")])),
        ("xl/worksheets/sheet1.xml", sheet),
        ("xl/styles.xml", styles),
    ])


SP_TREE = ('<p:spTree><p:nvGrpSpPr><p:cNvPr id="1" name=""/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>'
           '<p:grpSpPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="0" cy="0"/><a:chOff x="0" y="0"/>'
           '<a:chExt cx="0" cy="0"/></a:xfrm></p:grpSpPr></p:spTree>')
NS_P = 'xmlns:a="%s" xmlns:r="%s" xmlns:p="%s"' % (A, DOC_REL, P)


def theme():
    colors = [("dk1", '<a:sysClr val="windowText" lastClr="000000"/>'),
              ("lt1", '<a:sysClr val="window" lastClr="FFFFFF"/>'),
              ("dk2", '<a:srgbClr val="44546A"/>'), ("lt2", '<a:srgbClr val="E7E6E6"/>'),
              ("accent1", '<a:srgbClr val="4472C4"/>'), ("accent2", '<a:srgbClr val="ED7D31"/>'),
              ("accent3", '<a:srgbClr val="A5A5A5"/>'), ("accent4", '<a:srgbClr val="FFC000"/>'),
              ("accent5", '<a:srgbClr val="5B9BD5"/>'), ("accent6", '<a:srgbClr val="70AD47"/>'),
              ("hlink", '<a:srgbClr val="0563C1"/>'), ("folHlink", '<a:srgbClr val="954F72"/>')]
    scheme = "".join("<a:%s>%s</a:%s>" % (name, value, name) for name, value in colors)
    fill = '<a:solidFill><a:schemeClr val="phClr"/></a:solidFill>'
    line = '<a:ln w="%d"><a:solidFill><a:schemeClr val="phClr"/></a:solidFill></a:ln>'
    return (XML + '<a:theme xmlns:a="%s" name="Office Theme"><a:themeElements>'
            '<a:clrScheme name="Office">%s</a:clrScheme>'
            '<a:fontScheme name="Office">'
            '<a:majorFont><a:latin typeface="Calibri Light"/><a:ea typeface=""/><a:cs typeface=""/></a:majorFont>'
            '<a:minorFont><a:latin typeface="Calibri"/><a:ea typeface=""/><a:cs typeface=""/></a:minorFont>'
            '</a:fontScheme>'
            '<a:fmtScheme name="Office"><a:fillStyleLst>%s</a:fillStyleLst>'
            '<a:lnStyleLst>%s</a:lnStyleLst>'
            '<a:effectStyleLst>%s</a:effectStyleLst>'
            '<a:bgFillStyleLst>%s</a:bgFillStyleLst></a:fmtScheme>'
            '</a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>'
            % (A, scheme, fill * 3, "".join(line % w for w in (6350, 12700, 19050)),
               "<a:effectStyle><a:effectLst/></a:effectStyle>" * 3, fill * 3))


def powerpoint(path):
    presentation = (XML + '<p:presentation %s saveSubsetFonts="1">'
                    '<p:sldMasterIdLst><p:sldMasterId id="2147483648" r:id="rId1"/></p:sldMasterIdLst>'
                    '<p:sldIdLst><p:sldId id="256" r:id="rId2"/></p:sldIdLst>'
                    '<p:sldSz cx="12192000" cy="6858000"/><p:notesSz cx="6858000" cy="9144000"/>'
                    '</p:presentation>' % NS_P)
    level = '<a:lvl1pPr><a:defRPr sz="%d"><a:solidFill><a:schemeClr val="tx1"/></a:solidFill><a:latin typeface="+%s-lt"/><a:ea typeface="+%s-ea"/><a:cs typeface="+%s-cs"/></a:defRPr></a:lvl1pPr>'
    master = (XML + '<p:sldMaster %s><p:cSld><p:bg><p:bgRef idx="1001"><a:schemeClr val="bg1"/></p:bgRef></p:bg>%s</p:cSld>'
              '<p:clrMap bg1="lt1" tx1="dk1" bg2="lt2" tx2="dk2" accent1="accent1" accent2="accent2" accent3="accent3" '
              'accent4="accent4" accent5="accent5" accent6="accent6" hlink="hlink" folHlink="folHlink"/>'
              '<p:sldLayoutIdLst><p:sldLayoutId id="2147483649" r:id="rId1"/></p:sldLayoutIdLst>'
              '<p:txStyles><p:titleStyle>%s</p:titleStyle><p:bodyStyle>%s</p:bodyStyle><p:otherStyle>%s</p:otherStyle></p:txStyles>'
              '</p:sldMaster>' % (NS_P, SP_TREE, level % (4400, "mj", "mj", "mj"),
                                  level % (2800, "mn", "mn", "mn"), level % (1800, "mn", "mn", "mn")))
    layout = (XML + '<p:sldLayout %s type="blank" preserve="1"><p:cSld name="Blank">%s</p:cSld>'
              '<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>' % (NS_P, SP_TREE))
    slide = (XML + '<p:sld %s><p:cSld>%s</p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sld>'
             % (NS_P, SP_TREE))
    pres_props = XML + '<p:presentationPr %s/>' % NS_P
    view_props = (XML + '<p:viewPr %s><p:normalViewPr><p:restoredLeft sz="15620"/><p:restoredTop sz="94660"/>'
                  '</p:normalViewPr><p:gridSpacing cx="72008" cy="72008"/></p:viewPr>' % NS_P)
    table_styles = XML + '<a:tblStyleLst xmlns:a="%s" def="{5C22544A-7EE6-4342-B048-85BDC9FD1C3A}"/>' % A
    pml = OFFICE + "presentationml."
    write_zip(path, [
        ("[Content_Types].xml", content_types([
            ("/ppt/presentation.xml", pml + "presentation.main+xml"),
            ("/ppt/slideMasters/slideMaster1.xml", pml + "slideMaster+xml"),
            ("/ppt/slideLayouts/slideLayout1.xml", pml + "slideLayout+xml"),
            ("/ppt/slides/slide1.xml", pml + "slide+xml"),
            ("/ppt/theme/theme1.xml", OFFICE + "theme+xml"),
            ("/ppt/presProps.xml", pml + "presProps+xml"),
            ("/ppt/viewProps.xml", pml + "viewProps+xml"),
            ("/ppt/tableStyles.xml", pml + "tableStyles+xml")])),
        ("_rels/.rels", relationships([("officeDocument", "ppt/presentation.xml")])),
        ("ppt/presentation.xml", presentation),
        ("ppt/_rels/presentation.xml.rels", relationships([
            ("slideMaster", "slideMasters/slideMaster1.xml"), ("slide", "slides/slide1.xml"),
            ("theme", "theme/theme1.xml"), ("presProps", "presProps.xml"),
            ("viewProps", "viewProps.xml"), ("tableStyles", "tableStyles.xml")])),
        ("ppt/slideMasters/slideMaster1.xml", master),
        ("ppt/slideMasters/_rels/slideMaster1.xml.rels", relationships([
            ("slideLayout", "../slideLayouts/slideLayout1.xml"), ("theme", "../theme/theme1.xml")])),
        ("ppt/slideLayouts/slideLayout1.xml", layout),
        ("ppt/slideLayouts/_rels/slideLayout1.xml.rels", relationships([("slideMaster", "../slideMasters/slideMaster1.xml")])),
        ("ppt/slides/slide1.xml", slide),
        ("ppt/slides/_rels/slide1.xml.rels", relationships([("slideLayout", "../slideLayouts/slideLayout1.xml")])),
        ("ppt/theme/theme1.xml", theme()),
        ("ppt/presProps.xml", pres_props),
        ("ppt/viewProps.xml", view_props),
        ("ppt/tableStyles.xml", table_styles),
    ])


def pdf(path):
    # One blank A4 page; the cross-reference table is computed from the real offsets.
    objects = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << >> /Contents 4 0 R >>",
        b"<< /Length 0 >>\nstream\n\nendstream",
    ]
    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n" % (len(objects) + 1)
    out += b"0000000000 65535 f \n"
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    with open(path, "wb") as f:
        f.write(bytes(out))


def text(path):
    with open(path, "wb") as f:
        f.write(b"\xef\xbb\xbf")


def main(folder):
    os.makedirs(os.path.join(folder, "folder"), exist_ok=True)
    word(os.path.join(folder, "Word.docx"))
    excel(os.path.join(folder, "Excel.xlsx"))
    powerpoint(os.path.join(folder, "PPT.pptx"))
    pdf(os.path.join(folder, "PDF.pdf"))
    text(os.path.join(folder, "Txt.txt"))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: gen_templates.py FOLDER")
    main(sys.argv[1])
