#include "windows1252.h"

#include <QTest>

class TestWindows1252 : public QObject {
    Q_OBJECT
private slots:
    void encodesLatinAndTheHighBlock()
    {
        QCOMPARE(windows1252::encode(u"Página DESCRIPCIÓN ñ"), QByteArray("P\xE1gina DESCRIPCI\xD3N \xF1"));
        QCOMPARE(windows1252::encode(u"€ … Ÿ ž"), QByteArray("\x80 \x85 \x9F \x9E"));
    }

    void replacesEachUnencodableCharacterWithOneQuestionMark()
    {
        // A Greek letter, a CJK ideograph and an emoji outside the BMP.
        QCOMPARE(windows1252::encode(QStringLiteral("a\u03A9b\u4E2Dc\U0001F600d")), QByteArray("a?b?c?d"));
        QVERIFY(!windows1252::encode(QStringLiteral("\U0001F600")).contains('\x1A'));
    }

    void decodesEveryByteAndRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        const QString text = windows1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text.at(0x80), QChar(0x20AC));
        QCOMPARE(text.at(0x81), QChar(0x81));
        QCOMPARE(windows1252::encode(text), all);
        // Sixteen bytes are decoded at once: each byte alike at every place
        // of them, and in a text's last few bytes.
        for (int shift = 0; shift < 16; ++shift) {
            const QString shifted = windows1252::decode(all.sliced(shift));
            for (int b = shift; b < 256; ++b)
                QCOMPARE(shifted.at(b - shift), windows1252::decode(all.sliced(b, 1)).at(0));
        }
    }

    void writesBareLineFeedsAsCrLfAndKeepsPairs()
    {
        QByteArray out("x");
        windows1252::appendWithCrLf(out, u"a\nb\r\nc\n\n");
        QCOMPARE(out, QByteArray("xa\r\nb\r\nc\r\n\r\n"));
        // A line feed and a letter beyond ASCII at every place of the eight
        // units encoded at once.
        QString lines;
        for (int length = 0; length < 20; ++length)
            lines += QString(length, u'a') + QString::fromUtf16(length % 2 ? u"\u00E9\n" : u"\n\u00E9");
        out.clear();
        windows1252::appendWithCrLf(out, lines);
        QCOMPARE(out, lines.toLatin1().replace("\n", "\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestWindows1252)
#include "test_windows1252.moc"
