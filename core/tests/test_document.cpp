#include "date_text.h"
#include "document_fields.h"
#include "document_reader.h"
#include "document_writer.h"
#include "file_io.h"
#include "streamed_value.h"
#include "test_files.h"
#include "text_decoding.h"
#include "windows1252.h"

#include <QTest>

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void generalDateShowsTheTimeUnlessMidnight()
    {
        const GeneralDateFormat format{"%d/%m/%Y", "%H:%M:%S"};
        QCOMPARE(generalDateText(QDateTime(QDate(2004, 6, 5), QTime(14, 23, 11)), format),
                 QStringLiteral("05/06/2004 14:23:11"));
        QCOMPARE(generalDateText(QDateTime(QDate(2004, 6, 5), QTime(0, 0)), format), QStringLiteral("05/06/2004"));
        QCOMPARE(generalDateText(QDateTime(QDate(1601, 1, 1), QTime(0, 0, 1)), format),
                 QStringLiteral("01/01/1601 00:00:01"));
        QCOMPARE(generalDateText(QDateTime(QDate(9999, 12, 31), QTime(0, 0)), format), QStringLiteral("31/12/9999"));
    }

    // A date is read in this system's form, and also as the other system (or
    // another setting) writes it, in this system's order of day and month;
    // anything else is no date.
    void datesTravelBetweenSystems_data()
    {
        QTest::addColumn<QByteArray>("shortDate");
        QTest::addColumn<QByteArray>("longTime");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        const QDateTime morning(QDate(2026, 12, 9), QTime(9, 5, 3));
        QTest::newRow("es_ES, its own") << QByteArray("%d/%m/%y") << QByteArray("%H:%M:%S") << u"09/12/26 09:05:03"_qs
                                        << morning;
        QTest::newRow("es_ES reading Windows es-ES")
            << QByteArray("%d/%m/%y") << QByteArray("%H:%M:%S") << u"9/12/2026 9:05:03"_qs << morning;
        QTest::newRow("en_US reading Windows en-US")
            << QByteArray("%m/%d/%Y") << QByteArray("%r") << u"12/9/2026 9:05:03 AM"_qs << morning;
        QTest::newRow("en_US, an afternoon")
            << QByteArray("%m/%d/%Y") << QByteArray("%r") << u"12/9/2026 9:05:03 PM"_qs << morning.addSecs(12LL * 3600);
        QTest::newRow("a Windows picture reading Linux's")
            << QByteArray("d/M/yyyy") << QByteArray("H:mm:ss") << u"09/12/26 09:05:03"_qs << morning;
        QTest::newRow("dots, a date alone") << QByteArray("%d/%m/%y") << QByteArray("%H:%M:%S") << u"9.12.2026"_qs
                                            << QDateTime(QDate(2026, 12, 9), QTime(0, 0));
        QTest::newRow("ISO, in any order") << QByteArray("%m/%d/%y") << QByteArray("%H:%M:%S") << u"2026-12-09"_qs
                                           << QDateTime(QDate(2026, 12, 9), QTime(0, 0));
        QTest::newRow("the other order is no date")
            << QByteArray("%d/%m/%y") << QByteArray("%H:%M:%S") << u"12/31/2026"_qs << QDateTime();
        QTest::newRow("words are no date")
            << QByteArray("%d/%m/%y") << QByteArray("%H:%M:%S") << u"el 9 de diciembre"_qs << QDateTime();
        QTest::newRow("13 o'clock PM is no time")
            << QByteArray("%m/%d/%Y") << QByteArray("%r") << u"12/9/2026 13:05:03 PM"_qs << QDateTime();
    }
    void datesTravelBetweenSystems()
    {
        QFETCH(QByteArray, shortDate);
        QFETCH(QByteArray, longTime);
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const auto read = parseGeneralDate(text, {shortDate, longTime});
        QCOMPARE(read.value_or(QDateTime()), expected);
    }

    void upperCaseKeepsTheLength_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("expected");
        QTest::newRow("accents") << QStringLiteral("año ñandú éxito") << QStringLiteral("AÑO ÑANDÚ ÉXITO");
        QTest::newRow("sharp s stays") << QStringLiteral("straße") << QStringLiteral("STRAßE");
        QTest::newRow("y diaeresis") << QStringLiteral("ÿ") << QStringLiteral("Ÿ");
        QTest::newRow("micro sign kept") << QStringLiteral("µtool") << QStringLiteral("µTOOL");
        QTest::newRow("digits and marks") << QStringLiteral("v1.0b-x") << QStringLiteral("V1.0B-X");
    }
    void upperCaseKeepsTheLength()
    {
        QFETCH(QString, product);
        QFETCH(QString, expected);
        const QString upper = upperCaseKeepingLength(product);
        QCOMPARE(upper, expected);
        QCOMPARE(upper.size(), product.size());
    }

    void composesAnEntryForEachOfTheTemplates()
    {
        DocumentRecord record;
        record.product = QStringLiteral("demo");
        record.version = QStringLiteral("1.0b");
        const QStringList entries = composeDocument(record);
        QCOMPARE(entries.size(), documentEntries().size());
        QCOMPARE(entries.first(), QStringLiteral("DEMO Ver. 1.0b "));
        QCOMPARE(entries.at(2), QStringLiteral("\r\n"));
        const qsizetype heading = entries.indexOf(QStringLiteral("DESCRIPCIÓN"));
        QVERIFY(heading > 0 && entries.at(heading + 1) == QString(44, QLatin1Char('-')));
        QCOMPARE(entries.last(), QString(65, QLatin1Char('-')));
    }

    void longLinesAreNeverBroken()
    {
        DocumentRecord record;
        record.description = QString(100000, QLatin1Char('x'));
        const QByteArray bytes = documentBytes(composeDocument(record));
        QVERIFY(bytes.contains("\r\n" + QByteArray(100000, 'x') + "\r\n" + QByteArray(65, '-')));
    }

    void largeEntriesAreEncodedPieceByPiece()
    {
        // Line breaks and a surrogate pair right at the edges of the pieces.
        constexpr qsizetype piece = qsizetype(512) * 1024;
        QString desc(3 * piece + 10, QLatin1Char('d'));
        desc[piece - 1] = QLatin1Char('\r');
        desc[piece] = QLatin1Char('\n');
        desc[2 * piece] = QLatin1Char('\n');
        desc[3 * piece - 1] = QChar(0xD83D);
        desc[3 * piece] = QChar(0xDE00);
        DocumentRecord record;
        record.description = desc;
        const QStringList entries = composeDocument(record);
        QByteArray expected;
        for (const QString& entry : entries) {
            windows1252::appendWithCrLf(expected, entry);
            expected += "\r\n";
        }
        QCOMPARE(documentBytes(entries), expected);
        QVERIFY(expected.contains("d\r\nd"));
        QVERIFY(expected.contains("d\r\n" + QByteArray(piece - 2, 'd') + "?d"));
    }

    // The size is known before the bytes are made, to reserve the space.
    void sizeIsTheNumberOfBytesWritten_data()
    {
        QTest::addColumn<QString>("text");
        const QString eight = QStringLiteral("abcdefg");  // with what follows, a line break across eight units
        QTest::newRow("plain") << QStringLiteral("plain text");
        QTest::newRow("line feed first") << QStringLiteral("\nx");
        QTest::newRow("CR LF across eight units") << eight + QStringLiteral("\r\nz") + eight;
        QTest::newRow("LF after eight units") << eight + QStringLiteral("x\n") + eight;
        QTest::newRow("pair across eight units") << eight + QStringLiteral("\U0001F600") + eight;
        QTest::newRow("lone surrogates") << QStringLiteral("a") + QChar(0xDC00) + QChar(0xD800) + QStringLiteral("b");
        QTest::newRow("CR CR LF") << QStringLiteral("\r\r\n\n\r");
        QTest::newRow("long mixed") << QStringLiteral("l\u00ednea\r\n\U0001F600\n").repeated(1000);
        QTest::newRow("lone high surrogates, then a pair")
            << QString(7, QChar(0xD800)) + QStringLiteral("\U0001F600") + QString(5, QChar(0xDBFF));
    }
    void sizeIsTheNumberOfBytesWritten()
    {
        QFETCH(QString, text);
        DocumentRecord record;
        record.description = text;
        record.product = text;
        const QStringList entries = composeDocument(record);
        const QByteArray bytes = documentBytes(entries);
        QCOMPARE(DocumentPieces(entries).size(), bytes.size());
        // Made in pieces of a few units, the values cut into parts.
        DocumentPieces pieces(record, {}, 3);
        QCOMPARE(pieces.size(), bytes.size());
        QByteArray pieced;
        for (QByteArrayView piece = pieces.next(); !piece.isEmpty(); piece = pieces.next())
            pieced += piece;
        QCOMPARE(pieced, bytes);
    }

    // What the document writes is what its reader reads back: a lone CR is
    // a line break, and an accent typed as a combining mark is the letter
    // Windows-1252 has for it.
    void valuesAreWrittenAsTheyReadBack_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("a lone CR") << u"a\rb"_qs << QByteArray("a\r\nb");
        QTest::newRow("CR LF kept") << u"a\r\nb"_qs << QByteArray("a\r\nb");
        QTest::newRow("a CR before an LF, then a lone one") << u"a\r\n\rb"_qs << QByteArray("a\r\n\r\nb");
        QTest::newRow("e and a combining acute") << u"cafe\u0301"_qs << QByteArray("caf\xE9");
        QTest::newRow("a combining mark with no letter of its own") << u"x\u0301"_qs << QByteArray("x?");
        QTest::newRow("two marks that compose to what it lacks") << u"e\u0302\u0301"_qs << QByteArray("?");
        QTest::newRow("the angstrom sign") << u"\u212B"_qs << QByteArray("\xC5");
        // Long texts are looked over eight units at a time.
        QTest::newRow("a lone CR, more after") << u"ab\rcdefghijklmnop"_qs << QByteArray("ab\r\ncdefghijklmnop");
        QTest::newRow("CR LF across eight units") << u"abcdefg\r\nbcdefghij"_qs << QByteArray("abcdefg\r\nbcdefghij");
        QTest::newRow("a combining acute, more after") << u"cafe\u0301 con leche"_qs << QByteArray("caf\xE9 con leche");
        QTest::newRow("Latin-1, more after") << u"\u00F1and\u00FA es un ave"_qs
                                             << QByteArray("\xF1"
                                                           "and\xFA es un ave");
    }
    void valuesAreWrittenAsTheyReadBack()
    {
        QFETCH(QString, description);
        QFETCH(QByteArray, written);
        DocumentRecord record;
        record.description = description;
        const QByteArray bytes = documentBytes(composeDocument(record));
        QVERIFY2(bytes.contains("\r\n\r\n" + written + "\r\n---"), bytes.constData());
        QCOMPARE(windows1252::unwritableCount(description), qsizetype(written.count('?')));
        const auto read = lastDocumentIn(windows1252::decode(bytes));
        QVERIFY(read);
        QCOMPARE(documentBytes(composeDocument(*read)), bytes);
    }

    // A value streamed from its file, or a large one in memory, writes the
    // very bytes that the whole text writes, however small the pieces: cut
    // between any two characters, a CR LF, a letter and its combining mark,
    // a surrogate pair, a UTF-8 sequence or a final line end, and whatever
    // the file's encoding. The sizes and the count of '?' agree too.
    void streamedValuesWriteAsWholeOnes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("product");  // the upper-cased field, else the description
        const QByteArray mixed = "l\xC3\xADnea \xE4\xB8\xAD\r\ncafe\xCC\x81 \xF0\x9F\x98\x80\rx\n\ny";
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("a final line end alone") << QByteArray("\r\n") << false;
        QTest::newRow("UTF-8, line ends of every kind") << mixed + "\n" << false;
        QTest::newRow("UTF-8 upper-cased") << QByteArray("stra\xC3\x9F"
                                                         "e \xC3\xB1"
                                                         "and\xC3\xBA")
                                           << true;
        QTest::newRow("a UTF-8 mark, then bad bytes") << "\xEF\xBB\xBF" + mixed + "\xFF" << false;
        QTest::newRow("Windows-1252, the bad byte late") << mixed + "\xE9t\xE9\r" << false;
        QTest::newRow("no ASCII for a long way") << QByteArray("\xE4\xB8\xAD").repeated(40) + "a\r\n" << false;
        QTest::newRow("CR then a final LF") << QByteArray("a\r\r\n") << false;
    }
    void streamedValuesWriteAsWholeOnes()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, product);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"value.txt"_qs);
        writeBytes(path, file);
        QString DocumentRecord::*const member = product ? &DocumentRecord::product : &DocumentRecord::description;
        DocumentRecord whole;
        whole.*member = withoutFinalLineEnd(decodeUserText(file));
        const QByteArray expected = documentBytes(composeDocument(whole));
        for (const qsizetype pieceBytes : {1, 2, 3, 5, 8, 1 << 20}) {
            std::optional<file_io::FilePieces> pieces;
            QVERIFY(!file_io::FilePieces::open(path, pieces) && pieces);
            StreamedValue value(std::move(*pieces), fieldOf(member), pieceBytes);
            QVERIFY(value.prepare());
            DocumentPieces document(DocumentRecord(), {{&fieldOf(member), &value}});
            const qint64 size = document.size();
            QByteArray bytes;
            for (QByteArrayView piece = document.next(); !piece.isEmpty(); piece = document.next())
                bytes += piece;
            QCOMPARE(bytes, expected);
            QCOMPARE(size, expected.size());
            QCOMPARE(value.unwritable(), windows1252::unwritableCount(whole.*member));
            // The same value held in memory, composed a part at a time.
            DocumentPieces parts(whole, {}, pieceBytes);
            QCOMPARE(parts.size(), expected.size());
            bytes.clear();
            for (QByteArrayView piece = parts.next(); !piece.isEmpty(); piece = parts.next())
                bytes += piece;
            QCOMPARE(bytes, expected);
        }
    }

    void writerReplacesOrAppends()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.txt"));
        DocumentRecord record;
        const QByteArray one = documentBytes(composeDocument(record));
        writeBytes(path, QByteArray(5000, 'z'));
        QVERIFY(!writeDocument(path, record, WriteMode::Replace));
        QCOMPARE(readBytes(path), one);
        QVERIFY(!writeDocument(path, record, WriteMode::Append));
        QCOMPARE(readBytes(path), one + one);
        // Appended after notes without a last line end, the document starts
        // on a line of its own, and the file opens as that document.
        writeBytes(path, "Notas");
        QVERIFY(!writeDocument(path, record, WriteMode::Append));
        QCOMPARE(readBytes(path), "Notas\r\n" + one);
        QVERIFY(readDocument(path).found);
    }

    // A document larger than the reader takes is refused before a byte is
    // written.
    void documentPastTheReadersLimitIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.txt"));
        writeBytes(path, "old");
        DocumentRecord record;
        record.description = QString(int(file_io::kLargestRead / 2) + 1, u'\n');  // each LF written as CR LF
        for (const WriteMode mode : {WriteMode::Replace, WriteMode::Append}) {
            const auto error = writeDocument(path, record, mode);
            QVERIFY(error);
            QCOMPARE(error->problem, FileProblem::TooLarge);
            QCOMPARE(readBytes(path), QByteArray("old"));
        }
    }
};

QTEST_APPLESS_MAIN(TestDocument)
#include "test_document.moc"
