// A document read back gives exactly its bytes when written again, whatever
// its fields hold; a file with several documents opens as its last one.
#include "document_reader.h"
#include "document_writer.h"
#include "streamed_value.h"
#include "test_files.h"
#include "text_decoding.h"
#include "windows1252.h"

#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

DocumentRecord worked()
{
    return {.product = u"DEMO"_qs,
            .version = u"1.0"_qs,
            .status = u"BETA"_qs,
            .author = u"author"_qs,
            .email = {},
            .web = {},
            .date = u"05/06/2004 14:23:11"_qs,
            .description = u"First line\nSecond line"_qs,
            .useLicence = u"Free to use."_qs,
            .distributionLicence = u"Copy unchanged."_qs};
}

QByteArray bytesOf(const DocumentRecord& record) { return documentBytes(composeDocument(record)); }

std::optional<DocumentRecord> read(const QByteArray& bytes) { return lastDocumentIn(windows1252::decode(bytes)); }

bool same(const std::optional<DocumentFound>& one, const std::optional<DocumentFound>& other)
{
    return one.has_value() == other.has_value() && (!one || (one->record == other->record && one->sole == other->sole));
}

// Whether the reader finds the same document in the file's bytes as in its
// decoded text, and as when it walks the text through from its start.
bool sameInBytes(const QByteArray& bytes)
{
    const QString text = decodeUserText(bytes);
    const auto inText = findLastDocument(text);
    return same(inText, findLastDocumentInBytes(bytes)) && same(inText, findLastDocumentFromTheStart(text));
}

// The multi-line fields as bytes, and the author not at all.
FieldsWanted linesAsBytesWithoutAuthor()
{
    FieldsWanted wanted{{&fieldOf(&DocumentRecord::author)}, {}};
    for (const DocumentField& field : documentFields()) {
        if (field.kind == FieldKind::Lines)
            wanted.asBytes.append(&field);
    }
    return wanted;
}

// Whether the document made with the fields left as bytes streamed from
// them, pieceBytes at a time, is the one expected, and counts the same
// characters the code page lacks.
bool streamsAs(const DocumentFound& found, const DocumentRecord& expected, qsizetype pieceBytes)
{
    std::vector<std::unique_ptr<StreamedValue>> values;
    StreamedValues streamed;
    for (const FieldBytes& field : found.undecoded) {
        values.push_back(std::make_unique<StreamedValue>(field, pieceBytes));
        streamed[field.field] = values.back().get();
    }
    DocumentPieces pieces(found.record, streamed);
    QByteArray made;
    const qint64 size = pieces.size();
    for (QByteArrayView piece = pieces.next(); !piece.isEmpty(); piece = pieces.next())
        made += piece;
    const QByteArray whole = bytesOf(expected);
    if (made != whole || size != whole.size())
        return false;
    return std::all_of(found.undecoded.begin(), found.undecoded.end(), [&](const FieldBytes& field) {
        return streamed[field.field]->unwritable() == windows1252::unwritableCount(expected.*field.field->value);
    });
}

// Whether the document made with the multi-line fields streamed from the
// bytes they stand in (three bytes at a time, and whole), and without the
// author, not asked for, is the one the whole decoded record makes.
bool sameStreamed(const QByteArray& bytes)
{
    const FieldsWanted wanted = linesAsBytesWithoutAuthor();
    const auto found = findLastDocumentInBytes(bytes, wanted);
    auto expected = findLastDocumentInBytes(bytes);
    if (!found || !expected || found->undecoded.size() != wanted.asBytes.size() || !found->record.author.isEmpty())
        return false;
    expected->record.author.clear();
    return streamsAs(*found, expected->record, 3) && streamsAs(*found, expected->record, 1 << 20);
}

// The document's text with its line breaks as a box holds them.
QString asBoxText(const DocumentRecord& record)
{
    return windows1252::decode(bytesOf(record)).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

}  // namespace

Q_DECLARE_METATYPE(DocumentRecord)

class TestDocumentReader : public QObject {
    Q_OBJECT

private slots:
    void givesBackTheSameBytes_data()
    {
        QTest::addColumn<DocumentRecord>("record");
        const QString longRule(65, QLatin1Char('-')), shortRule(44, QLatin1Char('-'));
        DocumentRecord r = worked();
        QTest::newRow("worked example") << r;
        QTest::newRow("all empty") << DocumentRecord{};
        r = worked(), r.status.clear(), r.version = u"1.0 FINAL"_qs;
        QTest::newRow("version ending like a status") << r;
        r = worked(), r.version = u"x Ver. y "_qs, r.status = u"FINAL"_qs;
        QTest::newRow("version holding the version mark") << r;
        r = worked(), r.product = u"ÑANDÚ ß µ"_qs;
        QTest::newRow("accented product") << r;
        r = worked(), r.author = u"a\nb\rc\r\nd"_qs, r.web = u"x\nFecha: y"_qs;
        QTest::newRow("line breaks in single-line boxes") << r;
        r = worked(), r.description = u"DESCRIPCIÓN\n"_qs + shortRule + u"\n\n\nLICENCIA DE USO\n"_qs + longRule;
        QTest::newRow("description with headings and rules") << r;
        r = worked(), r.description = u"Old notes:\n"_qs + asBoxText(worked()) + u"end"_qs;
        QTest::newRow("description quoting a whole document") << r;
        r = worked(), r.distributionLicence = u"ends with a rule\n"_qs + longRule;
        QTest::newRow("licence ending with the closing rule") << r;
        r = worked(), r.useLicence = u"\n\n"_qs, r.distributionLicence = u"\n"_qs;
        QTest::newRow("licences of empty lines") << r;
        r = worked(), r.email = u"\u03A9 \U0001F600"_qs;
        QTest::newRow("characters Windows-1252 lacks") << r;
        r = worked(), r.author = u"\uFEFFauthor"_qs, r.description = u"\uFEFF"_qs;
        QTest::newRow("fields that start with a byte-order mark") << r;
    }
    void givesBackTheSameBytes()
    {
        QFETCH(DocumentRecord, record);
        const QByteArray bytes = bytesOf(record);
        const auto again = read(bytes);
        QVERIFY(again);
        QCOMPARE(bytesOf(*again), bytes);
        // Found the same in the file's bytes, as written and in UTF-8, and
        // in UTF-8 with a character in the place of each '?' (U+FEFF, which
        // the reader keeps at a field's start though it marks a file's).
        QVERIFY(sameInBytes(bytes));
        QVERIFY(sameInBytes(windows1252::decode(bytes).toUtf8()));
        QVERIFY(sameInBytes(windows1252::decode(bytes).replace(u'?', u'\uFEFF').toUtf8()));
        QVERIFY(sameStreamed(bytes));
        QVERIFY(sameStreamed(windows1252::decode(bytes).replace(u'?', u'\uFEFF').toUtf8()));
    }

    void fileWithSeveralDocumentsOpensAsItsLast_data()
    {
        DocumentRecord second = worked();
        second.product = u"SECOND"_qs;
        const QByteArray first = bytesOf(worked()), last = bytesOf(second);
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("sole");
        QTest::newRow("one document") << first << first << true;
        QTest::newRow("notes, then two documents") << "my notes\r\nVersion 0.9\r\n" + first + last << last << false;
        QTest::newRow("two documents") << first + last << last << false;
        QTest::newRow("notes ending in a lone LF, then a document") << "Notas\n" + last << last << false;
        QTest::newRow("notes ending in a lone CR, then a document") << "Notas\r" + last << last << false;
        QTest::newRow("a document, then a cut one") << first + last.left(last.size() / 2) << first << false;
        QTest::newRow("a document, then other text") << first + "more text\r\n" << first << false;
        // Indistinguishable from a product of two lines, which it becomes.
        QTest::newRow("capitals right before the first line") << "NOTES\r\n" + last << "NOTES\r\n" + last << true;
        QTest::newRow("a document, capitals, a document") << first + "NOTES\r\n" + last << "NOTES\r\n" + last << false;
        QTest::newRow("many documents") << first.repeated(500) + last << last << false;
        QTest::newRow("a document, then a long text")
            << first + QByteArray("more text\r\n").repeated(30000) << first << false;
        // From inside one of these a document can run on into the next.
        DocumentRecord capitals = worked();
        capitals.description = capitals.description.toUpper();
        capitals.useLicence = capitals.useLicence.toUpper();
        capitals.distributionLicence = capitals.distributionLicence.toUpper();
        const QByteArray shouted = bytesOf(capitals);
        QTest::newRow("documents of capitals") << shouted + shouted + shouted.chopped(9) << shouted << false;
        DocumentRecord rules = worked();
        rules.useLicence = QString(u'-').repeated(65).append(u'\n').repeated(40);
        QTest::newRow("licences quoting many rules") << bytesOf(rules) + bytesOf(rules) << bytesOf(rules) << false;
    }
    void fileWithSeveralDocumentsOpensAsItsLast()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, expected);
        QFETCH(bool, sole);
        const auto found = findLastDocument(windows1252::decode(file));
        QVERIFY(found);
        QVERIFY(sameInBytes(file));
        QVERIFY(sameInBytes(windows1252::decode(file).toUtf8()));
        QVERIFY(sameStreamed(file));
        QCOMPARE(bytesOf(found->record), expected);
        QCOMPARE(found->sole, sole);
    }

    // What editors and other programs make of a document still opens it.
    void documentAsAnEditorSavedItOpens_data()
    {
        const QByteArray document = bytesOf(worked());
        const QString text = windows1252::decode(document);
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("line feeds only") << QByteArray(document).replace("\r\n", "\n");
        QTest::newRow("carriage returns only") << QByteArray(document).replace("\r\n", "\r");
        QTest::newRow("UTF-8") << text.toUtf8();
        QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + text.toUtf8();
        QTest::newRow("without its last line end") << document.chopped(2);
        QTest::newRow("line feeds, without the last") << QByteArray(document).replace("\r\n", "\n").chopped(1);
    }
    void documentAsAnEditorSavedItOpens()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        writeBytes(dir.filePath(QStringLiteral("doc.txt")), file);
        const DocumentRead result = readDocument(dir.filePath(QStringLiteral("doc.txt")));
        QVERIFY(result.found);
        QCOMPARE(result.found->record, worked());
        QVERIFY(result.found->sole);
    }

    void fileThatIsNoDocumentIsReported_data()
    {
        const QByteArray document = bytesOf(worked());
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("random bytes") << randomBytes(100000, 7);
        QTest::newRow("other text") << QByteArray("Just a text file.\r\nWith two lines.\r\n");
        QTest::newRow("cut short") << document.left(document.size() - 3);
        QTest::newRow("line feeds in a CR LF text") << QByteArray(document).replace("\r\nAutor", "\nAutor");
        QTest::newRow("lowercase product") << QByteArray(document).replace("DEMO", "demo");
        QTest::newRow("a line feed of its own in a field, and first")
            << "\n" + QByteArray(document).replace("author", "aut\nhor");
    }
    void fileThatIsNoDocumentIsReported()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        writeBytes(dir.filePath(QStringLiteral("doc.txt")), file);
        const DocumentRead result = readDocument(dir.filePath(QStringLiteral("doc.txt")));
        QVERIFY(!result.found);
        QVERIFY(result.error);
        QCOMPARE(result.error->number, 62);
    }
};

QTEST_APPLESS_MAIN(TestDocumentReader)
#include "test_document_reader.moc"
