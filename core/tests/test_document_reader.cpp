// A document read back gives exactly its bytes when written again, whatever
// its fields hold; a file with several documents opens as its last one.
#include "document_reader.h"
#include "test_files.h"
#include "windows1252.h"

#include <QTest>

namespace {

DocumentRecord worked()
{
    return {u"DEMO"_qs, u"1.0"_qs, u"BETA"_qs, u"author"_qs, {}, {}, u"05/06/2004 14:23:11"_qs,
            u"First line\nSecond line"_qs, u"Free to use."_qs, u"Copy unchanged."_qs};
}

QByteArray bytesOf(const DocumentRecord& record) { return documentBytes(composeDocument(record)); }

std::optional<DocumentRecord> read(const QByteArray& bytes) { return lastDocumentIn(windows1252::decode(bytes)); }

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
    }
    void givesBackTheSameBytes()
    {
        QFETCH(DocumentRecord, record);
        const QByteArray bytes = bytesOf(record);
        const auto again = read(bytes);
        QVERIFY(again);
        QCOMPARE(bytesOf(*again), bytes);
    }

    void fileWithSeveralDocumentsOpensAsItsLast_data()
    {
        DocumentRecord second = worked();
        second.product = u"SECOND"_qs;
        const QByteArray first = bytesOf(worked()), last = bytesOf(second);
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("notes, then two documents") << "my notes\r\nVersion 0.9\r\n" + first + last << last;
        QTest::newRow("a document, then a cut one") << first + last.left(last.size() / 2) << first;
        QTest::newRow("a document, then other text") << first + "more text\r\n" << first;
        // Indistinguishable from a product of two lines, which it becomes.
        QTest::newRow("capitals right before the first line") << "NOTES\r\n" + last << "NOTES\r\n" + last;
    }
    void fileWithSeveralDocumentsOpensAsItsLast()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, expected);
        const auto record = read(file);
        QVERIFY(record);
        QCOMPARE(bytesOf(*record), expected);
    }

    void fileThatIsNoDocumentIsReported_data()
    {
        const QByteArray document = bytesOf(worked());
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("random bytes") << randomBytes(100000, 7);
        QTest::newRow("other text") << QByteArray("Just a text file.\r\nWith two lines.\r\n");
        QTest::newRow("cut short") << document.left(document.size() - 3);
        QTest::newRow("in UTF-8") << windows1252::decode(document).toUtf8();
        QTest::newRow("line feeds only") << QByteArray(document).replace("\r\n", "\n");
        QTest::newRow("lowercase product") << QByteArray(document).replace("DEMO", "demo");
    }
    void fileThatIsNoDocumentIsReported()
    {
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        writeBytes(dir.filePath(QStringLiteral("doc.txt")), file);
        const DocumentRead result = readDocument(dir.filePath(QStringLiteral("doc.txt")));
        QVERIFY(!result.record);
        QVERIFY(result.error);
        QCOMPARE(result.error->number, 62);
    }
};

QTEST_APPLESS_MAIN(TestDocumentReader)
#include "test_document_reader.moc"
