#include "caption_keys.h"
#include "ini_file.h"
#include "language_file.h"
#include "test_files.h"

#include <QDir>
#include <QTest>

namespace {

// Every key of the captions section that the program asks for.
QStringList keysAsked()
{
    QStringList keys{u"Idioma"_qs};
    for (const char* window : {"FrmTrumi", "FrmOpciones", "Frmacercade"}) {
        for (const CaptionKey& row : captionKeysOf(QString::fromLatin1(window)))
            keys.append(QString::fromLatin1(row.key));
    }
    for (const TextEntry& entry : textEntries())
        keys.append(QString::fromLatin1(entry.key));
    keys.removeDuplicates();
    return keys;
}

}  // namespace

class TestLanguageFile : public QObject {
    Q_OBJECT
private slots:
    void everyLanguageFolderShips()
    {
        QStringList folders = QDir(u"" TRUMI_LANGUAGES_DIR ""_qs).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QStringList shipped = QString::fromLatin1(TRUMI_SHIPPED_LANGUAGES).split(u',');
        folders.sort();
        shipped.sort();
        QCOMPARE(shipped, folders);
    }

    void shippedFileHoldsEveryKey_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString& language : QString::fromLatin1(TRUMI_SHIPPED_LANGUAGES).split(u','))
            QTest::newRow(qPrintable(language)) << language;
    }
    // Each text filled with a value keeps the place for it.
    void shippedFileHoldsEveryKey()
    {
        QFETCH(QString, language);
        const IniFile file = IniFile::read(FilePath(u"" TRUMI_LANGUAGES_DIR "/"_qs + language + u"/TE.ini"_qs));
        const QString section = QString::fromLatin1(kLanguageSection);
        for (const QString& key : keysAsked())
            QVERIFY2(!file.value(section, key).isEmpty(), qPrintable(key));
        QCOMPARE(file.value(section, u"Idioma"_qs), language);
        for (const TextEntry& entry : textEntries()) {
            const bool filled = QString::fromUtf8(entry.spanish).contains(u"%1"_qs);
            QCOMPARE(file.value(section, QString::fromLatin1(entry.key)).contains(u"%1"_qs), filled);
        }
    }

    // An older language file keeps its captions as they are (a missing one
    // is blank) and takes the built-in Spanish text for each later key it
    // lacks or leaves empty.
    void olderFileFallsBackToTheBuiltInTexts()
    {
        const TemporaryProgramFolder folder;
        writeBytes(folder.filePath(u"TE.ini"_qs), "[IDIOMA]\r\nCad1=&Options\r\nCad34=Name only.\r\nCad40=\r\n");
        const LanguageFile file;
        const ProgramTexts texts = file.texts();
        const ProgramTexts builtIn;
        QCOMPARE(texts.text(TextId::ProductTip), u"Name only."_qs);
        QCOMPARE(texts.text(TextId::SaveDialogTitle), builtIn.text(TextId::SaveDialogTitle));
        QCOMPARE(texts.text(TextId::FailureSentence), builtIn.text(TextId::FailureSentence));
        QVERIFY(!builtIn.text(TextId::SaveDialogTitle).isEmpty());
        const QList<Caption> captions = file.captionsOf(u"FrmTrumi"_qs).captions;
        QCOMPARE(captions.at(0), (Caption{u"CmdOpciones"_qs, u"&Options"_qs}));
        QCOMPARE(captions.at(1), (Caption{u"CmdAcercade"_qs, QString()}));
    }
};

QTEST_APPLESS_MAIN(TestLanguageFile)
#include "test_language_file.moc"
