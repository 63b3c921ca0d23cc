// Unusual language files, met through the real main window: none is an
// error, none stops the program, and the captions follow the file's rules.
#include "main_window/tests/main_window_driver.h"
#include "settings/language_file.h"

#include "common/program_folder.h"

#include <QGroupBox>
#include <QLabel>
#include <QRandomGenerator>

namespace {

QString captionOf(const MainWindowDriver& ui, const char* button) { return ui.find<QAbstractButton>(button)->text(); }

}  // namespace

class TestLanguageFaults : public QObject {
    Q_OBJECT

private:
    const LanguageFile language_;
    QString languageFile() const { return programFilePath(QStringLiteral("TE.ini")); }

private slots:
    void binaryFileGivesBlankCaptions()
    {
        TemporaryProgramFolder folder;
        QRandomGenerator generator(1);
        QByteArray bytes(65536, Qt::Uninitialized);
        for (char& byte : bytes)
            byte = static_cast<char>(generator.bounded(256));
        bytes.replace('=', 'x');  // so that no line can hold a key
        writeBytes(languageFile(), bytes);
        RecordedMessages messages;
        MainWindowDriver ui(Release::V1_1, &language_);
        QVERIFY(messages.all().isEmpty());
        QCOMPARE(captionOf(ui, "CmdOpciones"), QString());
        QCOMPARE(readBytes(languageFile()), bytes);
    }

    void hundredThousandLinesAreSearchedToTheEnd()
    {
        TemporaryProgramFolder folder;
        QByteArray bytes = "[IDIOMA]\r\n";
        for (int i = 0; i < 100000; ++i)
            bytes += "Other" + QByteArray::number(i) + "=some text\r\n";
        bytes += "Cad1=&Opciones\r\n";
        writeBytes(languageFile(), bytes);
        MainWindowDriver ui(Release::V1_1, &language_);
        QCOMPARE(captionOf(ui, "CmdOpciones"), QStringLiteral("&Opciones"));
    }

    void megabyteLinesAreCut()
    {
        TemporaryProgramFolder folder;
        const QByteArray huge(1 << 20, 'w');
        writeBytes(languageFile(), "[IDIOMA]\r\nCad5=" + huge + "\r\nnoise" + huge + "\r\nCad3=&Salir\r\n");
        MainWindowDriver ui(Release::V1_1, &language_);
        QCOMPARE(ui.find<QLabel>("Label1")->text(), QString(254, QLatin1Char('w')));
        QCOMPARE(captionOf(ui, "CmdCerrar"), QStringLiteral("&Salir"));
    }

    void firstSectionAndFirstKeyWin()
    {
        TemporaryProgramFolder folder;
        writeBytes(languageFile(), "[IDIOMA]\r\nCad1=first\r\nCad1=second\r\n[idioma]\r\nCad1=third\r\nCad2=late\r\n");
        MainWindowDriver ui(Release::V1_1, &language_);
        QCOMPARE(captionOf(ui, "CmdOpciones"), QStringLiteral("first"));
        QCOMPARE(captionOf(ui, "CmdAcercade"), QString());
    }

    void utf8WithByteOrderMarkIsRead()
    {
        TemporaryProgramFolder folder;
        writeBytes(languageFile(), "\xEF\xBB\xBF[IDIOMA]\r\nCad4=T\xC3\xADtulo y versi\xC3\xB3n\r\n");
        MainWindowDriver ui(Release::V1_1, &language_);
        QCOMPARE(ui.find<QGroupBox>("Frame1")->title(), QStringLiteral("Título y versión"));
    }
};

TRUMI_TEST_MAIN(TestLanguageFaults)
#include "test_language_faults.moc"
