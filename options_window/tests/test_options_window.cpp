#include "language_file.h"
#include "licence_file.h"
#include "main_window_driver.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <cerrno>
#include <optional>

namespace {

template <typename T = QWidget>
T* in(OptionsWindow* window, const char* name)
{
    return elementOf<T>(window, name);
}

QString text(OptionsWindow* window, const char* box) { return in<QPlainTextEdit>(window, box)->toPlainText(); }

QString licenceFile() { return LicenceFile::inProgramFolder().path().display(); }

}  // namespace

class TestOptionsWindow : public QObject {
    Q_OBJECT

private:
    std::optional<TemporaryProgramFolder> folder_;
    const LanguageFile language_{};

private slots:
    // Every test runs in a program folder of its own.
    void init() { folder_.emplace(); }
    void cleanup() { folder_.reset(); }

    void optionsHidesTheMainWindowWhichKeepsTicking()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        OptionsWindow* options = ui.openOptions();
        QVERIFY(options && options->isVisible());
        QVERIFY(!ui.window->isVisible());
        QVERIFY(ui.window->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        ui.type("TxtProducto", QStringLiteral("p"));
        ui.type("TxtVersion", QStringLiteral("v"));
        QTRY_VERIFY(ui.find("CmdCrear")->isEnabled());  // polled while hidden
        QCOMPARE(ui.openOptions(), options);            // never a second copy
        in<QPushButton>(options, "CmdAceptar")->click();
    }

    void acceptWithoutAFileEmptiesTheLicenceBoxes()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        ui.typeBox("TxtUso", QStringLiteral("typed use"));
        ui.typeBox("TxtDistribucion", QStringLiteral("typed distribution"));
        OptionsWindow* options = ui.openOptions();
        QCOMPARE(text(options, "TxtLicUso"), QString());
        in<QPushButton>(options, "CmdAceptar")->click();
        QVERIFY(ui.window->isVisible());
        QTRY_VERIFY(!loadedWindow<OptionsWindow>());
        QCOMPARE(ui.box("TxtUso")->toPlainText(), QString());
        QCOMPARE(ui.box("TxtDistribucion")->toPlainText(), QString());
        QVERIFY(!QFile::exists(licenceFile()));
    }

    void acceptHandsOverEditsAndStoresNothing()
    {
        QVERIFY(!LicenceFile::inProgramFolder().write({QStringLiteral("stored use"), QStringLiteral("stored dist")}));
        const QByteArray stored = readBytes(licenceFile());
        MainWindowDriver ui(Edition::release11(&language_));
        ui.type("TxtProducto", QStringLiteral("kept product"));
        ui.typeBox("TxtDesc", QStringLiteral("kept\ndescription"));
        OptionsWindow* options = ui.openOptions();
        QCOMPARE(text(options, "TxtLicUso"), QStringLiteral("stored use"));
        in<QPlainTextEdit>(options, "TxtLicUso")->setPlainText(QStringLiteral("edited\nuse"));
        in<QPushButton>(options, "CmdAceptar")->click();
        QCOMPARE(ui.box("TxtUso")->toPlainText(), QStringLiteral("edited\nuse"));
        QCOMPARE(ui.box("TxtDistribucion")->toPlainText(), QStringLiteral("stored dist"));
        QCOMPARE(ui.line("TxtProducto")->text(), QStringLiteral("kept product"));
        QCOMPARE(ui.box("TxtDesc")->toPlainText(), QStringLiteral("kept\ndescription"));
        QCOMPARE(readBytes(licenceFile()), stored);
        QTRY_VERIFY(!loadedWindow<OptionsWindow>());
        options = ui.openOptions();
        QCOMPARE(text(options, "TxtLicUso"), QStringLiteral("stored use"));
        options->close();
    }

    void saveStoresTheTextsAndHandsThemOver()
    {
        QVERIFY(!LicenceFile::inProgramFolder().write({QStringLiteral("old use"), QStringLiteral("old dist")}));
        MainWindowDriver ui(Edition::release11(&language_));
        OptionsWindow* options = ui.openOptions();
        in<QPlainTextEdit>(options, "TxtLicUso")->setPlainText({});
        in<QPlainTextEdit>(options, "TxtLicDist")->setPlainText({});
        in<QPushButton>(options, "CmdGuardar")->click();
        QCOMPARE(readBytes(licenceFile()), QByteArray("\"\",\"\"\r\n"));
        QVERIFY(ui.window->isVisible());
        QCOMPARE(ui.box("TxtUso")->toPlainText(), QString());
        QCOMPARE(ui.box("TxtDistribucion")->toPlainText(), QString());
        QTRY_VERIFY(!loadedWindow<OptionsWindow>());
    }

    void failedSaveIsReportedAndKeepsTheWindowOpen()
    {
        QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral("Config.lic")));
        RecordedMessages messages;
        MainWindowDriver ui(Edition::release11(&language_));
        OptionsWindow* options = ui.openOptions();
        const int atLoad = messages.all().size();
        QCOMPARE(atLoad, 2);  // the main window's load and the options window's load
        in<QPlainTextEdit>(options, "TxtLicUso")->setPlainText(QStringLiteral("not lost"));
        in<QPushButton>(options, "CmdGuardar")->click();
        QCOMPARE(messages.all().size(), atLoad + 1);
        QVERIFY(messages.all().last().contains(QStringLiteral("Error %1: ").arg(EISDIR)));
        QVERIFY(options->isVisible() && loadedWindow<OptionsWindow>() == options);
        QCOMPARE(text(options, "TxtLicUso"), QStringLiteral("not lost"));
        QVERIFY(!ui.window->isVisible());
        QVERIFY(QFileInfo(licenceFile()).isDir());
        in<QPushButton>(options, "CmdAceptar")->click();
        QCOMPARE(ui.box("TxtUso")->toPlainText(), QStringLiteral("not lost"));
    }

    // Neither the program folder nor the user's configuration folder may be
    // written: Save says so and keeps the window open.
    void nowhereToSaveIsReported()
    {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QFile::setPermissions(folder_->path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        MainWindowDriver ui(Edition::release11(&language_));
        OptionsWindow* options = ui.openOptions();
        RecordedMessages messages;
        {
            UnprivilegedFileAccess asUser;
            in<QPushButton>(options, "CmdGuardar")->click();
        }
        QCOMPARE(messages.all().size(), 1);
        QVERIFY(messages.all().first().contains(QStringLiteral("Error %1: ").arg(EACCES)));
        QVERIFY(options->isVisible());
        QVERIFY(!QFile::exists(licenceFile()));
        QFile::setPermissions(folder_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qunsetenv("XDG_CONFIG_HOME");
        options->close();
    }

    void titleBarCloseBringsTheMainWindowBackUnchanged()
    {
        QVERIFY(!LicenceFile::inProgramFolder().write({QStringLiteral("stored"), QStringLiteral("stored")}));
        MainWindowDriver ui(Edition::release11(&language_));
        ui.typeBox("TxtUso", QStringLiteral("typed"));
        OptionsWindow* options = ui.openOptions();
        in<QPlainTextEdit>(options, "TxtLicUso")->setPlainText(QStringLiteral("discarded"));
        options->close();
        QVERIFY(ui.window->isVisible());
        QCOMPARE(ui.box("TxtUso")->toPlainText(), QStringLiteral("typed"));
        QTRY_VERIFY(!loadedWindow<OptionsWindow>());
    }

    void tabOrderStartsOnAcceptAndHighlightsReturnToTheSystemColour()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        OptionsWindow* options = ui.openOptions();
        QVERIFY(activate(options));
        QStringList order;
        for (int i = 0; i < 5; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"CmdAceptar", "TxtLicUso", "TxtLicDist", "CmdGuardar", "CmdAceptar"}));
        const QColor system = QApplication::palette().color(QPalette::Base);
        auto* use = in(options, "TxtLicUso");
        auto* dist = in(options, "TxtLicDist");
        QCOMPARE(dist->palette().color(QPalette::Base), QColor(Qt::white));  // as designed
        use->setFocus(Qt::TabFocusReason);
        QCOMPARE(use->palette().color(QPalette::Base), QColor(255, 255, 192));
        QTest::keyClick(use, Qt::Key_Tab);
        QCOMPARE(use->palette().color(QPalette::Base), system);
        QCOMPARE(dist->palette().color(QPalette::Base), QColor(255, 255, 192));
        QTest::keyClick(dist, Qt::Key_Tab);
        QCOMPARE(dist->palette().color(QPalette::Base), system);
        options->close();
    }

    void captionsComeFromTheLanguageFileAtEveryOpening()
    {
        writeBytes(folder_->filePath(QStringLiteral("TE.ini")), "[IDIOMA]\r\nCad22=First\r\nCad24=Title\r\n");
        MainWindowDriver ui(Edition::release11(&language_));
        OptionsWindow* options = ui.openOptions();
        QCOMPARE(options->windowTitle(), QStringLiteral("Title"));
        QCOMPARE(in<QLabel>(options, "Label2")->text(), QStringLiteral("First"));
        QCOMPARE(ui.find<QLabel>("Label11")->text(), QStringLiteral("First"));
        QCOMPARE(in<QGroupBox>(options, "Frame1")->title(), QString());
        QCOMPARE(in<QAbstractButton>(options, "CmdGuardar")->text(), QString());
        writeBytes(folder_->filePath(QStringLiteral("TE.ini")), "[IDIOMA]\r\nCad22=Second\r\n");
        in<QPushButton>(options, "CmdAceptar")->click();
        QTRY_VERIFY(!loadedWindow<OptionsWindow>());
        options = ui.openOptions();
        QCOMPARE(in<QLabel>(options, "Label2")->text(), QStringLiteral("Second"));
        QCOMPARE(captionOf(options), QString());
        QCOMPARE(ui.find<QLabel>("Label11")->text(), QStringLiteral("First"));  // read once, at start-up
        options->close();
    }

    void release10HasFixedCaptionsAndItsOwnAcceptButton()
    {
        MainWindowDriver ui(Edition::release10());
        OptionsWindow* options = ui.openOptions();
        QCOMPARE(options->windowTitle(), QStringLiteral("Opciones"));
        QCOMPARE(in<QLabel>(options, "Label2")->text(), QStringLiteral("Licencia de distribución:"));
        QVERIFY(!in(options, "Label4"));
        QVERIFY(!in(options, "CmdAceptar"));
        in<QPlainTextEdit>(options, "TxtLicUso")->setPlainText(QStringLiteral("from 1.0"));
        in<QPushButton>(options, "FrmAceptar")->click();
        QCOMPARE(ui.box("TxtUso")->toPlainText(), QStringLiteral("from 1.0"));
    }

    void licenceFileWrittenByOneReleaseIsReadByTheOther()
    {
        const Edition release11 = Edition::release11(&language_);
        const Edition release10 = Edition::release10();
        for (const auto& [writer, reader] : {std::pair{release11, release10}, {release10, release11}}) {
            const QString use = QStringLiteral("use, \"written\"\nby %1").arg(writer.versionText());
            {
                MainWindowDriver ui(writer);
                OptionsWindow* options = ui.openOptions();
                in<QPlainTextEdit>(options, "TxtLicUso")->setPlainText(use);
                in<QPlainTextEdit>(options, "TxtLicDist")->setPlainText(QStringLiteral("ñ"));
                in<QPushButton>(options, "CmdGuardar")->click();
            }
            MainWindowDriver ui(reader);
            QCOMPARE(ui.box("TxtUso")->toPlainText(), use);
            QCOMPARE(ui.box("TxtDistribucion")->toPlainText(), QStringLiteral("ñ"));
        }
    }

    void unreadableFileIsReportedByBothWindows()
    {
        QFile::setPermissions(folder_->path(),
                              QFile::permissions(folder_->path()) | QFile::ReadOther | QFile::ExeOther);
        writeBytes(licenceFile(), "\"use\",\"dist\"\r\n");
        QFile::setPermissions(licenceFile(), QFile::WriteOwner);
        RecordedMessages messages;
        std::optional<UnprivilegedFileAccess> asUser(std::in_place);
        MainWindowDriver ui(Edition::release11(&language_));
        QVERIFY(messages.isOneError(EACCES));
        QVERIFY(ui.window->isVisible());
        ui.type("TxtProducto", QStringLiteral("typed"));
        OptionsWindow* options = ui.openOptions();
        QCOMPARE(messages.all().size(), 2);
        QVERIFY(options && options->isVisible());
        QCOMPARE(text(options, "TxtLicUso"), QString());
        options->close();
        QCOMPARE(ui.line("TxtProducto")->text(), QStringLiteral("typed"));
        asUser.reset();
        QCOMPARE(readBytes(licenceFile()), QByteArray("\"use\",\"dist\"\r\n"));
    }
};

TRUMI_TEST_MAIN(TestOptionsWindow)
#include "test_options_window.moc"
