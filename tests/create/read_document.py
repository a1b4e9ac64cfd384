"""Opens a created entry with a reader that is not ours and says what it found.

Usage: read_document.py KIND PATH   (KIND: folder, docx, xlsx, pptx, pdf, txt)
Prints one line describing the document and exits 0, or prints the complaint and exits 1.
"""
import os
import posixpath
import subprocess
import sys
import warnings
import zipfile
from xml.etree import ElementTree

warnings.simplefilter("error")  # a reader's warning is a complaint


def package(path):
    """Checks an Office package: well-formed parts, a content type for each, and every
    internal relationship pointing at a part that exists."""
    with zipfile.ZipFile(path) as z:
        if z.testzip() is not None:
            raise ValueError("damaged entry")
        names = set(z.namelist())
        types = ElementTree.fromstring(z.read("[Content_Types].xml"))
        ns = "{http://schemas.openxmlformats.org/package/2006/content-types}"
        defaults = {d.get("Extension") for d in types.iter(ns + "Default")}
        overrides = {o.get("PartName").lstrip("/") for o in types.iter(ns + "Override")}
        for name in names:
            if name.endswith("/"):
                continue
            ElementTree.fromstring(z.read(name))
            if name != "[Content_Types].xml" and name not in overrides and name.rsplit(".", 1)[-1] not in defaults:
                raise ValueError("no content type for " + name)
        missing = overrides - names
        if missing:
            raise ValueError("declared but missing: %s" % sorted(missing))
        for name in names:
            if not name.endswith(".rels"):
                continue
            folder = posixpath.dirname(posixpath.dirname(name))
            for rel in ElementTree.fromstring(z.read(name)):
                if rel.get("TargetMode") == "External":
                    continue
                target = posixpath.normpath(posixpath.join(folder, rel.get("Target"))).lstrip("/")
                if target not in names:
                    raise ValueError("%s points at missing %s" % (name, target))
        return z


def main(kind, path):
    if kind == "folder":
        if not os.path.isdir(path) or os.listdir(path):
            raise ValueError("not an empty folder")
        return "empty folder"
    if os.path.getsize(path) == 0:
        raise ValueError("empty file")
    if kind == "docx":
        import docx
        package(path)
        document = docx.Document(path)
        return "docx paragraphs=%d text=%r" % (len(document.paragraphs), "".join(p.text for p in document.paragraphs))
    if kind == "xlsx":
        import openpyxl
        package(path)
        book = openpyxl.load_workbook(path)
        sheet = book.active
        return "xlsx sheets=%d cells=%d" % (len(book.worksheets), sum(1 for row in sheet.iter_rows() for c in row if c.value is not None))
    if kind == "pptx":
        package(path)
        with zipfile.ZipFile(path) as z:
            p = "{http://schemas.openxmlformats.org/presentationml/2006/main}"
            root = ElementTree.fromstring(z.read("ppt/presentation.xml"))
            masters = root.findall(p + "sldMasterIdLst/" + p + "sldMasterId")
            slides = root.findall(p + "sldIdLst/" + p + "sldId")
            if not masters or root.find(p + "sldSz") is None or root.find(p + "notesSz") is None:
                raise ValueError("presentation without master or sizes")
        return "pptx masters=%d slides=%d" % (len(masters), len(slides))
    if kind == "pdf":
        check = subprocess.run(["qpdf", "--check", path], capture_output=True, text=True)
        if check.returncode != 0:
            raise ValueError(check.stdout + check.stderr)
        info = subprocess.run(["pdfinfo", path], capture_output=True, text=True, check=True).stdout
        pages = [l.split()[-1] for l in info.splitlines() if l.startswith("Pages:")]
        return "pdf pages=%s" % pages[0]
    if kind == "txt":
        with open(path, encoding="utf-8-sig") as f:
            return "txt text=%r" % f.read()
    raise ValueError("unknown kind " + kind)


if __name__ == "__main__":
    try:
        print(main(sys.argv[1], sys.argv[2]))
    except Exception as e:  # any complaint of any reader fails the check
        print("%s: %s" % (type(e).__name__, e))
        sys.exit(1)
