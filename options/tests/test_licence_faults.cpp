// Damaged or unusual licence files, met through the real windows: each is
// reported once or read, the program keeps running, every field keeps its
// text and the file keeps every byte.
#include "common/controls.h"
#include "main_window/tests/main_window_driver.h"
#include "options/frm_opciones.h"
#include "options/licencias.h"

#include <QRandomGenerator>
#include <optional>
#include <cerrno>

namespace {

QByteArray binaryBytes(int size)
{
    QRandomGenerator generator(1252);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

QString boxText(QWidget* window, const char* name)
{
    return window->findChild<QPlainTextEdit*>(QString::fromLatin1(name))->toPlainText();
}

}  // namespace

class TestLicenceFaults : public QObject {
    Q_OBJECT

private slots:
    void unreadableFileIsReportedByBothWindows()
    {
        TemporaryProgramFolder folder;
        QFile::setPermissions(folder.path(), QFile::permissions(folder.path()) | QFile::ReadOther | QFile::ExeOther);
        writeBytes(configLicPath(), "\"use\",\"dist\"\r\n");
        QFile::setPermissions(configLicPath(), QFile::WriteOwner);
        RecordedMessages messages;
        std::optional<UnprivilegedFileAccess> asUser(std::in_place);
        MainWindowDriver ui(Release::V1_1);
        QCOMPARE(messages.all().size(), 1);
        QVERIFY(messages.all().first().contains(QStringLiteral("Error %1: ").arg(EACCES)));
        QVERIFY(ui.window->isVisible());
        ui.type("TxtProducto", QStringLiteral("typed"));
        ui.find<QPushButton>("CmdOpciones")->click();
        QCOMPARE(messages.all().size(), 2);
        auto* options = loadedWindow<FrmOpciones>();
        QVERIFY(options && options->isVisible());
        QCOMPARE(boxText(options, "TxtLicUso"), QString());
        options->close();
        QCOMPARE(ui.line("TxtProducto")->text(), QStringLiteral("typed"));
        asUser.reset();
        QCOMPARE(readBytes(configLicPath()), QByteArray("\"use\",\"dist\"\r\n"));
    }

    void binaryContentNeverStopsTheProgram_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("random bytes") << binaryBytes(4096);
        QTest::newRow("control bytes inside a record") << QByteArray("\"a\x01\x7F\x81\",\"\x9D\xFF\"\r\n", 14);
        QTest::newRow("no line end") << QByteArray("\"a\",\"b\"");
        QTest::newRow("only quotes") << QByteArray(1000, '"');
    }
    void binaryContentNeverStopsTheProgram()
    {
        QFETCH(QByteArray, content);
        TemporaryProgramFolder folder;
        writeBytes(configLicPath(), content);
        RecordedMessages messages;
        MainWindowDriver ui(Release::V1_1);
        QVERIFY(ui.window->isVisible());
        QVERIFY(messages.all().size() <= 1);
        if (messages.all().isEmpty()) {
            const LicenciasLeidas leidas = LeerLicencias(configLicPath());
            QCOMPARE(ui.box("TxtUso")->toPlainText(), leidas.texts->uso);
        } else {
            QVERIFY(messages.all().first().contains(QStringLiteral("Error 62: ")));
            QCOMPARE(ui.box("TxtUso")->toPlainText(), QString());
        }
        QCOMPARE(readBytes(configLicPath()), content);
    }

    void fiftyMegabyteFileIsReadWhole()
    {
        TemporaryProgramFolder folder;
        QString line = QString(98, QLatin1Char('x')) + QLatin1Char('\n');
        const QString use = line.repeated(500000);  // 49.6 million characters
        QVERIFY(!GrabarLicencias(configLicPath(), {use, QStringLiteral("d")}));
        QVERIFY(QFileInfo(configLicPath()).size() > 50'000'000);
        RecordedMessages messages;
        MainWindowDriver ui(Release::V1_1);
        QVERIFY(messages.all().isEmpty());
        QCOMPARE(plainTextOf(ui.box("TxtUso")).size(), use.size());
        QCOMPARE(ui.box("TxtDistribucion")->toPlainText(), QStringLiteral("d"));
    }
};

TRUMI_TEST_MAIN(TestLicenceFaults)
#include "test_licence_faults.moc"
