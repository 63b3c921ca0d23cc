#include "language_file.h"
#include "licence_file.h"
#include "main_window_driver.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <optional>

namespace {

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// Every control of the window that takes input and is there to be reached.
QList<QWidget*> inputsOf(QWidget* window)
{
    QList<QWidget*> inputs;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const bool input = widget->inherits("QLineEdit") || widget->inherits("QPlainTextEdit") ||
                           widget->inherits("QAbstractButton") || widget->inherits("QDateTimeEdit");
        if (input && widget->isVisibleTo(window) && !widget->objectName().startsWith(QLatin1String("qt_")))
            inputs << widget;
    }
    return inputs;
}

void pressAlt(QWidget* window, Qt::Key key) { QTest::keyClick(window, key, Qt::AltModifier); }

}  // namespace

class TestAccessKeys : public QObject {
    Q_OBJECT

private:
    std::optional<TemporaryProgramFolder> folder_;
    const LanguageFile language_{};

    // Release 1.1 with the shipped Spanish language file, and release 1.0.
    static void releases()
    {
        QTest::addColumn<bool>("singleLanguage");
        QTest::newRow("1.1") << false;
        QTest::newRow("1.0") << true;
    }

private slots:
    // Every test runs in a program folder of its own.
    void init() { folder_.emplace(); }
    void cleanup() { folder_.reset(); }

    void everyInputHasAnAccessibleName_data() { releases(); }
    void everyInputHasAnAccessibleName()
    {
        QFETCH(bool, singleLanguage);
        QFile::copy(QStringLiteral(TRUMI_PROGRAM_DIR "/TE.ini"), folder_->filePath(QStringLiteral("TE.ini")));
        MainWindowDriver ui(singleLanguage ? Edition::release10() : Edition::release11(&language_));
        QCOMPARE(accessibleName(ui.find("TxtProducto")), QStringLiteral("Nombre del producto:"));
        QCOMPARE(accessibleName(ui.find("CmdCrear")), QStringLiteral("Crear Trumi"));
        ui.type("TxtEmail", u"a\u2192b"_qs);  // shows the box's warning sign
        for (QWidget* input : inputsOf(ui.window))
            QVERIFY2(!accessibleName(input).isEmpty(), qPrintable(input->objectName()));
        ui.find<QPushButton>("CmdOpciones")->click();
        auto* options = loadedWindow<OptionsWindow>();
        for (QWidget* input : inputsOf(options))
            QVERIFY2(!accessibleName(input).isEmpty(), qPrintable(input->objectName()));
        options->close();
    }

    void withoutCaptionsTheTooltipNamesTheBox()
    {
        MainWindowDriver ui(Edition::release11(&language_));
        for (const char* name : {"TxtProducto", "TxtVersion", "TxtNomApe", "TxtEmail", "TxtWeb", "Calendario"})
            QCOMPARE(accessibleName(ui.find(name)), ui.find(name)->toolTip());
    }

    void accessKeysOfLabelsMoveTheFocusToTheirBoxes()
    {
        writeBytes(folder_->filePath(QStringLiteral("TE.ini")),
                   "[IDIOMA]\r\nCad6=&Nombre\r\nCad16=&Fecha\r\nCad21=&Uso\r\n");
        MainWindowDriver ui(Edition::release11(&language_));
        QVERIFY(activate(ui.window));
        pressAlt(ui.window, Qt::Key_U);
        QCOMPARE(QApplication::focusWidget(), ui.find("TxtUso"));
        pressAlt(ui.window, Qt::Key_N);
        QCOMPARE(QApplication::focusWidget(), ui.find("TxtProducto"));
        pressAlt(ui.window, Qt::Key_F);
        QVERIFY(ui.find("Calendario")->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == ui.find("Calendario"));
    }

    void accessKeysOfButtonsRunTheirCommands_data() { releases(); }
    void accessKeysOfButtonsRunTheirCommands()
    {
        QFETCH(bool, singleLanguage);
        QFile::copy(QStringLiteral(TRUMI_PROGRAM_DIR "/TE.ini"), folder_->filePath(QStringLiteral("TE.ini")));
        MainWindowDriver ui(singleLanguage ? Edition::release10() : Edition::release11(&language_));
        ui.type("TxtProducto", QStringLiteral("p"));
        ui.type("TxtVersion", QStringLiteral("v"));
        QTRY_VERIFY(ui.find("CmdCrear")->isEnabled());
        PresetFileDialogs* dialog = ui.answerSaveWith({});
        QVERIFY(activate(ui.window));
        pressAlt(ui.window, Qt::Key_C);  // a pressed-down button clicks a moment later
        QTRY_COMPARE(dialog->shows(), 1);

        pressAlt(ui.window, Qt::Key_O);
        QTRY_VERIFY(loadedWindow<OptionsWindow>());
        auto* options = loadedWindow<OptionsWindow>();
        QVERIFY(activate(options));
        pressAlt(options, Qt::Key_G);  // Guardar
        QTRY_VERIFY(!loadedWindow<OptionsWindow>());
        QVERIFY(LicenceFile::inProgramFolder().exists());

        QVERIFY(activate(ui.window));
        pressAlt(ui.window, Qt::Key_A);
        QTRY_VERIFY(loadedWindow<AboutWindow>());
        auto* about = loadedWindow<AboutWindow>();
        QVERIFY(activate(about));
        pressAlt(about, Qt::Key_A);
        QTRY_VERIFY(!loadedWindow<AboutWindow>());

        QVERIFY(activate(ui.window));
        pressAlt(ui.window, Qt::Key_S);
        QTRY_VERIFY(ui.window.isNull());
    }

    // Return (either key) and Space press the focused push button, in the
    // main window and in the credits.
    void keysPressTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void keysPressTheFocusedButton()
    {
        QFETCH(int, key);
        MainWindowDriver ui(Edition::release10());
        ui.type("TxtProducto", QStringLiteral("p"));
        ui.type("TxtVersion", QStringLiteral("v"));
        QTRY_VERIFY(ui.find("CmdCrear")->isEnabled());
        PresetFileDialogs* dialog = ui.answerSaveWith({});
        QVERIFY(activate(ui.window));
        ui.find("CmdCrear")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTRY_COMPARE(dialog->shows(), 1);
        AboutWindow* about = ui.openAbout();
        QVERIFY(activate(about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTRY_VERIFY(!loadedWindow<AboutWindow>());
    }

    // A date typed with its separators, in the order of the program's
    // language, is taken whole and the focus stays in the picker; so it does
    // with ctrl+arrows, which move between the date's parts.
    void typingADateKeepsTheFocusInThePicker_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("Spanish, day first") << false << u"5/6/2004"_qs << QDate(2004, 6, 5);
        QTest::newRow("English, month first") << true << u"5/6/2004"_qs << QDate(2004, 5, 6);
    }
    void typingADateKeepsTheFocusInThePicker()
    {
        QFETCH(bool, english);
        QFETCH(QString, keys);
        QFETCH(QDate, expected);
        writeBytes(folder_->filePath(QStringLiteral("TE.ini")), english ? "[IDIOMA]\r\nIdioma=en\r\n" : "");
        MainWindowDriver ui(english ? Edition::release11(&language_) : Edition::release10());
        auto* picker = ui.find<QDateTimeEdit>("Calendario");
        QVERIFY(activate(ui.window));
        picker->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(QApplication::focusWidget(), keys);
        QCOMPARE(picker->date(), expected);
        QVERIFY(picker->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == picker);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::ControlModifier);
        QVERIFY(picker->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == picker);
        QCOMPARE(ui.find<QPlainTextEdit>("TxtUso")->toPlainText(), QString());
    }

    // F4 and alt+Down open the calendar, as in any combo box, and change no
    // date.
    void keysOpenTheCalendar_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
        QTest::newRow("alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
    }
    void keysOpenTheCalendar()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        MainWindowDriver ui(Edition::release10());
        auto* picker = ui.find<QDateTimeEdit>("Calendario");
        const QDateTime before = picker->dateTime();
        QVERIFY(activate(ui.window));
        picker->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        auto* calendar = picker->findChild<QCalendarWidget*>();
        QTRY_VERIFY(calendar && calendar->isVisible());
        QCOMPARE(picker->dateTime(), before);
        QTest::keyClick(calendar, Qt::Key_Escape);
        QTRY_VERIFY(!calendar->isVisible());
    }

    void disabledCreateIgnoresItsAccessKey()
    {
        MainWindowDriver ui(Edition::release10());
        PresetFileDialogs* dialog = ui.answerSaveWith({});
        QTRY_VERIFY(!ui.find("CmdCrear")->isEnabled());
        QVERIFY(activate(ui.window));
        pressAlt(ui.window, Qt::Key_C);
        QTest::mouseClick(ui.find("CmdCrear"), Qt::LeftButton);
        QTest::qWait(300);  // longer than a pressed-down button waits before its click
        QCOMPARE(dialog->shows(), 0);
    }
};

TRUMI_TEST_MAIN(TestAccessKeys)
#include "test_access_keys.moc"
