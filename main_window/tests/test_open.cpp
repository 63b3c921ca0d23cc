// Opening a read-me document into the main window: every field takes the
// document's value, Create then writes the same bytes, and a file that is
// no document leaves the form as it was.
#include "document_record.h"
#include "language_file.h"
#include "licence_file.h"
#include "main_window_driver.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <cerrno>

namespace {

DocumentRecord sample()
{
    return {u"DEMO \u00D1"_qs,   u"1.0"_qs, u"FINAL"_qs, u"author"_qs, u"a@b.c"_qs, u"http://x"_qs,
            u"05/06/2004 14:23:11"_qs, u"First line\nSecond line"_qs, u"Free to use."_qs, u"Copy unchanged."_qs};
}

QByteArray bytesOf(const DocumentRecord& record) { return documentBytes(composeDocument(record)); }

// Drops the file on the widget the way a file manager does.
void dropFile(QWidget* target, const QString& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    data.setText(QUrl::fromLocalFile(path).toString());
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

}  // namespace

Q_DECLARE_METATYPE(DocumentRecord)

class TestOpen : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void openedDocumentIsCreatedAgainByteForByte_data()
    {
        QTest::addColumn<DocumentRecord>("record");
        QTest::addColumn<bool>("singleLanguage");
        DocumentRecord r = sample();
        QTest::newRow("1.1, final") << r << false;
        QTest::newRow("1.0, final") << r << true;
        r.status = u"BETA"_qs, r.date = u"05/06/2004"_qs;
        QTest::newRow("beta, at midnight") << r << false;
        r.status.clear(), r.description = u"DESCRIPCI\u00D3N\n"_qs + QString(44, u'-') + u"\n"_qs;
        QTest::newRow("no status, a description like a heading") << r << false;
        QTest::newRow("all empty") << DocumentRecord{{}, {}, {}, {}, {}, {}, u"01/01/1601"_qs, {}, {}, {}} << false;
    }
    void openedDocumentIsCreatedAgainByteForByte()
    {
        QFETCH(DocumentRecord, record);
        QFETCH(bool, singleLanguage);
        TemporaryProgramFolder folder;
        QVERIFY(!LicenceFile::inProgramFolder().write({u"default use"_qs, u"default distribution"_qs}));
        writeBytes(path("opened.txt"), bytesOf(record));
        QFile::remove(path("created.txt"));
        MainWindowDriver ui(singleLanguage ? Edition::release10() : Edition::release11(nullptr));
        ui.type("TxtProducto", u"typed"_qs);
        ui.window->openDocument(path("opened.txt"));
        QCOMPARE(ui.window->record(), record);  // the document's licences win over the defaults
        ui.answerSaveWith({path("created.txt")});
        ui.find<QPushButton>("CmdCrear")->setEnabled(true);  // whatever the polling makes of empty boxes
        ui.find<QPushButton>("CmdCrear")->click();
        QCOMPARE(readBytes(path("created.txt")), bytesOf(record));
    }

    void statusSetsTheBoxAndTheOption()
    {
        MainWindowDriver ui(Edition::release11(nullptr));
        for (const auto& [status, box, final] : {std::tuple{u"BETA"_qs, Qt::Checked, false},
                                                 {u"FINAL"_qs, Qt::Checked, true},
                                                 {QString(), Qt::Unchecked, true}}) {
            DocumentRecord r = sample();
            r.status = status;
            writeBytes(path("status.txt"), bytesOf(r));
            ui.window->openDocument(path("status.txt"));
            QCOMPARE(ui.find<QCheckBox>("Chk1")->checkState(), box);
            QCOMPARE(ui.find<QRadioButton>("OpVer1")->isChecked(), final);
        }
    }

    void ctrlOAndDroppingOpenLikeTheCommandLine()
    {
        writeBytes(path("doc.txt"), bytesOf(sample()));
        MainWindowDriver ui(Edition::release11(nullptr));
        PresetFileDialogs* dialogs = ui.answerSaveWith({}, {path("doc.txt")});
        QVERIFY(activate(ui.window));
        QTest::keyClick(ui.window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(ui.window->record(), sample());
        QCOMPARE(dialogs->openTitle(), u"Abrir fichero"_qs);
        QCOMPARE(dialogs->proposed(), path("doc.txt"));  // the next Create's file
        for (const char* target : {"TxtDesc", "TxtProducto"}) {
            ui.type("TxtProducto", {});
            ui.typeBox("TxtDesc", {});
            QWidget* widget = ui.find(target);
            dropFile(qobject_cast<QAbstractScrollArea*>(widget) ? qobject_cast<QAbstractScrollArea*>(widget)->viewport()
                                                                 : widget,
                     path("doc.txt"));
            QCOMPARE(ui.window->record(), sample());
        }
        ui.type("TxtProducto", {});
        dropFile(ui.window, path("doc.txt"));
        QCOMPARE(ui.window->record(), sample());
    }

    void openDialogTitleComesFromTheLanguageFile()
    {
        TemporaryProgramFolder folder;
        writeBytes(folder.filePath(u"TE.ini"_qs), "[IDIOMA]\r\nCad33=Open file\r\n");
        const LanguageFile language;
        MainWindowDriver ui(Edition::release11(&language));
        PresetFileDialogs* dialogs = ui.answerSaveWith({});
        QVERIFY(activate(ui.window));
        QTest::keyClick(ui.window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs->openTitle(), u"Open file"_qs);
        MainWindowDriver single(Edition::release10());
        writeBytes(path("doc.txt"), bytesOf(sample()));
        dialogs = single.answerSaveWith({}, {path("doc.txt")});
        QVERIFY(activate(single.window));
        QTest::keyClick(single.window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs->openTitle(), u"Abrir fichero"_qs);
        QCOMPARE(dialogs->proposed(), QString());  // 1.0 would append to it
    }

    void fileThatIsNoDocumentLeavesTheFormAsItWas_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        const QByteArray document = bytesOf(sample());
        writeBytes(path("binary"), randomBytes(50000, 3));
        writeBytes(path("text"), "Just some text.\r\n");
        writeBytes(path("cut"), document.left(document.size() / 2));
        writeBytes(path("utf16"), QByteArray(reinterpret_cast<const char*>(QString::fromLatin1(document).utf16()),
                                             document.size() * 2));
        QDir(dir_.path()).mkpath(u"folder"_qs);
        QFile huge(path("huge"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(300) << 20));
        QTest::newRow("binary") << "binary" << 62;
        QTest::newRow("another text") << "text" << 62;
        QTest::newRow("cut short") << "cut" << 62;
        QTest::newRow("UTF-16 without its mark") << "utf16" << 62;
        QTest::newRow("a folder") << "folder" << EISDIR;
        QTest::newRow("missing") << "none" << ENOENT;
        QTest::newRow("three hundred megabytes") << "huge" << EFBIG;
    }
    void fileThatIsNoDocumentLeavesTheFormAsItWas()
    {
        QFETCH(QString, name);
        QFETCH(int, number);
        MainWindowDriver ui(Edition::release11(nullptr));
        ui.type("TxtProducto", u"kept"_qs);
        ui.typeBox("TxtDesc", u"kept too"_qs);
        const QStringList before = ui.snapshot();
        RecordedMessages messages;
        ui.window->openDocument(dir_.filePath(name));
        QVERIFY(messages.isOneError(number));
        QCOMPARE(ui.snapshot(), before);
        QVERIFY(ui.window->isVisible());
    }

    void unreadableDateKeepsThePickerAndSaysSoOnce()
    {
        DocumentRecord r = sample();
        r.date = u"el d\u00EDa de Reyes"_qs;
        writeBytes(path("date.txt"), bytesOf(r));
        MainWindowDriver ui(Edition::release11(nullptr));
        const QDateTime before = ui.find<QDateTimeEdit>("Calendario")->dateTime();
        RecordedMessages messages;
        ui.window->openDocument(path("date.txt"));
        QVERIFY(messages.isOneError(13));
        QCOMPARE(ui.find<QDateTimeEdit>("Calendario")->dateTime(), before);
        QCOMPARE(ui.line("TxtProducto")->text(), r.product);
    }
};

TRUMI_TEST_MAIN(TestOpen)
#include "test_open.moc"
