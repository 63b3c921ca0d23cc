#include "command_line.h"
#include "main_window_driver.h"
#include "preview_window.h"

#include <QDir>
#include <cerrno>

namespace {

const QByteArray kLong(65, '-');
const QByteArray kShort(44, '-');

QByteArray linesWithCrLf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

PreviewWindow* loadedPreview()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* preview = qobject_cast<PreviewWindow*>(widget); preview && preview->isVisible())
            return preview;
    }
    return nullptr;
}

// The example everyone checks against: a beta of "demo" by "author".
void fillWorkedExample(const MainWindowDriver& ui)
{
    ui.type("TxtProducto", QStringLiteral("demo"));
    ui.type("TxtVersion", QStringLiteral("1.0"));
    ui.find<QCheckBox>("Chk1")->setChecked(true);
    QTRY_VERIFY(ui.find<QRadioButton>("OpVer2")->isEnabled());
    ui.find<QRadioButton>("OpVer2")->setChecked(true);
    ui.type("TxtNomApe", QStringLiteral("author"));
    ui.setDate(QDateTime(QDate(2004, 6, 5), QTime(14, 23, 11)));
    ui.typeBox("TxtDesc", QStringLiteral("First line\nSecond line"));
    ui.typeBox("TxtUso", QStringLiteral("Free to use."));
    ui.typeBox("TxtDistribucion", QStringLiteral("Copy unchanged."));
}

const QByteArray kWorkedExample = linesWithCrLf({
    "DEMO Ver. 1.0 BETA",
    kLong,
    "",
    "",
    "Autor: author",
    "E-Mail: ",
    "P\xE1gina Web: ",
    "Fecha: 05/06/2004 14:23:11",
    kLong,
    "",
    "",
    "DESCRIPCI\xD3N",
    kShort,
    "",
    "",
    "First line",
    "Second line",
    kLong,
    "",
    "",
    "LICENCIA DE USO",
    kShort,
    "Free to use.",
    "",
    "",
    "LICENCIA DE DISTRIBUCI\xD3N",
    kShort,
    "Copy unchanged.",
    kLong,
});

QByteArray firstLine(const QByteArray& document) { return document.left(document.indexOf("\r\n")); }

}  // namespace

class TestCreate : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString target() const { return dir_.filePath(QStringLiteral("trumi.txt")); }

private slots:
    void init() { QFile::remove(target()); }

    void workedExampleIsWrittenByteForByte()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        fillWorkedExample(ui);
        ui.answerSaveWith({target()});
        QVERIFY(ui.create());
        const QByteArray written = readBytes(target());
        QCOMPARE(written.size(), 625);
        QCOMPARE(written, kWorkedExample);
        QCOMPARE(ui.window->lastFileName(), target());
    }

    // NOLINTNEXTLINE(readability-function-size): the expected document, one line of it a line
    void allEmptyRecordIsWrittenByteForByte()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        ui.type("TxtProducto", QStringLiteral("x"));
        ui.type("TxtVersion", QStringLiteral("y"));
        ui.setDate(QDateTime(QDate(2004, 6, 5), QTime(14, 23, 11)));
        QTRY_VERIFY(ui.find<QPushButton>("CmdCrear")->isEnabled());
        // Create needs a product and a version to be enabled; once it is, the
        // boxes are emptied again so that the window holds an empty record.
        ui.type("TxtProducto", {});
        ui.type("TxtVersion", {});
        ui.answerSaveWith({target()});
        ui.find<QPushButton>("CmdCrear")->click();
        const QByteArray written = readBytes(target());
        QCOMPARE(written.size(), 558);
        QCOMPARE(written, linesWithCrLf({" Ver.  ",
                                         kLong,
                                         "",
                                         "",
                                         "Autor: ",
                                         "E-Mail: ",
                                         "P\xE1gina Web: ",
                                         "Fecha: 05/06/2004 14:23:11",
                                         kLong,
                                         "",
                                         "",
                                         "DESCRIPCI\xD3N",
                                         kShort,
                                         "",
                                         "",
                                         "",
                                         kLong,
                                         "",
                                         "",
                                         "LICENCIA DE USO",
                                         kShort,
                                         "",
                                         "",
                                         "",
                                         "LICENCIA DE DISTRIBUCI\xD3N",
                                         kShort,
                                         "",
                                         kLong}));
    }

    void statusLineFollowsTheCheckBoxAndFinalOption_data()
    {
        QTest::addColumn<int>("check");
        QTest::addColumn<bool>("final");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("clear, final chosen") << int(Qt::Unchecked) << true << QByteArray("DEMO Ver. 1.0 ");
        QTest::newRow("clear, beta chosen") << int(Qt::Unchecked) << false << QByteArray("DEMO Ver. 1.0 ");
        QTest::newRow("ticked, final") << int(Qt::Checked) << true << QByteArray("DEMO Ver. 1.0 FINAL");
        QTest::newRow("ticked, beta") << int(Qt::Checked) << false << QByteArray("DEMO Ver. 1.0 BETA");
        QTest::newRow("greyed") << int(Qt::PartiallyChecked) << false << QByteArray("DEMO Ver. 1.0 ");
    }
    void statusLineFollowsTheCheckBoxAndFinalOption()
    {
        QFETCH(int, check);
        QFETCH(bool, final);
        QFETCH(QByteArray, line);
        MainWindowDriver ui(Edition::release11(nullptr));
        ui.type("TxtProducto", QStringLiteral("demo"));
        ui.type("TxtVersion", QStringLiteral("1.0"));
        ui.find<QCheckBox>("Chk1")->setChecked(true);
        QTRY_VERIFY(ui.find<QRadioButton>("OpVer2")->isEnabled());
        ui.find<QRadioButton>(final ? "OpVer1" : "OpVer2")->setChecked(true);
        ui.find<QCheckBox>("Chk1")->setCheckState(Qt::CheckState(check));
        ui.answerSaveWith({target()});
        QVERIFY(ui.create());
        QCOMPARE(firstLine(readBytes(target())), line);
    }

    void productIsUpperCasedWithoutChangingItsLength()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        ui.type("TxtProducto", QStringLiteral("año ñandú straße"));
        ui.type("TxtVersion", QStringLiteral("1.0b"));
        ui.answerSaveWith({target()});
        QVERIFY(ui.create());
        QCOMPARE(firstLine(readBytes(target())), QByteArray("A\xD1O \xD1\x41ND\xDA STRA\xDF\x45 Ver. 1.0b "));
    }

    void lineBreaksInBoxesAreWrittenAsCrLf()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        ui.type("TxtProducto", QStringLiteral("p"));
        ui.type("TxtVersion", QStringLiteral("v"));
        ui.typeBox("TxtDesc", QStringLiteral("one\ntwo\n"));
        ui.typeBox("TxtUso", QStringLiteral("a\u00A0b"));
        ui.answerSaveWith({target()});
        QVERIFY(ui.create());
        const QByteArray written = readBytes(target());
        QVERIFY(written.contains(kShort + "\r\n\r\n\r\none\r\ntwo\r\n\r\n" + kLong));
        QVERIFY(written.contains("a\xA0"
                                 "b\r\n"));  // a no-break space stays one
        QVERIFY(!written.contains("\n\n"));
        QCOMPARE(written.count('\n'), written.count("\r\n"));
    }

    void cancelWritesNothingAndChangesNothing()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        fillWorkedExample(ui);
        const QStringList before = ui.snapshot();
        PresetFileDialogs* dialog = ui.answerSaveWith({});
        QVERIFY(ui.create());
        QCOMPARE(dialog->shows(), 1);
        QVERIFY(QDir(dir_.path()).isEmpty());
        QCOMPARE(ui.snapshot(), before);
        QCOMPARE(ui.window->lastFileName(), QString());
    }

    void release11ReplacesAndRelease10Appends()
    {
        writeBytes(target(), QByteArray(4000, 'o'));
        {
            MainWindowDriver ui(Edition::release11(nullptr));
            fillWorkedExample(ui);
            ui.answerSaveWith({target(), target()});
            QVERIFY(ui.create());
            QVERIFY(ui.create());
            QCOMPARE(readBytes(target()), kWorkedExample);
        }
        writeBytes(target(), "old\r\n");
        {
            MainWindowDriver ui(Edition::release10());
            fillWorkedExample(ui);
            ui.answerSaveWith({target(), target()});
            QVERIFY(ui.create());
            QVERIFY(ui.create());
            QCOMPARE(readBytes(target()), "old\r\n" + kWorkedExample + kWorkedExample);
        }
    }

    void secondRunShowsTheNewValuesOnly()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        fillWorkedExample(ui);
        ui.answerSaveWith({target(), target()});
        QVERIFY(ui.create());
        ui.find<QCheckBox>("Chk1")->setChecked(false);
        ui.type("TxtNomApe", QStringLiteral("other"));
        QVERIFY(ui.create());
        const QByteArray written = readBytes(target());
        QCOMPARE(firstLine(written), QByteArray("DEMO Ver. 1.0 "));
        QVERIFY(written.contains("Autor: other\r\n"));
        QVERIFY(!written.contains("author"));
    }

    // Release 1.1 writes Markdown where the name asks for it, the same bytes
    // as the command line's --output for the same fields; the preview then
    // shows that kind.
    void markdownIsTheCommandLinesToo()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        fillWorkedExample(ui);
        const QString markdown = dir_.filePath(QStringLiteral("README.md"));
        ui.answerSaveWith({markdown});
        QVERIFY(ui.create());
        const QStringList fields{u"--product"_qs,
                                 u"demo"_qs,
                                 u"--product-version"_qs,
                                 u"1.0"_qs,
                                 u"--status"_qs,
                                 u"beta"_qs,
                                 u"--author"_qs,
                                 u"author"_qs,
                                 u"--date"_qs,
                                 u"2004-06-05T14:23:11"_qs,
                                 u"--description"_qs,
                                 u"First line\nSecond line"_qs,
                                 u"--use-licence"_qs,
                                 u"Free to use."_qs,
                                 u"--distribution-licence"_qs,
                                 u"Copy unchanged."_qs};
        const QString other = dir_.filePath(QStringLiteral("other.md"));
        const CommandLineStreams quiet{[](QByteArray&) { return std::optional<FileError>(); },
                                       [](QByteArrayView) { return std::optional<FileError>(); },
                                       [](const QString&) { return std::optional<FileError>(); },
                                       [](const QString&) {}};
        QCOMPARE(runCommandLine(QStringList{u"--output"_qs, other} + fields, Edition::release11(nullptr), quiet), 0);
        QCOMPARE(readBytes(markdown), readBytes(other));
        QVERIFY(readBytes(markdown).startsWith("# demo Ver. 1.0 BETA\n"));
        QVERIFY(activate(ui.window));
        QTest::keyClick(ui.window, Qt::Key_F5);
        PreviewWindow* preview = nullptr;
        QTRY_VERIFY((preview = loadedPreview()) != nullptr);
        QVERIFY(preview->showsMarkdown());
        preview->close();
    }

    // Which errors file access meets is its own test's matter; here, that
    // the window reports one and keeps everything.
    void failureIsReportedOnceAndTheWindowKeepsEverything_data()
    {
        QTest::addColumn<bool>("singleLanguage");
        QTest::newRow("1.1") << false;
        QTest::newRow("1.0") << true;
    }
    void failureIsReportedOnceAndTheWindowKeepsEverything()
    {
        QFETCH(bool, singleLanguage);
        QDir(dir_.path()).mkdir(QStringLiteral("folder"));
        MainWindowDriver ui(singleLanguage ? Edition::release10() : Edition::release11(nullptr));
        fillWorkedExample(ui);
        const QStringList before = ui.snapshot();
        RecordedMessages messages;
        PresetFileDialogs* dialogs = ui.answerSaveWith({target(), dir_.filePath(QStringLiteral("folder"))});
        QVERIFY(ui.create());
        QCOMPARE(dialogs->proposed(), target());  // the next dialogs start from the file written
        QVERIFY(ui.create());
        QVERIFY(messages.isOneError(folderErrorNumber()));
        QVERIFY(ui.window && ui.window->isVisible());
        QCOMPARE(ui.snapshot(), before);
        QCOMPARE(dialogs->proposed(), target());  // not from the name that failed
        QVERIFY(QDir(dir_.path()).rmdir(QStringLiteral("folder")));
    }
};

TRUMI_TEST_MAIN(TestCreate)
#include "test_create.moc"
