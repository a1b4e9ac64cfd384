#include "office/Docx.h"

#include "office/ZipPackage.h"

#include <QXmlStreamWriter>

namespace {

const char contentTypes[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/><Override PartName="/docProps/app.xml" ContentType="application/vnd.openxmlformats-officedocument.extended-properties+xml"/></Types>)";

const char packageRelationships[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties" Target="docProps/app.xml"/></Relationships>)";

const char appProperties[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"><Application>Quorvex</Application></Properties>)";

const QString wordNamespace
    = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

// Text that XML 1.0 can carry; lone surrogates and control characters cannot.
QString xmlSafe(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append(c);
            out.append(text.at(++i));
        } else if (c.isSurrogate() || c.unicode() < 0x20 || c.unicode() >= 0xFFFE) {
            out.append(QChar(0xFFFD));
        } else {
            out.append(c);
        }
    }
    return out;
}

void writeParagraph(QXmlStreamWriter &xml, const QString &text)
{
    xml.writeStartElement(wordNamespace, QStringLiteral("p"));
    if (!text.isEmpty()) {
        xml.writeStartElement(wordNamespace, QStringLiteral("r"));
        const QStringList pieces = text.split(QLatin1Char('\t'));
        for (int i = 0; i < pieces.size(); ++i) {
            if (i > 0)
                xml.writeEmptyElement(wordNamespace, QStringLiteral("tab"));
            if (pieces.at(i).isEmpty())
                continue;
            xml.writeStartElement(wordNamespace, QStringLiteral("t"));
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            xml.writeCharacters(xmlSafe(pieces.at(i)));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

QByteArray documentXml(const QString &text)
{
    QStringList paragraphs = text.split(QLatin1Char('\n'));
    // Each "\n" ends a paragraph, so text after the last one is a paragraph
    // only when there is some; an empty document still gets one paragraph.
    if (paragraphs.size() > 1 && paragraphs.constLast().isEmpty())
        paragraphs.removeLast();

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setCodec("UTF-8");
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeNamespace(wordNamespace, QStringLiteral("w"));
    xml.writeStartElement(wordNamespace, QStringLiteral("document"));
    xml.writeStartElement(wordNamespace, QStringLiteral("body"));
    for (const QString &paragraph : qAsConst(paragraphs))
        writeParagraph(xml, paragraph);
    xml.writeStartElement(wordNamespace, QStringLiteral("sectPr"));
    xml.writeEmptyElement(wordNamespace, QStringLiteral("pgSz"));
    xml.writeAttribute(wordNamespace, QStringLiteral("w"), QStringLiteral("11906"));
    xml.writeAttribute(wordNamespace, QStringLiteral("h"), QStringLiteral("16838"));
    xml.writeEmptyElement(wordNamespace, QStringLiteral("pgMar"));
    xml.writeAttribute(wordNamespace, QStringLiteral("top"), QStringLiteral("1440"));
    xml.writeAttribute(wordNamespace, QStringLiteral("right"), QStringLiteral("1800"));
    xml.writeAttribute(wordNamespace, QStringLiteral("bottom"), QStringLiteral("1440"));
    xml.writeAttribute(wordNamespace, QStringLiteral("left"), QStringLiteral("1800"));
    xml.writeAttribute(wordNamespace, QStringLiteral("header"), QStringLiteral("851"));
    xml.writeAttribute(wordNamespace, QStringLiteral("footer"), QStringLiteral("992"));
    xml.writeAttribute(wordNamespace, QStringLiteral("gutter"), QStringLiteral("0"));
    xml.writeEndElement(); // sectPr
    xml.writeEndElement(); // body
    xml.writeEndElement(); // document
    xml.writeEndDocument();
    return bytes;
}

} // namespace

QByteArray buildDocx(const QString &text)
{
    return buildZip({
        {QStringLiteral("[Content_Types].xml"), QByteArray(contentTypes)},
        {QStringLiteral("_rels/.rels"), QByteArray(packageRelationships)},
        {QStringLiteral("docProps/app.xml"), QByteArray(appProperties)},
        {QStringLiteral("word/document.xml"), documentXml(text)},
    });
}
