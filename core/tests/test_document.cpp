#include "date_text.h"
#include "document_fields.h"
#include "document_writer.h"
#include "test_files.h"
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

    void composesTwentyThreeEntries()
    {
        DocumentRecord record;
        record.product = QStringLiteral("demo");
        record.version = QStringLiteral("1.0b");
        const QStringList entries = composeDocument(record);
        QCOMPARE(entries.size(), documentEntries().size());
        QCOMPARE(entries.first(), QStringLiteral("DEMO Ver. 1.0b "));
        QCOMPARE(entries.at(2), QStringLiteral("\r\n"));
        QCOMPARE(entries.at(9), QStringLiteral("DESCRIPCIÓN"));
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
    }
    void sizeIsTheNumberOfBytesWritten()
    {
        QFETCH(QString, text);
        DocumentRecord record;
        record.description = text;
        record.product = text;
        const QStringList entries = composeDocument(record);
        QCOMPARE(DocumentPieces(entries).size(), documentBytes(entries).size());
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
    }
};

QTEST_APPLESS_MAIN(TestDocument)
#include "test_document.moc"
