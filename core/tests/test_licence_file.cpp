#include "licence_file.h"
#include "program_folder.h"
#include "test_files.h"

#include <QDir>
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

    // A portable program folder the user may write keeps Config.lic beside
    // the program; otherwise the user's own defaults come first, before
    // everyone's: Config.lic beside a portable program, the administrators'
    // file beside an installed one (PREFIX/lib/trumi-editor), whose folder
    // is never written, even where the user may.
    void defaultsLiveWhereTheUserMayWrite_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("writableFolder");
        QTest::addColumn<bool>("ownFile");
        QTest::addColumn<QString>("readFrom");
        QTest::addColumn<QString>("savedTo");
        QTest::newRow("portable folder") << false << true << true << u"everyone"_qs << u"everyone"_qs;
        QTest::newRow("read-only portable folder") << false << false << false << u"everyone"_qs << u"own"_qs;
        QTest::newRow("read-only portable, the user's own") << false << false << true << u"own"_qs << u"own"_qs;
        QTest::newRow("installed, administrators' default") << true << false << false << u"everyone"_qs << u"own"_qs;
        QTest::newRow("installed, the user's own") << true << false << true << u"own"_qs << u"own"_qs;
        QTest::newRow("installed, folder writable (root)") << true << true << false << u"everyone"_qs << u"own"_qs;
    }
    void defaultsLiveWhereTheUserMayWrite()
    {
        QFETCH(bool, installed);
        QFETCH(bool, writableFolder);
        QFETCH(bool, ownFile);
        QFETCH(QString, readFrom);
        QFETCH(QString, savedTo);
        QTemporaryDir root, config;
        const QString program = root.filePath(installed ? u"usr/lib/trumi-editor"_qs : u"program"_qs);
        const QString everyone =
            installed ? root.filePath(u"etc/trumi-editor/Config.lic"_qs) : program + u"/Config.lic"_qs;
        const QString own = config.filePath(u"trumi-editor/Config.lic"_qs);
        QDir().mkpath(program);
        QDir().mkpath(QFileInfo(everyone).path());
        overrideProgramFolder(program);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QVERIFY(!LicenceFile(everyone).write({u"everyone"_qs, {}}));
        if (ownFile) {
            QDir().mkpath(QFileInfo(own).path());
            QVERIFY(!LicenceFile(own).write({u"own"_qs, {}}));
        }
        for (const QString& path : {root.path(), config.path(), QFileInfo(own).path(), QFileInfo(everyone).path()})
            QFile::setPermissions(path, QFileDevice::Permissions(0x7777));
        QFile::setPermissions(everyone, QFileDevice::Permissions(0x6666));
        QFile::setPermissions(own, QFileDevice::Permissions(0x6666));
        QFile::setPermissions(program,
                              writableFolder ? QFileDevice::Permissions(0x7777) : QFileDevice::Permissions(0x5555));
        {
            UnprivilegedFileAccess asUser;
            QCOMPARE(LicenceFile::forReading().read().texts->use, readFrom);
            QVERIFY(!LicenceFile::forSaving().write({u"saved"_qs, {}}));
            QCOMPARE(LicenceFile(savedTo == u"own"_qs ? own : everyone).read().texts->use, u"saved"_qs);
            QCOMPARE(LicenceFile::forReading().read().texts->use, u"saved"_qs);
        }
        qunsetenv("XDG_CONFIG_HOME");
        overrideProgramFolder({});
    }

    // Saving names the folder it could not make and the system's error; a
    // relative XDG_CONFIG_HOME is ignored, as the XDG rules say.
    void usersFolderFollowsTheXdgRules()
    {
        QTemporaryDir root, home, elsewhere;
        const QString program = root.filePath(u"usr/lib/trumi-editor"_qs);
        QDir().mkpath(program);
        overrideProgramFolder(program);
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", "relative");
        const QString before = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        QVERIFY(!LicenceFile::forSaving().write({u"saved"_qs, {}}));
        QVERIFY(QFile::exists(home.filePath(u".config/trumi-editor/Config.lic"_qs)));
        QVERIFY(!QFile::exists(elsewhere.filePath(u"relative"_qs)));
        QDir::setCurrent(before);
        QDir(home.filePath(u".config"_qs)).removeRecursively();
        QFile::setPermissions(home.path(), QFileDevice::Permissions(0x5555));
        {
            UnprivilegedFileAccess asUser;
            const auto error = LicenceFile::forSaving().write({u"saved"_qs, {}});
            QVERIFY(error);
            QCOMPARE(error->number, EACCES);
            QCOMPARE(error->path, home.filePath(u".config"_qs));
        }
        QFile::setPermissions(home.path(), QFileDevice::Permissions(0x7777));
        qputenv("HOME", oldHome);
        qunsetenv("XDG_CONFIG_HOME");
        overrideProgramFolder({});
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
