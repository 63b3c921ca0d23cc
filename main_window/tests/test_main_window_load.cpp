#include "caption_keys.h"
#include "language_file.h"
#include "licence_file.h"
#include "main_window_driver.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <cerrno>
#include <optional>

namespace {

QColor boxColour(const QWidget* box) { return box->palette().color(QPalette::Base); }

const char* const kEightBoxes[] = {"TxtProducto", "TxtVersion", "TxtNomApe",       "TxtEmail",
                                   "TxtWeb",      "TxtUso",     "TxtDistribucion", "TxtDesc"};

// The main window's keys that caption a control (not the Open dialog's
// title).
QList<CaptionKey> controlKeys()
{
    QList<CaptionKey> keys = captionKeysOf(QStringLiteral("FrmTrumi"));
    keys.removeIf([](const CaptionKey& row) { return row.element == QByteArrayView("DialogoAbrir"); });
    return keys;
}

// Waits for the next tick of the window's polling timer.
bool nextTick(const MainWindowDriver& ui)
{
    QSignalSpy tick(ui.window->findChild<QTimer*>(QStringLiteral("Timer1")), &QTimer::timeout);
    return tick.wait(1000);
}

}  // namespace

class TestMainWindowLoad : public QObject {
    Q_OBJECT

private:
    std::optional<TemporaryProgramFolder> folder_;
    const LanguageFile language_{};

private slots:
    // Every test runs in a program folder of its own.
    void init() { folder_.emplace(); }
    void cleanup() { folder_.reset(); }

    void missingLanguageFileLeavesEveryCaptionBlank()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        for (const CaptionKey& row : controlKeys())
            QCOMPARE(captionOf(ui.find(row.element)), QString());
        QVERIFY(ui.window->windowTitle().startsWith(QLatin1String("Trumi Editor 1.1")));
        QCOMPARE(ui.find("TxtVersion")->toolTip(), QStringLiteral("Versión del producto."));
        ui.type("TxtProducto", QStringLiteral("p"));
        ui.type("TxtVersion", QStringLiteral("v"));
        QTRY_VERIFY(ui.find("CmdCrear")->isEnabled());
    }

    void languageFileWithOnlyCad1CaptionsOnlyTheOptionsButton()
    {
        writeBytes(folder_->filePath(QStringLiteral("TE.ini")), "[IDIOMA]\r\nCad1=&Opciones\r\n");
        MainWindowDriver ui(Edition::release11(&language_));
        for (const CaptionKey& row : controlKeys())
            QCOMPARE(captionOf(ui.find(row.element)),
                     row.key == QByteArray("Cad1") ? QStringLiteral("&Opciones") : QString());
    }

    void shippedSpanishFileGivesTheCaptionsOfRelease10()
    {
        QFile::copy(QStringLiteral(TRUMI_PROGRAM_DIR "/TE.ini"), folder_->filePath(QStringLiteral("TE.ini")));
        MainWindowDriver multi(Edition::release11(&language_));
        MainWindowDriver single(Edition::release10());
        for (const CaptionKey& row : controlKeys()) {
            const QString caption = captionOf(multi.find(row.element));
            if (row.key == QByteArray("Cad22"))
                QCOMPARE(caption, QStringLiteral("Licencia de distribución:"));
            else
                QCOMPARE(caption, captionOf(single.find(row.element)));
        }
    }

    // Reported once, when the program starts; the other windows then show
    // blank captions without saying it again.
    void unreadableLanguageFileIsReportedOnceAtStartUp()
    {
        QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral("TE.ini")));
        RecordedMessages messages;
        MainWindowDriver ui(Edition::release11(&language_));
        QVERIFY(messages.isOneError(folderErrorNumber()));
        QVERIFY(messages.all().first().contains(QStringLiteral("TE.ini")));
        QVERIFY(ui.window->isVisible());
        QCOMPARE(ui.find<QAbstractButton>("CmdCrear")->text(), QString());
        ui.openOptions()->close();
        ui.openAbout()->close();
        QCOMPARE(messages.all().size(), 1);
    }

    // Tooltips, the Save dialog, messages, the credits and the date picker
    // with its calendar speak the language of the language file; release
    // 1.0 speaks Spanish. The tests run under the C locale.
    void everyTextSpeaksTheProgramsLanguage_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::addColumn<QStringList>("expected");  // tip, Save title, filter, failure, credits
        QTest::addColumn<QLocale::Language>("language");
        const QStringList spanish{
            u"Nombre del producto sin la versi\u00F3n."_qs, u"Generar fichero"_qs, u"Fichero de texto *.txt (*.txt)"_qs,
            u"No se ha podido completar la operaci\u00F3n con el fichero"_qs, u"Editor de archivos trumi."_qs};
        QTest::newRow("1.1, English") << u"" TRUMI_ENGLISH_FILE ""_qs
                                      << QStringList{u"Product name without the version."_qs, u"Create file"_qs,
                                                     u"Text file *.txt (*.txt)"_qs,
                                                     u"The operation on this file could not be completed"_qs,
                                                     u"Trumi file editor."_qs}
                                      << QLocale::English;
        QTest::newRow("1.1, Spanish") << u"" TRUMI_PROGRAM_DIR "/TE.ini"_qs << spanish << QLocale::Spanish;
        QTest::newRow("1.0") << QString() << spanish << QLocale::Spanish;
    }
    void everyTextSpeaksTheProgramsLanguage()
    {
        QFETCH(QString, languageFile);
        QFETCH(QStringList, expected);
        QFETCH(QLocale::Language, language);
        QFile::copy(languageFile, folder_->filePath(u"TE.ini"_qs));
        MainWindowDriver ui(languageFile.isEmpty() ? Edition::release10() : Edition::release11(&language_));
        QCOMPARE(ui.find("TxtProducto")->toolTip(), expected[0]);
        auto* picker = ui.find<QDateTimeEdit>("Calendario");
        QCOMPARE(picker->locale().language(), language);
        QCOMPARE(picker->calendarWidget()->locale().language(), language);

        ui.type("TxtProducto", u"p"_qs);
        ui.type("TxtVersion", u"v"_qs);
        QTRY_VERIFY(ui.find("CmdCrear")->isEnabled());
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown << dialog->windowTitle() << dialog->nameFilters();
            dialog->reject();
        });
        ui.find<QPushButton>("CmdCrear")->click();
        QCOMPARE(shown.mid(0, 2), expected.mid(1, 2));
        QCOMPARE(shown.size(), languageFile.isEmpty() ? 2 : 3);  // release 1.1 offers Markdown too

        RecordedMessages messages;
        ui.answerSaveWith({folder_->path()});
        QVERIFY(ui.create());
        QVERIFY(messages.isOneError(folderErrorNumber()));
        QVERIFY(messages.all().first().startsWith(expected[3]));
        AboutWindow* about = ui.openAbout();
        QCOMPARE(about->findChild<QLabel*>(u"Label1"_qs)->text(), expected[4]);
        about->close();
    }

    void licenceBoxesStartWithTheStoredTexts()
    {
        QVERIFY(
            !LicenceFile::inProgramFolder().write({QStringLiteral("uso, \"libre\"\nsegunda"), QStringLiteral("dist")}));
        for (const Edition& edition : {Edition::release11(&language_), Edition::release10()}) {
            MainWindowDriver ui(edition);
            QCOMPARE(ui.box("TxtUso")->toPlainText(), QStringLiteral("uso, \"libre\"\nsegunda"));
            QCOMPARE(ui.box("TxtDistribucion")->toPlainText(), QStringLiteral("dist"));
        }
    }

    void malformedLicenceFileIsReportedAndTheWindowOpens_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("number");
        QTest::newRow("one field") << QByteArray("\"uno\"\r\n") << 62;
        QTest::newRow("a folder") << QByteArray("folder") << folderErrorNumber();
    }
    void malformedLicenceFileIsReportedAndTheWindowOpens()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, number);
        if (content == "folder")
            QDir(folder_->path()).mkdir(QStringLiteral("Config.lic"));
        else
            writeBytes(LicenceFile::inProgramFolder().path().display(), content);
        RecordedMessages messages;
        MainWindowDriver ui(Edition::release11(&language_));
        QVERIFY(messages.isOneError(number));
        QVERIFY(messages.all().first().contains(QStringLiteral("Config.lic")));
        QVERIFY(ui.window->isVisible());
        QCOMPARE(ui.box("TxtUso")->toPlainText(), QString());
        QCOMPARE(ui.box("TxtDistribucion")->toPlainText(), QString());
        if (content != "folder")
            QCOMPARE(readBytes(LicenceFile::inProgramFolder().path().display()), content);
    }

    void focusedBoxIsPaleYellowAndTurnsWhiteWhenLeft()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        const QColor designColour = boxColour(ui.find("TxtDesc"));
        QCOMPARE(designColour, QApplication::palette().color(QPalette::Base));
        QVERIFY(activate(ui.window));
        QCOMPARE(QApplication::focusWidget(), ui.find("TxtProducto"));
        QCOMPARE(boxColour(ui.find("TxtProducto")), QColor(255, 255, 192));
        QCOMPARE(boxColour(ui.find("TxtDesc")), designColour);  // not focused yet

        for (const char* name : kEightBoxes) {
            ui.find(name)->setFocus(Qt::TabFocusReason);
            for (const char* other : kEightBoxes) {
                const bool entered = QByteArray(other) == name;
                QCOMPARE(boxColour(ui.find(other)), entered ? QColor(255, 255, 192) : QColor(Qt::white));
            }
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // from the description to Create
        QCOMPARE(boxColour(ui.find("TxtDesc")), QColor(Qt::white));
        QCOMPARE(boxColour(ui.find("Calendario")), QApplication::palette().color(QPalette::Base));
    }

    void tabTakesTheHighlightFromBoxToBox()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        QVERIFY(activate(ui.window));
        QTest::keyClick(ui.find("TxtProducto"), Qt::Key_Tab);
        QCOMPARE(boxColour(ui.find("TxtProducto")), QColor(Qt::white));
        QCOMPARE(boxColour(ui.find("TxtVersion")), QColor(255, 255, 192));
        QTest::keyClick(ui.find("TxtVersion"), Qt::Key_Tab);  // to the check box: no highlight there
        QCOMPARE(boxColour(ui.find("TxtVersion")), QColor(Qt::white));
    }

    void createFollowsProductAndVersionWithinOneTick()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        auto* crear = ui.find("CmdCrear");
        QVERIFY(!crear->isEnabled());  // from the first frame, before any tick
        QVERIFY(nextTick(ui));
        QVERIFY(!crear->isEnabled());
        ui.type("TxtProducto", QStringLiteral("demo"));
        QVERIFY(nextTick(ui));
        QVERIFY(!crear->isEnabled());
        ui.type("TxtVersion", QStringLiteral("   "));  // spaces count as filled
        QVERIFY(nextTick(ui));
        QVERIFY(crear->isEnabled());
        ui.type("TxtProducto", {});
        QVERIFY(nextTick(ui));
        QVERIFY(!crear->isEnabled());
        QVERIFY(!ui.find("OpVer1")->isEnabled());  // the boxes never touch the options
    }

    void optionsFollowTheCheckBoxAndKeepTheirChoice()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        auto* chk1 = ui.find<QCheckBox>("Chk1");
        auto* opVer2 = ui.find<QRadioButton>("OpVer2");
        chk1->setChecked(true);
        QVERIFY(nextTick(ui));
        QVERIFY(ui.find("OpVer1")->isEnabled() && opVer2->isEnabled());
        opVer2->setChecked(true);
        chk1->setChecked(false);
        QVERIFY(nextTick(ui));
        QVERIFY(!ui.find("OpVer1")->isEnabled() && !opVer2->isEnabled());
        QVERIFY(opVer2->isChecked());
        chk1->setCheckState(Qt::PartiallyChecked);
        QVERIFY(nextTick(ui));
        QVERIFY(opVer2->isEnabled() && opVer2->isChecked());
    }
};

TRUMI_TEST_MAIN(TestMainWindowLoad)
#include "test_main_window_load.moc"
