// Opening a read-me document into the main window: every field takes the
// document's value, Create then writes the same bytes, and a file that is
// no document leaves the form as it was.
#include "document_record.h"
#include "language_file.h"
#include "licence_file.h"
#include "main_window_driver.h"
#include "markdown_document.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <cerrno>
#include <unistd.h>

namespace {

DocumentRecord sample()
{
    return {.product = u"DEMO \u00D1"_qs,
            .version = u"1.0"_qs,
            .status = u"FINAL"_qs,
            .author = u"author"_qs,
            .email = u"a@b.c"_qs,
            .web = u"http://x"_qs,
            .date = u"05/06/2004 14:23:11"_qs,
            .description = u"First line\nSecond line"_qs,
            .useLicence = u"Free to use."_qs,
            .distributionLicence = u"Copy unchanged."_qs};
}

QByteArray bytesOf(const DocumentRecord& record) { return documentBytes(composeDocument(record)); }

// The document in Markdown, as the window (with the driver's date form) writes it.
QByteArray markdownOf(const DocumentRecord& record)
{
    return markdownBytes(record, {MarkdownHeadings::fromTexts({}), {"%d/%m/%Y", "%H:%M:%S"}});
}

// Drops the file on the widget the way a file manager does when it offers
// copy, move and link and proposes a move; what the drop was taken as.
Qt::DropAction dropUrl(QWidget* target, const QUrl& url)
{
    QMimeData data;
    data.setUrls({url});
    data.setText(url.toString());
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(QPoint(5, 5), offered, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), offered, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted() && enter.dropAction() == Qt::CopyAction ? drop.dropAction() : Qt::IgnoreAction;
}

Qt::DropAction dropFile(QWidget* target, const QString& path) { return dropUrl(target, QUrl::fromLocalFile(path)); }

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
        QTest::addColumn<bool>("markdown");
        DocumentRecord r = sample();
        QTest::newRow("1.1, final") << r << false << false;
        QTest::newRow("1.0, final") << r << true << false;
        r.status = u"BETA"_qs, r.date = u"05/06/2004"_qs;
        QTest::newRow("beta, at midnight") << r << false << false;
        QTest::newRow("Markdown (its date is a day)") << r << false << true;
        r.status.clear(), r.description = u"DESCRIPCI\u00D3N\n"_qs + QString(44, u'-') + u"\n"_qs;
        QTest::newRow("no status, a description like a heading") << r << false << false;
        QTest::newRow("all empty") << [] {
            DocumentRecord record;
            record.date = u"01/01/1601"_qs;
            return record;
        }() << false << false;
        r.product = u"Demo *1* \u4E2D"_qs, r.web = u"example.org"_qs;
        QTest::newRow("Markdown, every character kept") << r << false << true;
    }
    void openedDocumentIsCreatedAgainByteForByte()
    {
        QFETCH(DocumentRecord, record);
        QFETCH(bool, singleLanguage);
        QFETCH(bool, markdown);
        TemporaryProgramFolder folder;
        QVERIFY(!LicenceFile::inProgramFolder().write({u"default use"_qs, u"default distribution"_qs}));
        const char* opened = markdown ? "opened.md" : "opened.txt";
        const char* created = markdown ? "created.md" : "created.txt";
        const QByteArray bytes = markdown ? markdownOf(record) : bytesOf(record);
        writeBytes(path(opened), bytes);
        QFile::remove(path(created));
        MainWindowDriver ui(singleLanguage ? Edition::release10() : Edition::release11(nullptr));
        ui.type("TxtProducto", u"typed"_qs);
        ui.window->openDocument(path(opened));
        QCOMPARE(ui.window->record(), record);  // the document's licences win over the defaults
        ui.answerSaveWith({path(created)});
        ui.find<QPushButton>("CmdCrear")->setEnabled(true);  // whatever the polling makes of empty boxes
        ui.find<QPushButton>("CmdCrear")->click();
        QCOMPARE(readBytes(path(created)), bytes);
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
            auto* area = qobject_cast<QAbstractScrollArea*>(widget);
            QCOMPARE(dropFile(area ? area->viewport() : widget, path("doc.txt")), Qt::CopyAction);
            QCOMPARE(ui.window->record(), sample());
        }
        ui.type("TxtProducto", {});
        QCOMPARE(dropFile(ui.window, path("doc.txt")), Qt::CopyAction);  // never a move
        QCOMPARE(ui.window->record(), sample());
#if !defined(Q_OS_WIN)  // Windows' names are always text
        // A dropped name that is not UTF-8 opens that very file, not the one
        // whose name has U+FFFD in its place.
        DocumentRecord other = sample();
        other.product = u"OTHER"_qs;
        const FilePath bad = FilePath(dir_.path()).childNative("drop\xff.txt");
        writeBytesNative(bad, bytesOf(sample()));
        writeBytesNative(FilePath(dir_.path()).childNative("drop\xef\xbf\xbd.txt"), bytesOf(other));
        ui.type("TxtProducto", {});
        const QUrl url = QUrl::fromEncoded("file://" + bad.native().toPercentEncoding("/"));
        QCOMPARE(dropUrl(ui.window, url), Qt::CopyAction);
        QCOMPARE(ui.window->record(), sample());
        ::unlink(bad.c_str());
#endif
    }

    // Create proposes the opened file by its full name, and only where
    // replacing it loses nothing; else it starts in the file's folder.
    void createProposesTheOpenedFileOnlyWhereNothingIsLost_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("relative");
        QTest::addColumn<bool>("proposed");
        const QByteArray one = bytesOf(sample());
        QTest::newRow("one document") << QByteArray("one.txt") << one << false << true;
        QTest::newRow("opened by a relative name") << QByteArray("rel.txt") << one << true << true;
        QTest::newRow("a name outside ASCII") << QByteArray("l\xC3\xA9"
                                                            "ame \xC3\xB1 \xE4\xB8\xAD.txt")
                                              << one << false << true;
#if !defined(Q_OS_WIN)  // Windows' names are always text
        QTest::newRow("a name that is not UTF-8") << QByteArray("bad\xff\xfename.txt") << one << false << false;
#endif
        QTest::newRow("several documents") << QByteArray("many.txt") << one + one << false << false;
        QTest::newRow("notes before the document")
            << QByteArray("notes.txt") << "notes\r\n\r\n" + one << false << false;
    }
    void createProposesTheOpenedFileOnlyWhereNothingIsLost()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, relative);
        QFETCH(bool, proposed);
        const FilePath file = FilePath(dir_.path()).childNative(name);
        writeBytesNative(file, content);
        MainWindowDriver ui(Edition::release11(nullptr));
        PresetFileDialogs* dialogs = ui.answerSaveWith({});
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        ui.window->openDocument(relative ? FilePath::fromNative(name) : file);
        QDir::setCurrent(before);
        QCOMPARE(ui.window->record(), sample());
        QCOMPARE(dialogs->proposedFolder(), dir_.path());
        QCOMPARE(dialogs->proposed(), proposed ? file.display() : QString());
        ::unlink(file.c_str());  // QTemporaryDir cannot name it
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
        QTest::newRow("a folder") << "folder" << folderErrorNumber();
        QTest::newRow("missing") << "none" << ENOENT;
        QTest::newRow("three hundred megabytes") << "huge" << tooLargeErrorNumber();
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

    // A date in the system's form, or in its twin with four-digit years,
    // is read; any other is reported as what it is, and the picker keeps its
    // own date, which the message names.
    void dateIsReadInEitherFormOrReportedPlainly_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("read");
        QTest::newRow("the system's form") << u"05/06/04 14:23:11"_qs << true;
        QTest::newRow("four-digit year") << u"05/06/2004 14:23:11"_qs << true;
        QTest::newRow("four-digit year at midnight") << u"05/06/2004"_qs << true;
        QTest::newRow("words") << u"el d\u00EDa de Reyes"_qs << false;
        QTest::newRow("month thirteen") << u"05/13/2004"_qs << false;
    }
    void dateIsReadInEitherFormOrReportedPlainly()
    {
        QFETCH(QString, date);
        QFETCH(bool, read);
        DocumentRecord r = sample();
        r.date = date;
        writeBytes(path("date.txt"), bytesOf(r));
        MainWindowDriver ui(Edition::release11(nullptr));
        ui.window->setDateFormat({"%d/%m/%y", "%H:%M:%S"});
        const QDateTime before = ui.find<QDateTimeEdit>("Calendario")->dateTime();
        RecordedMessages messages;
        ui.window->openDocument(path("date.txt"));
        QCOMPARE(ui.line("TxtProducto")->text(), r.product);
        if (read) {
            QVERIFY(messages.all().isEmpty());
            QCOMPARE(ui.find<QDateTimeEdit>("Calendario")->date(), QDate(2004, 6, 5));
            return;
        }
        QCOMPARE(ui.find<QDateTimeEdit>("Calendario")->dateTime(), before);
        QCOMPARE(messages.all().size(), 1);
        const QString message = messages.all().first();
        // The date kept, as the picker shows it.
        const QString shown = ui.find<QDateTimeEdit>("Calendario")->text();
        QVERIFY2(message.contains(date) && message.contains(shown), qPrintable(message));
        QVERIFY2(!message.contains(u"Error"_qs), qPrintable(message));  // the file itself was read
    }
};

TRUMI_TEST_MAIN(TestOpen)
#include "test_open.moc"
