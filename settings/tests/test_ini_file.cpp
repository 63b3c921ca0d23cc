#include "ini_file.h"
#include "test_files.h"
#include "windows1252.h"

#include <QTest>

// The bytes of a literal that holds NUL characters, all of them.
template <qsizetype N>
QByteArray withNuls(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

class TestIniFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path_ = dir_.filePath(QStringLiteral("TE.ini"));

    static QString valueIn(const QByteArray& bytes, const char* key)
    {
        return IniFile::fromBytes(bytes).value(QStringLiteral("IDIOMA"), QString::fromLatin1(key));
    }

private slots:
    void missingFileSectionOrKeyGiveTheEmptyText()
    {
        QCOMPARE(IniFile::read(path_).value(QStringLiteral("IDIOMA"), QStringLiteral("Cad1")), QString());
        QCOMPARE(IniFile::read(dir_.path()).value(QStringLiteral("IDIOMA"), QStringLiteral("Cad1")), QString());
        const QByteArray bytes = "[OTRA]\r\nCad1=x\r\n[IDIOMA]\r\nCad2=y\r\nCad3=\r\n";
        QCOMPARE(valueIn(bytes, "Cad1"), QString());
        QCOMPARE(IniFile::fromBytes(bytes).value(QStringLiteral("NADA"), QStringLiteral("Cad2")), QString());
        QCOMPARE(valueIn(bytes, "Cad3"), QString());
        QCOMPARE(valueIn(bytes, "Cad2"), QStringLiteral("y"));
    }

    // The profile-file rules, key by key.
    void followsTheProfileFileRules_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("before any section") << QByteArray("Cad0") << "";
        QTest::newRow("blanks and case") << QByteArray("CAD1") << "spaced value";
        QTest::newRow("double quotes") << QByteArray("Cad2") << "quoted";
        QTest::newRow("single quotes") << QByteArray("Cad3") << "single";
        QTest::newRow("a lone quote") << QByteArray("Cad4") << "\"";
        QTest::newRow("# and ; are text") << QByteArray("Cad5") << "# not a comment ; nor this";
        QTest::newRow("first key wins") << QByteArray("Cad6") << "first";
        QTest::newRow("first section wins") << QByteArray("Cad7") << "";
        QTest::newRow("line feed ends a line") << QByteArray("Cad8") << "lf";
        QTest::newRow("carriage return ends a line") << QByteArray("Cad9") << "cr";
        QTest::newRow("exactly 254") << QByteArray("Cad10") << QString(254, QLatin1Char('a'));
        QTest::newRow("longer is cut") << QByteArray("Cad11") << QString(254, QLatin1Char('b'));
        QTest::newRow("a megabyte is cut") << QByteArray("Cad12") << QString(254, QLatin1Char('w'));
        QTest::newRow("after a megabyte of noise") << QByteArray("Cad13") << "&Salir";
    }
    void followsTheProfileFileRules()
    {
        QFETCH(QByteArray, key);
        QFETCH(QString, value);
        const QByteArray huge(1 << 20, 'w');
        const QByteArray bytes = "Cad0=before any section\r\n"
                                 "[ idioma ]\r\n"
                                 "; Cad1=commented out\r\n"
                                 "  cAD1  =  spaced value  \r\n"
                                 "Cad2=\"quoted\"\r\n"
                                 "Cad3='single'\r\n"
                                 "Cad4=\"\r\n"
                                 "Cad5=# not a comment ; nor this\r\n"
                                 "no equals sign here\r\n"
                                 "Cad6=first\r\n"
                                 "Cad6=second\r\n"
                                 "Cad8=lf\nCad9=cr\r"
                                 "Cad10=" +
                                 QByteArray(254, 'a') +
                                 "\r\n"
                                 "Cad11=" +
                                 QByteArray(254, 'b') +
                                 "cdef\r\n"
                                 "Cad12=" +
                                 huge + "\r\nnoise" + huge +
                                 "\r\nCad13=&Salir\r\n"
                                 "[IDIOMA]\r\n"
                                 "Cad7=in a second section of the same name\r\n";
        QCOMPARE(valueIn(bytes, key.constData()), value);
    }

    // Where a file moved from Windows could read otherwise: only spaces and
    // tabs are blanks, ^Z ends a file, NUL ends a name or a value.
    // NOLINTNEXTLINE(readability-function-size): a table of cases, one a row
    void readsAsTheWindowsReaderDoes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QByteArray header = "[IDIOMA]\r\n";
        QTest::newRow("no-break space at both ends") << header + "Cad1=\xA0x\xA0\r\n"
                                                     << "Cad1" << u"\u00A0x\u00A0"_qs;
        QTest::newRow("only a no-break space") << header + "Cad1= \xA0 \r\n"
                                               << "Cad1" << u"\u00A0"_qs;
        QTest::newRow("no-break space after a name") << header + "Cad1\xA0=x\r\n"
                                                     << "Cad1"
                                                     << "";
        QTest::newRow("no-break space in a section name") << QByteArray("[IDIOMA\xA0]\r\nCad1=x\r\n") << "Cad1"
                                                          << "";
        QTest::newRow("UTF-8 wide spaces") << header + "Cad1=\xE2\x80\x83x\xE3\x80\x80\r\nCad2=\xE2\x80\xA8\r\n"
                                           << "Cad1" << u"\u2003x\u3000"_qs;
        QTest::newRow("UTF-8 line separator") << header + "Cad2=\xE2\x80\xA8\xC2\x85\xE2\x80\xAF\r\n"
                                              << "Cad2" << u"\u2028\u0085\u202F"_qs;
        QTest::newRow("tab and spaces") << header + "\tCad1 \t= \tx y\t \r\n"
                                        << "Cad1"
                                        << "x y";
        QTest::newRow("^Z at the end, no line end") << header + "Cad32=Fecha :\x1A"
                                                    << "Cad32"
                                                    << "Fecha :";
        QTest::newRow("^Z after the last line") << header + "Cad32=Fecha :\r\n\x1A"
                                                << "Cad32"
                                                << "Fecha :";
        QTest::newRow("^Z inside a value stays") << header + "Cad1=a\x1A"
                                                             "b\r\n"
                                                 << "Cad1"
                                                 << "a\x1A"
                                                    "b";
        QTest::newRow("NUL in a value") << header + withNuls("Cad1=ab\0cd\r\n") << "Cad1"
                                        << "ab";
        QTest::newRow("NUL in a key name, full name") << header + withNuls("Ca\0d1=x\r\n") << "Cad1"
                                                      << "";
        QTest::newRow("NUL in a key name, name before it") << header + withNuls("Ca\0d1=x\r\n") << "Ca"
                                                           << "x";
        QTest::newRow("UTF-16 LE with its mark") << withNuls("\xFF\xFE[\0I\0D\0I\0O\0M\0A\0]\0\n\0C\0a\0d\0"
                                                             "1\0=\0\xF1\0")
                                                 << "Cad1" << u"\u00F1"_qs;
        QTest::newRow("UTF-16 BE with its mark") << withNuls("\xFE\xFF\0[\0I\0D\0I\0O\0M\0A\0]\0\n\0C\0a\0d\0"
                                                             "1\0=\x20\xAC")
                                                 << "Cad1" << u"\u20AC"_qs;
    }
    void readsAsTheWindowsReaderDoes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QCOMPARE(IniFile::fromBytes(bytes).value(QStringLiteral("IDIOMA"), key), value);
    }

    void searchesAHundredThousandLinesToTheEnd()
    {
        QByteArray bytes = "[IDIOMA]\r\n";
        for (int i = 0; i < 100000; ++i)
            bytes += "Other" + QByteArray::number(i) + "=some text\r\n";
        bytes += "Cad1=&Opciones\r\n";
        QCOMPARE(valueIn(bytes, "Cad1"), QStringLiteral("&Opciones"));
    }

    void binaryFileHoldsNoKeys()
    {
        QByteArray bytes = randomBytes(65536, 1);
        bytes.replace('=', 'x');  // so that no line can hold a key
        QCOMPARE(valueIn(bytes, "Cad1"), QString());
    }

    void utf8AndWindows1252TwinsGiveTheSameCaptions()
    {
        const IniFile shipped = IniFile::read(QStringLiteral(TRUMI_LANGUAGES_DIR "/es/TE.ini"));
        const QString text = windows1252::decode(readBytes(QStringLiteral(TRUMI_LANGUAGES_DIR "/es/TE.ini")));
        QVERIFY(text.contains(QStringLiteral("Título y versión")));
        const IniFile twin = IniFile::fromBytes(text.toUtf8());
        const IniFile withMark = IniFile::fromBytes("\xEF\xBB\xBF" + text.toUtf8());
        for (int n = 1; n <= 32; ++n) {
            const QString key = QStringLiteral("Cad%1").arg(n);
            const QString expected = shipped.value(QStringLiteral("IDIOMA"), key);
            QVERIFY(!expected.isEmpty());
            QCOMPARE(twin.value(QStringLiteral("IDIOMA"), key), expected);
            QCOMPARE(withMark.value(QStringLiteral("IDIOMA"), key), expected);
        }
    }
};

QTEST_APPLESS_MAIN(TestIniFile)
#include "test_ini_file.moc"
