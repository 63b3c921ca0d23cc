#include "options/licencias.h"
#include "testing/test_support.h"

#include <QDir>
#include <QTest>
#include <cerrno>

Q_DECLARE_METATYPE(Licencias)

class TestLicencias : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path_ = dir_.filePath(QStringLiteral("Config.lic"));

private slots:
    void textsSurviveASaveAndAReload_data()
    {
        QTest::addColumn<Licencias>("texts");
        QTest::newRow("empty") << Licencias{};
        QTest::newRow("one line each") << Licencias{QStringLiteral("Libre"), QStringLiteral("Copia")};
        QTest::newRow("several lines") << Licencias{QStringLiteral("a\nb\n\nc\n"), QStringLiteral("\nx")};
        QTest::newRow("commas") << Licencias{QStringLiteral("a, b,c,"), QStringLiteral(",")};
        QTest::newRow("quotes") << Licencias{QStringLiteral("say \"yes\""), QStringLiteral("\"\",\"")};
        QTest::newRow("accents") << Licencias{QStringLiteral("Licencia de distribución: ñ €"), QStringLiteral("ÿ")};
    }
    void textsSurviveASaveAndAReload()
    {
        QFETCH(Licencias, texts);
        QVERIFY(!GrabarLicencias(path_, texts));
        const LicenciasLeidas leidas = LeerLicencias(path_);
        QVERIFY(!leidas.error);
        QCOMPARE(leidas.texts->uso, texts.uso);
        QCOMPARE(leidas.texts->distribucion, texts.distribucion);
    }

    void fileHoldsExactlyOneRecord()
    {
        QVERIFY(!GrabarLicencias(path_, {}));
        QCOMPARE(readBytes(path_), QByteArray("\"\",\"\"\r\n"));
        QVERIFY(!GrabarLicencias(path_, {QStringLiteral("uso\nlibre"), QStringLiteral("sí")}));
        QCOMPARE(readBytes(path_), QByteArray("\"uso\r\nlibre\",\"s\xED\"\r\n"));
    }

    void shortTextOverALongOneLeavesNoTrace()
    {
        QVERIFY(!GrabarLicencias(path_, {QString(5000, QLatin1Char('l')), QString(5000, QLatin1Char('m'))}));
        QVERIFY(!GrabarLicencias(path_, {QStringLiteral("s"), QStringLiteral("t")}));
        QCOMPARE(readBytes(path_), QByteArray("\"s\",\"t\"\r\n"));
    }

    void readsRecordsItDidNotWrite()
    {
        writeBytes(path_, "  \"use\" junk , \"dist\"\r\nmore lines\r\n");
        QCOMPARE(LeerLicencias(path_).texts->uso, QStringLiteral("use"));
        QCOMPARE(LeerLicencias(path_).texts->distribucion, QStringLiteral("dist"));
        writeBytes(path_, " plain use , plain dist \r\n");
        QCOMPARE(LeerLicencias(path_).texts->uso, QStringLiteral("plain use"));
        QCOMPARE(LeerLicencias(path_).texts->distribucion, QStringLiteral("plain dist"));
    }

    void carriageReturnsAreLineBreaks()
    {
        writeBytes(path_, "\"a\r\r\nb\rc\",\"\"\r\n");
        const LicenciasLeidas leidas = LeerLicencias(path_);
        QCOMPARE(leidas.texts->uso, QStringLiteral("a\n\nb\nc"));
        QVERIFY(!GrabarLicencias(path_, *leidas.texts));
        QCOMPARE(LeerLicencias(path_).texts->uso, leidas.texts->uso);
    }

    void malformedFilesAreErrors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("one field") << QByteArray("\"only one\"\r\n");
        QTest::newRow("unterminated quote") << QByteArray("\"never closed,\"x");
        QTest::newRow("second unterminated") << QByteArray("\"a\",\"b\r\n");
    }
    void malformedFilesAreErrors()
    {
        QFETCH(QByteArray, bytes);
        writeBytes(path_, bytes);
        const LicenciasLeidas leidas = LeerLicencias(path_);
        QVERIFY(!leidas.texts);
        QVERIFY(leidas.error);
        QCOMPARE(leidas.error->number, 62);
        QVERIFY(!leidas.error->description.isEmpty());
    }

    void folderOfThatNameExistsButCannotBeRead()
    {
        QFile::remove(path_);
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("Config.lic")));
        QVERIFY(FileExist(path_));
        QCOMPARE(LeerLicencias(path_).error->number, EISDIR);
        QVERIFY(!FileExist(dir_.filePath(QStringLiteral("none"))));
    }
};

QTEST_APPLESS_MAIN(TestLicencias)
#include "test_licencias.moc"
