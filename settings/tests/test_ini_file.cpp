#include "ini_file.h"
#include "test_files.h"
#include "windows1252.h"

#include <QTest>

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
                                 "Cad10=" + QByteArray(254, 'a') + "\r\n"
                                 "Cad11=" + QByteArray(254, 'b') + "cdef\r\n"
                                 "Cad12=" + huge + "\r\nnoise" + huge + "\r\nCad13=&Salir\r\n"
                                 "[IDIOMA]\r\n"
                                 "Cad7=in a second section of the same name\r\n";
        QCOMPARE(valueIn(bytes, key.constData()), value);
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
