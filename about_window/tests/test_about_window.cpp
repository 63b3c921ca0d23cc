#include "language_file.h"
#include "main_window_driver.h"

#include <QApplication>
#include <QLabel>
#include <optional>

namespace {

QString caption(AboutWindow* window, const char* name) { return captionOf(elementOf(window, name)); }

int aboutWindows()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<AboutWindow*>(widget) != nullptr;
    return count;
}

}  // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT

private:
    std::optional<TemporaryProgramFolder> folder_;
    const LanguageFile language_{};

private slots:
    // Every test runs in a program folder of its own.
    void init() { folder_.emplace(); }
    void cleanup() { folder_.reset(); }

    void showsTheCreditsWithCaptionsFromTheLanguageFile()
    {
        writeBytes(folder_->filePath(QStringLiteral("TE.ini")),
                   "[IDIOMA]\r\nCad28=&Aceptar\r\nCad30=Acerca de...\r\nCad31=Autor :\r\nCad32=Fecha :\r\n");
        MainWindowDriver ui(Edition::release11(&language_));
        AboutWindow* about = ui.openAbout();
        QVERIFY(about->isVisible());
        QVERIFY(ui.window->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("Acerca de..."));
        QCOMPARE(caption(about, "CmdAceptar"), QStringLiteral("&Aceptar"));
        QCOMPARE(caption(about, "lblautor"), QStringLiteral("Autor :"));
        QCOMPARE(caption(about, "lblfecha"), QStringLiteral("Fecha :"));
        QCOMPARE(caption(about, "Label1"), QStringLiteral("Editor de archivos trumi."));
        QCOMPARE(caption(about, "Label5"), QStringLiteral("E-Mail :"));
        QCOMPARE(caption(about, "Label4"), QStringLiteral("02/06/2004"));
        QCOMPARE(about->size(), QSize(404, 264));
        QVERIFY(!(about->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        about->close();
    }

    void missingLanguageFileLeavesOnlyTheFixedTexts()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        AboutWindow* about = ui.openAbout();
        QCOMPARE(captionOf(about), QString());
        for (const char* name : {"CmdAceptar", "lblautor", "lblfecha"})
            QCOMPARE(caption(about, name), QString());
        QVERIFY(!caption(about, "Label2").isEmpty());
        QVERIFY(!caption(about, "Label3").isEmpty());
        qobject_cast<QPushButton*>(about->findChild<QWidget*>(QStringLiteral("CmdAceptar")))->click();
        QTRY_VERIFY(!loadedWindow<AboutWindow>());  // an empty button still works
    }

    void secondAboutShowsTheSameWindowAndReopeningReadsAgain()
    {
        const QString file = folder_->filePath(QStringLiteral("TE.ini"));
        writeBytes(file, "[IDIOMA]\r\nCad30=First\r\n");
        MainWindowDriver ui(Edition::release11(&language_));
        AboutWindow* about = ui.openAbout();
        writeBytes(file, "[IDIOMA]\r\nCad30=Second\r\n");
        QCOMPARE(ui.openAbout(), about);
        QCOMPARE(aboutWindows(), 1);
        QCOMPARE(about->windowTitle(), QStringLiteral("First"));
        about->close();
        QTRY_COMPARE(aboutWindows(), 0);
        about = ui.openAbout();
        QCOMPARE(about->windowTitle(), QStringLiteral("Second"));
        about->close();
    }

    void closingTheMainWindowLeavesTheAboutWindowOpen()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        AboutWindow* about = ui.openAbout();
        ui.find<QPushButton>("CmdCerrar")->click();
        QTRY_VERIFY(ui.window.isNull());
        QVERIFY(about->isVisible() && loadedWindow<AboutWindow>() == about);
        about->close();
    }

    void release10HasItsFixedCredits()
    {
        MainWindowDriver ui(Edition::release10());
        AboutWindow* about = ui.openAbout();
        QCOMPARE(about->windowTitle(), QStringLiteral("Acerca de..."));
        QCOMPARE(caption(about, "CmdAceptar"), QStringLiteral("&Aceptar"));
        QVERIFY(caption(about, "Label2").startsWith(QLatin1String("Autor : ")));
        QVERIFY(caption(about, "Label3").startsWith(QLatin1String("E-Mail : ")));
        QCOMPARE(caption(about, "Label4"), QStringLiteral("Fecha : 02/06/2004"));
        for (const char* absent : {"lblautor", "lblfecha", "Label5"})
            QVERIFY(!about->findChild<QWidget*>(QString::fromLatin1(absent)));
        about->close();
    }
};

TRUMI_TEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
