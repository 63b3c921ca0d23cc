#include "common/windows1252.h"
#include "settings/lee_graba_ini.h"
#include "testing/test_support.h"

#include <QTest>

using LeeGrabaIni::LeeIni;

class TestLeeGrabaIni : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString file_ = dir_.filePath(QStringLiteral("TE.ini"));
    QString read(const char* section, const char* key) const
    {
        return LeeIni(file_, QString::fromLatin1(section), QString::fromLatin1(key));
    }

private slots:
    void missingFileSectionOrKeyGiveTheEmptyText()
    {
        QCOMPARE(read("IDIOMA", "Cad1"), QString());
        writeBytes(file_, "[OTRA]\r\nCad1=x\r\n[IDIOMA]\r\nCad2=y\r\nCad3=\r\n");
        QCOMPARE(read("IDIOMA", "Cad1"), QString());
        QCOMPARE(read("NADA", "Cad2"), QString());
        QCOMPARE(read("IDIOMA", "Cad3"), QString());
        QCOMPARE(read("IDIOMA", "Cad2"), QStringLiteral("y"));
        QCOMPARE(LeeIni(dir_.path(), QStringLiteral("IDIOMA"), QStringLiteral("Cad2")), QString());  // a folder
    }

    void valuesAreCutAt254Characters()
    {
        const QByteArray exact(254, 'a');
        const QByteArray longer = QByteArray(254, 'b') + "cdef";
        writeBytes(file_, "[IDIOMA]\r\nexact=" + exact + "\r\nlonger=" + longer + "\r\n");
        QCOMPARE(read("IDIOMA", "exact"), QString::fromLatin1(exact));
        QCOMPARE(read("IDIOMA", "longer"), QString(254, QLatin1Char('b')));
    }

    void followsTheProfileFileRules()
    {
        writeBytes(file_,
                   "Cad0=before any section\r\n"
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
                   "[IDIOMA]\r\n"
                   "Cad7=in a second section of the same name\r\n");
        QCOMPARE(read("IDIOMA", "Cad0"), QString());
        QCOMPARE(read("IDIOMA", "CAD1"), QStringLiteral("spaced value"));
        QCOMPARE(read("IDIOMA", "Cad2"), QStringLiteral("quoted"));
        QCOMPARE(read("IDIOMA", "Cad3"), QStringLiteral("single"));
        QCOMPARE(read("IDIOMA", "Cad4"), QStringLiteral("\""));
        QCOMPARE(read("IDIOMA", "Cad5"), QStringLiteral("# not a comment ; nor this"));
        QCOMPARE(read("IDIOMA", "Cad6"), QStringLiteral("first"));
        QCOMPARE(read("IDIOMA", "Cad7"), QString());
    }

    void acceptsLineFeedsAndCarriageReturns()
    {
        writeBytes(file_, "[IDIOMA]\nCad1=lf\rCad2=cr\n");
        QCOMPARE(read("IDIOMA", "Cad1"), QStringLiteral("lf"));
        QCOMPARE(read("IDIOMA", "Cad2"), QStringLiteral("cr"));
    }

    void utf8AndWindows1252TwinsGiveTheSameCaptions()
    {
        const QString text = windows1252::decode(readBytes(QStringLiteral(TRUMI_LANGUAGES_DIR "/es/TE.ini")));
        QVERIFY(text.contains(QStringLiteral("Título y versión")));
        const QString twin = dir_.filePath(QStringLiteral("utf8.ini"));
        const QString withMark = dir_.filePath(QStringLiteral("bom.ini"));
        writeBytes(twin, text.toUtf8());
        writeBytes(withMark, "\xEF\xBB\xBF" + text.toUtf8());
        for (int n = 1; n <= 32; ++n) {
            const QString key = QStringLiteral("Cad%1").arg(n);
            const QString expected = LeeIni(QStringLiteral(TRUMI_LANGUAGES_DIR "/es/TE.ini"), QStringLiteral("IDIOMA"), key);
            QVERIFY(!expected.isEmpty());
            QCOMPARE(LeeIni(twin, QStringLiteral("IDIOMA"), key), expected);
            QCOMPARE(LeeIni(withMark, QStringLiteral("IDIOMA"), key), expected);
        }
    }

    void everyCallReadsTheFileAnew()
    {
        writeBytes(file_, "[IDIOMA]\r\nCad1=one\r\n");
        QCOMPARE(read("IDIOMA", "Cad1"), QStringLiteral("one"));
        writeBytes(file_, "[IDIOMA]\r\nCad1=two\r\n");
        QCOMPARE(read("IDIOMA", "Cad1"), QStringLiteral("two"));
    }
};

QTEST_APPLESS_MAIN(TestLeeGrabaIni)
#include "test_lee_graba_ini.moc"
