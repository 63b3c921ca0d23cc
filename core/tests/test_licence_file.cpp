#include "licence_file.h"
#include "test_files.h"

#include <QDir>
#include <QStandardPaths>
#include <QTest>
#include <cerrno>

Q_DECLARE_METATYPE(Licences)

class TestLicenceFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    LicenceFile file_{dir_.filePath(QStringLiteral("Config.lic"))};

private slots:
    void textsSurviveASaveAndAReload_data()
    {
        QTest::addColumn<Licences>("texts");
        QTest::newRow("empty") << Licences{};
        QTest::newRow("one line each") << Licences{QStringLiteral("Libre"), QStringLiteral("Copia")};
        QTest::newRow("several lines") << Licences{QStringLiteral("a\nb\n\nc\n"), QStringLiteral("\nx")};
        QTest::newRow("commas") << Licences{QStringLiteral("a, b,c,"), QStringLiteral(",")};
        QTest::newRow("quotes") << Licences{QStringLiteral("say \"yes\""), QStringLiteral("\"\",\"")};
        QTest::newRow("accents") << Licences{QStringLiteral("Licencia de distribución: ñ €"), QStringLiteral("ÿ")};
        QTest::newRow("fifty megabytes") << Licences{QString(98, QLatin1Char('x')).append(u'\n').repeated(500000),
                                                     QStringLiteral("d")};
    }
    void textsSurviveASaveAndAReload()
    {
        QFETCH(Licences, texts);
        QVERIFY(!file_.write(texts));
        const LicencesRead read = file_.read();
        QVERIFY(!read.error);
        QCOMPARE(*read.texts, texts);
    }

    void fileHoldsExactlyOneRecord()
    {
        QVERIFY(!file_.write({}));
        QCOMPARE(readBytes(file_.path().display()), QByteArray("\"\",\"\"\r\n"));
        QVERIFY(!file_.write({QStringLiteral("uso\nlibre"), QStringLiteral("sí")}));
        QCOMPARE(readBytes(file_.path().display()), QByteArray("\"uso\r\nlibre\",\"s\xED\"\r\n"));
        QVERIFY(!file_.write({QStringLiteral("s"), QStringLiteral("t")}));  // nothing of the longer one stays
        QCOMPARE(readBytes(file_.path().display()), QByteArray("\"s\",\"t\"\r\n"));
    }

    // Files this program did not write, or damaged ones: each gives two texts
    // or error 62, never anything else.
    void readsWhatItCanAndReportsTheRest_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("use");
        QTest::addColumn<QString>("distribution");
        const QString none = QStringLiteral("(error 62)");
        QTest::newRow("blanks and junk") << QByteArray("  \"use\" junk , \"dist\"\r\nmore\r\n") << "use"
                                         << "dist";
        QTest::newRow("unquoted") << QByteArray(" plain use , plain dist \r\n") << "plain use"
                                  << "plain dist";
        QTest::newRow("carriage returns") << QByteArray("\"a\r\r\nb\rc\",\"\"\r\n") << "a\n\nb\nc"
                                          << "";
        QTest::newRow("control bytes") << QByteArray("\"a\x01\x7F\x81\",\"\x9D\xFF\"", 11) << "a\x01\x7F\u0081"
                                       << "\u009D\u00FF";
        QTest::newRow("no line end") << QByteArray("\"a\",\"b\"") << "a"
                                     << "b";
        QTest::newRow("fields on two lines") << QByteArray("\"a\"\r\n\"b\"\r\n") << "a"
                                             << "b";
        QTest::newRow("second field with a comma") << QByteArray("\"a\"\r\n\"b, c\"") << "a"
                                                   << "b, c";
        QTest::newRow("empty") << QByteArray() << none << none;
        QTest::newRow("one field") << QByteArray("\"only one\"\r\n") << none << none;
        QTest::newRow("unterminated quote") << QByteArray("\"never closed,\"x") << none << none;
        QTest::newRow("second unterminated") << QByteArray("\"a\",\"b\r\n") << none << none;
        QTest::newRow("only quotes") << QByteArray(1001, '"') << none << none;
    }
    void readsWhatItCanAndReportsTheRest()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, use);
        QFETCH(QString, distribution);
        writeBytes(file_.path().display(), bytes);
        const LicencesRead read = file_.read();
        QCOMPARE(read.texts.has_value(), !read.error.has_value());
        if (read.error) {
            QCOMPARE(QStringLiteral("(error %1)").arg(read.error->number), use);
            QVERIFY(read.error->problem != FileProblem::System);  // worded by the program
            return;
        }
        QCOMPARE(read.texts->use, use);
        QCOMPARE(read.texts->distribution, distribution);
        QVERIFY(!file_.write(*read.texts));  // and what was read survives a save
        QCOMPARE(*file_.read().texts, *read.texts);
    }

    // A program folder the user may write keeps Config.lic beside the
    // program; otherwise the user's own defaults come first.
    void defaultsLiveWhereTheUserMayWrite_data()
    {
        QTest::addColumn<bool>("writableFolder");
        QTest::addColumn<bool>("ownFile");
        QTest::addColumn<QString>("readFrom");
        QTest::addColumn<QString>("savedTo");
        QTest::newRow("portable folder") << true << true << "program"
                                         << "program";
        QTest::newRow("installed, everyone's default") << false << false << "program"
                                                       << "own";
        QTest::newRow("installed, the user's own") << false << true << "own"
                                                   << "own";
    }
    void defaultsLiveWhereTheUserMayWrite()
    {
        QFETCH(bool, writableFolder);
        QFETCH(bool, ownFile);
        QFETCH(QString, readFrom);
        QFETCH(QString, savedTo);
        TemporaryProgramFolder folder;
        QTemporaryDir config;
        QFile::setPermissions(config.path(), QFileDevice::Permissions(0x7777));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        const QString own = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u"/Config.lic"_qs;
        QVERIFY(!LicenceFile(folder.filePath(u"Config.lic"_qs)).write({u"program"_qs, {}}));
        if (ownFile) {
            QDir().mkpath(QFileInfo(own).path());
            QVERIFY(!LicenceFile(own).write({u"own"_qs, {}}));
        }
        for (const QString& file : {own, folder.filePath(u"Config.lic"_qs)})  // writable by the user
            QFile::setPermissions(file, QFileDevice::Permissions(0x6666));
        QFile::setPermissions(QFileInfo(own).path(), QFileDevice::Permissions(0x7777));
        QFile::setPermissions(folder.path(),
                              writableFolder ? QFileDevice::Permissions(0x7777) : QFileDevice::Permissions(0x5555));
        UnprivilegedFileAccess asUser;
        QCOMPARE(LicenceFile::forReading().read().texts->use, readFrom);
        QVERIFY(!LicenceFile::forSaving().write({u"saved"_qs, {}}));
        QCOMPARE(LicenceFile(savedTo == u"own"_qs ? FilePath(own) : FilePath(folder.filePath(u"Config.lic"_qs)))
                     .read()
                     .texts->use,
                 u"saved"_qs);
        QCOMPARE(LicenceFile::forReading().read().texts->use, u"saved"_qs);
    }

    void folderOfThatNameExistsButCannotBeRead()
    {
        QFile::remove(file_.path().display());
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("Config.lic")));
        QVERIFY(file_.exists());
        QCOMPARE(file_.read().error->number, EISDIR);
        QVERIFY(!LicenceFile(dir_.filePath(QStringLiteral("none"))).exists());
        QDir(dir_.path()).rmdir(QStringLiteral("Config.lic"));
    }
};

QTEST_GUILESS_MAIN(TestLicenceFile)
#include "test_licence_file.moc"
