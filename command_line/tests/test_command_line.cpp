// The command line: each bad input is refused with its exit status and one
// message, writing nothing; each field comes from its option, else the
// --from document, else what the window starts with.
#include "command_line.h"
#include "date_text.h"
#include "document_fields.h"
#include "document_reader.h"
#include "document_writer.h"
#include "language_file.h"
#include "licence_file.h"
#include "test_files.h"

#include <QDir>
#include <QTest>
#include <sys/stat.h>
#include <thread>

namespace {

struct Run {
    int exit = -1;
    QByteArray output;
    QStringList messages;
};

DocumentRecord earlier()
{
    return {.product = u"OLD"_qs,
            .version = u"1.0"_qs,
            .status = u"BETA"_qs,
            .author = u"author"_qs,
            .email = u"a@b.c"_qs,
            .web = u"http://x"_qs,
            .date = u"05/06/04 14:23:11"_qs,
            .description = u"What it does.\nIn two lines."_qs,
            .useLicence = u"Free to use."_qs,
            .distributionLicence = u"Copy unchanged."_qs};
}

DocumentRecord datedAs(const QString& date)
{
    DocumentRecord record = earlier();
    record.date = date;
    return record;
}

QByteArray bytesOf(const DocumentRecord& record) { return documentBytes(composeDocument(record)); }

}  // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private:
    std::optional<TemporaryProgramFolder> program_;
    std::optional<QTemporaryDir> dir_;

    QString path(const QString& name) const { return dir_->filePath(name); }

    // Runs the command line with "%/" in the arguments standing for the
    // test's folder.
    Run run(QStringList arguments, const QByteArray& input = {}, const Edition& edition = Edition::release11(nullptr))
    {
        arguments.replaceInStrings(u"%/"_qs, dir_->path() + u'/');
        Run result;
        const CommandLineStreams streams{[&input](QByteArray& bytes) {
            bytes = input;
            return std::optional<FileError>();
                                         },
                                         [&result](QByteArrayView bytes) {
            result.output += bytes.toByteArray();
            return std::optional<FileError>();
        },
            [&result](const QString& text) {
            result.output += text.toUtf8();
            return std::optional<FileError>();
            }, [&result](const QString& line) { result.messages.append(line); }};
        result.exit = runCommandLine(arguments, edition, streams);
        return result;
    }

    std::optional<DocumentRecord> written() const
    {
        const DocumentRead read = readDocument(FilePath(path(u"out.txt"_qs)));
        return read.found ? std::optional(read.found->record) : std::nullopt;
    }

private slots:
    void init()
    {
        program_.emplace();
        dir_.emplace();
        QVERIFY(!LicenceFile::inProgramFolder().write({u"default use"_qs, u"default distribution"_qs}));
        writeBytes(path(u"earlier.txt"_qs), bytesOf(earlier()));
        writeBytes(path(u"binary"_qs), randomBytes(5000, 11));
        writeBytes(path(u"cut.txt"_qs), bytesOf(earlier()).chopped(100));
        writeBytes(path(u"desc.txt"_qs), "First\r\nSecond\r\n");
        QDir(dir_->path()).mkpath(u"folder"_qs);
        QFile big(path(u"big.txt"_qs));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(65) << 20));
        QCOMPARE(::mkfifo(QFile::encodeName(path(u"fifo"_qs)).constData(), 0600), 0);
    }
    void cleanup()
    {
        dir_.reset();
        program_.reset();
    }

    static void addValueRows(const QString& out)
    {
        QTest::newRow("status maybe") << QStringList{u"--output"_qs, out, u"--status"_qs, u"maybe"_qs} << 2
                                      << u"maybe"_qs;
        QTest::newRow("date 31/02/2026") << QStringList{u"--output"_qs, out, u"--date"_qs, u"31/02/2026"_qs} << 2
                                         << u"31/02/2026"_qs;
        QTest::newRow("date 2026-02-31") << QStringList{u"--output"_qs, out, u"--date"_qs, u"2026-02-31"_qs} << 2
                                         << u"2026-02-31"_qs;
    }
    static void addFileRows(const QString& out)
    {
        QTest::newRow("@ a missing file")
            << QStringList{u"--output"_qs, out, u"--product"_qs, u"@%/none"_qs} << 1 << u"Error 2:"_qs;
        QTest::newRow("@ a folder") << QStringList{u"--output"_qs, out, u"--description"_qs, u"@%/folder"_qs} << 1
                                    << u"Error 21:"_qs;
        QTest::newRow("@ a device") << QStringList{u"--output"_qs, out, u"--description"_qs, u"@/dev/null"_qs} << 1
                                    << u"Error 6:"_qs;
        QTest::newRow("from a binary file")
            << QStringList{u"--output"_qs, out, u"--from"_qs, u"%/binary"_qs} << 2 << u"Error 62:"_qs;
        QTest::newRow("from a cut document")
            << QStringList{u"--output"_qs, out, u"--from"_qs, u"%/cut.txt"_qs} << 2 << u"Error 62:"_qs;
        QTest::newRow("from a folder") << QStringList{u"--output"_qs, out, u"--from"_qs, u"%/folder"_qs} << 1
                                       << u"Error 21:"_qs;
        QTest::newRow("from 65 MB") << QStringList{u"--output"_qs, out, u"--from"_qs, u"%/big.txt"_qs} << 1
                                    << u"Error 27:"_qs;
        QTest::newRow("output in a missing folder")
            << QStringList{u"--output"_qs, u"%/none/out.txt"_qs, u"--product"_qs, u"p"_qs} << 1 << u"Error 2:"_qs;
        QTest::newRow("output a folder") << QStringList{u"--output"_qs, u"%/folder"_qs} << 1 << u"Error 21:"_qs;
    }

    void badInputIsRefusedAndWritesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        const QString out = u"%/out.txt"_qs;
        QTest::newRow("unknown option") << QStringList{u"--output"_qs, out, u"--colour"_qs, u"red"_qs} << 2
                                        << u"opción no reconocida «--colour»"_qs;
        QTest::newRow("option without value")
            << QStringList{u"--output"_qs, out, u"--product"_qs} << 2 << u"product"_qs;
        QTest::newRow("no --output") << QStringList{u"--product"_qs, u"p"_qs} << 2 << u"--output"_qs;
        QTest::newRow("a document as well")
            << QStringList{u"--output"_qs, out, u"%/earlier.txt"_qs} << 2 << u"earlier.txt"_qs;
        QTest::newRow("empty output") << QStringList{u"--output"_qs, u""_qs} << 2 << u"«--output»"_qs;
        QTest::newRow("empty output after =") << QStringList{u"--output="_qs} << 2 << u"«--output»"_qs;
        QTest::newRow("empty --from") << QStringList{u"--output"_qs, out, u"--from="_qs} << 2 << u"«--from»"_qs;
        QTest::newRow("@ with no name") << QStringList{u"--output"_qs, out, u"--description"_qs, u"@"_qs} << 2
                                        << u"«--description»"_qs;
        QTest::newRow("a one-dash word") << QStringList{u"-output"_qs, u"%/typo.txt"_qs} << 2
                                         << u"opción no reconocida «-output»"_qs;
        QTest::newRow("a value for --help") << QStringList{u"--help=all"_qs} << 2 << u"«--help»"_qs;
        addValueRows(out);
        addFileRows(out);
    }
    void badInputIsRefusedAndWritesNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, message);
        const Run result = run(arguments);
        QCOMPARE(result.exit, exit);
        QVERIFY2(result.messages.first().startsWith(u"trumi-editor: "_qs) && result.messages.first().contains(message),
                 qPrintable(result.messages.first()));
        // A usage error points to --help, GNU's way; a file's error is one line.
        const bool pointsToHelp = result.messages.last() == u"Pruebe «trumi-editor --help» para más información."_qs;
        QCOMPARE(pointsToHelp, exit == 2 && !message.startsWith(u"Error"_qs));
        QCOMPARE(result.messages.size() == 1, !pointsToHelp);
        QVERIFY(!QFile::exists(path(u"out.txt"_qs)));
        QVERIFY(result.output.isEmpty());
    }

    void fullDiskIsAFileFailure()
    {
        const QString full = makeFullDevice(dir_->path());
        if (full.isEmpty())
            TRUMI_SKIP_UNPRIVILEGED("this process may not make a device node");
        const Run result = run({u"--output"_qs, full, u"--product"_qs, u"p"_qs});
        QCOMPARE(result.exit, 1);
        QVERIFY(result.messages.first().contains(u"Error 28:"_qs));
    }

    static void addFromRows(const QStringList& out)
    {
        const QStringList from = out + QStringList{u"--from"_qs, u"%/earlier.txt"_qs};
        QTest::newRow("option over --from") << from + QStringList{u"--product-version"_qs, u"1.2"_qs} << QByteArray()
                                            << u"product-version"_qs << u"1.2"_qs;
        QTest::newRow("--from") << from << QByteArray() << u"author"_qs << u"author"_qs;
        QTest::newRow("--from, lines") << from << QByteArray() << u"description"_qs
                                       << u"What it does.\nIn two lines."_qs;
        QTest::newRow("--from standard input")
            << out + QStringList{u"--from"_qs, u"-"_qs} << bytesOf(earlier()) << u"author"_qs << u"author"_qs;
        QTest::newRow("--from a pipe") << out + QStringList{u"--from"_qs, u"%/fifo"_qs} << QByteArray()
                                       << u"description"_qs << u"A pipe.\nIts document."_qs;
        QTest::newRow("status beta over --from")
            << from + QStringList{u"--status"_qs, u"none"_qs} << QByteArray() << u"status"_qs << QString();
        QTest::newRow("--from, the date in this system's form")
            << out + QStringList{u"--from"_qs, u"-"_qs} << bytesOf(datedAs(u"2004-05-06 14:23:11"_qs)) << u"date"_qs
            << generalDateText(QDateTime(QDate(2004, 5, 6), QTime(14, 23, 11)), GeneralDateFormat::fromSystem());
        QTest::newRow("--from, an unreadable date as written")
            << out + QStringList{u"--from"_qs, u"-"_qs} << bytesOf(datedAs(u"el martes"_qs)) << u"date"_qs
            << u"el martes"_qs;
    }

    void eachFieldComesFromItsSource_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        const QStringList out{u"--output"_qs, u"%/out.txt"_qs};
        QTest::newRow("option") << out + QStringList{u"--product"_qs, u"ñu"_qs} << QByteArray() << u"product"_qs
                                << u"ÑU"_qs;
        QTest::newRow("default licence") << out << QByteArray() << u"use-licence"_qs << u"default use"_qs;
        QTest::newRow("default status") << out << QByteArray() << u"status"_qs << QString();
        QTest::newRow("given twice, the last wins")
            << out + QStringList{u"--author"_qs, u"first"_qs, u"--author"_qs, u"last"_qs} << QByteArray()
            << u"author"_qs << u"last"_qs;
        QTest::newRow("@@ is one @") << out + QStringList{u"--email"_qs, u"@@home"_qs} << QByteArray() << u"email"_qs
                                     << u"@home"_qs;
        QTest::newRow("@ a file") << out + QStringList{u"--description"_qs, u"@%/desc.txt"_qs} << QByteArray()
                                  << u"description"_qs << u"First\nSecond"_qs;
        QTest::newRow("@ a pipe, as a shell's <(...)") << out + QStringList{u"--description"_qs, u"@%/fifo"_qs}
                                                       << QByteArray() << u"description"_qs << u"from a pipe"_qs;
        QTest::newRow("@- standard input")
            << out + QStringList{u"--web"_qs, u"@-"_qs} << QByteArray("http://y\n") << u"web"_qs << u"http://y"_qs;
        QTest::newRow("status final") << out + QStringList{u"--status"_qs, u"final"_qs} << QByteArray() << u"status"_qs
                                      << u"FINAL"_qs;
        QTest::newRow("date and time") << out + QStringList{u"--date"_qs, u"2026-12-09T10:30:00"_qs} << QByteArray()
                                       << u"date"_qs
                                       << generalDateText(QDateTime(QDate(2026, 12, 9), QTime(10, 30)),
                                                          GeneralDateFormat::fromSystem());
        QTest::newRow("date alone") << out + QStringList{u"--date"_qs, u"1601-01-01"_qs} << QByteArray() << u"date"_qs
                                    << generalDateText(QDateTime(QDate(1601, 1, 1), QTime(0, 0)),
                                                       GeneralDateFormat::fromSystem());
        addFromRows(out);
    }
    void eachFieldComesFromItsSource()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, field);
        QFETCH(QString, value);
        // A pipe's writer, as a shell's <(...) would have it.
        DocumentRecord piped = earlier();
        piped.description = u"A pipe.\nIts document."_qs;
        const QByteArray pipeBytes =
            QString(QTest::currentDataTag()).contains(u"--from"_qs) ? bytesOf(piped) : QByteArray("from a pipe\n");
        std::thread writer([&] {
            if (arguments.contains(u"%/fifo"_qs) || arguments.contains(u"@%/fifo"_qs))
                writeBytes(path(u"fifo"_qs), pipeBytes);
        });
        const Run result = run(arguments, input);
        writer.join();
        QCOMPARE(result.exit, 0);
        QVERIFY2(result.messages.isEmpty(), qPrintable(result.messages.join(u'\n')));
        const auto record = written();
        QVERIFY(record);
        for (const DocumentField& f : documentFields()) {
            if (QLatin1String(f.name) == field)
                QCOMPARE((*record).*f.value, value);
        }
    }

    void standardOutputHelpVersionAndWarnings()
    {
        const QStringList fields{u"--from"_qs, u"%/earlier.txt"_qs, u"--product"_qs, u"x\u4E2D\U0001F600"_qs};
        Run toFile = run(QStringList{u"--output"_qs, u"%/out.txt"_qs} + fields);
        const Run toOutput = run(QStringList{u"--output"_qs, u"-"_qs} + fields);
        QCOMPARE(toOutput.exit, 0);
        QCOMPARE(toOutput.output, readBytes(path(u"out.txt"_qs)));
        QCOMPARE(toFile.messages,
                 QStringList{u"trumi-editor: aviso: 2 caracteres de «--product» no caben en Windows-1252 y se "
                             u"escriben como «?»"_qs});
        const Run one = run({u"--output"_qs, u"%/one.txt"_qs, u"--author"_qs, u"e\u0301 \u2192"_qs});
        QCOMPARE(one.messages,
                 QStringList{u"trumi-editor: aviso: 1 carácter de «--author» no cabe en Windows-1252 y se escribe "
                             u"como «?»"_qs});
        const Run help = run({u"--help"_qs});
        QCOMPARE(help.exit, 0);
        for (const DocumentField& field : documentFields())
            QVERIFY(help.output.contains("--" + QByteArray(field.name)));
        QVERIFY(run({u"--version"_qs}).output.startsWith("trumi-editor 1.1\nCopyright (C) 2026 "));
        QVERIFY(run({u"--version"_qs}, {}, Edition::release10()).output.startsWith("trumi-editor-1.0 1.0\n"));
        QVERIFY(run({u"--version"_qs}).output.contains("MIT"));
    }

    // A name given as bytes that are not UTF-8 names that very file, for
    // --output, --from and @, never the one that has U+FFFD in their place.
    void namesAreBytes()
    {
        const QByteArray folder = QFile::encodeName(dir_->path()) + '/';
        auto argument = [&](const QByteArray& name) { return FilePath::textOfNative(folder + name); };
        DocumentRecord other = earlier();
        other.author = u"replacement"_qs;
        const QByteArray otherBytes = bytesOf(other);
        writeBytesNative(FilePath::fromNative(folder + "\xef\xbf\xbd.txt"), otherBytes);
        writeBytesNative(FilePath::fromNative(folder + "\xfe.txt"), bytesOf(earlier()));
        writeBytesNative(FilePath::fromNative(folder + "\xfd.txt"), "from the file\n");
        const Run result = run({u"--output"_qs, argument("\xff.txt"), u"--from"_qs, argument("\xfe.txt"), u"--web"_qs,
                                u"@"_qs + argument("\xfd.txt")});
        QCOMPARE(result.exit, 0);
        const DocumentRead written = readDocument(FilePath::fromNative(folder + "\xff.txt"));
        QVERIFY(written.found);
        QCOMPARE(written.found->record.author, u"author"_qs);
        QCOMPARE(written.found->record.web, u"from the file"_qs);
        QCOMPARE(readBytes(dir_->filePath(u"\uFFFD.txt"_qs)), otherBytes);
        const Run missing = run({u"--output"_qs, u"%/out.txt"_qs, u"--from"_qs, argument("\xfc.txt")});
        QCOMPARE(missing.exit, 1);
        QVERIFY2(missing.messages.first().contains(u"\\xFC.txt: Error 2:"_qs), qPrintable(missing.messages.first()));
        for (const QByteArray name : {"\xff.txt", "\xfe.txt", "\xfd.txt", "\xef\xbf\xbd.txt"})
            ::unlink((folder + name).constData());  // QTemporaryDir cannot name them
    }

    // Markdown where the output's name or --format asks for it, read back by
    // --from; release 1.0 has no --format.
    void markdownFromTheCommandLine()
    {
        const QStringList fields{u"--product"_qs,  u"Demo *1*"_qs, u"--date"_qs,
                                 u"2026-12-09"_qs, u"--author"_qs, u"\u4E2D"_qs};
        QCOMPARE(run(QStringList{u"--output"_qs, u"%/README.md"_qs} + fields).exit, 0);
        const QByteArray written = readBytes(path(u"README.md"_qs));
        QVERIFY2(written.startsWith("# Demo \\*1\\* Ver.\n\n- **Autor:** \xE4\xB8\xAD\n"), written.constData());
        QVERIFY(written.contains("- **Fecha:** 2026-12-09\n"));
        const Run again =
            run({u"--from"_qs, u"%/README.md"_qs, u"--output"_qs, u"-"_qs, u"--format"_qs, u"markdown"_qs});
        QCOMPARE(again.exit, 0);
        QCOMPARE(again.output, written);
        QVERIFY(again.messages.isEmpty());  // Markdown keeps every character: no warning
        const Run bad = run({u"--output"_qs, u"%/x"_qs, u"--format"_qs, u"html"_qs});
        QCOMPARE(bad.exit, 2);
        QVERIFY(bad.messages.first().contains(u"«html»"_qs));
        const Run release10 =
            run({u"--output"_qs, u"%/x.md"_qs, u"--format"_qs, u"markdown"_qs}, {}, Edition::release10());
        QCOMPARE(release10.exit, 2);
        QVERIFY(release10.messages.first().contains(u"«--format»"_qs));
    }

    void optionsAskForTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("commandLine");
        QTest::newRow("--output") << QStringList{u"--output"_qs, u"x"_qs} << true;
        QTest::newRow("-h") << QStringList{u"-h"_qs} << true;
        QTest::newRow("a one-dash word") << QStringList{u"-output"_qs, u"typo.txt"_qs} << true;
        QTest::newRow("a document") << QStringList{u"doc.txt"_qs} << false;
        QTest::newRow("after --") << QStringList{u"--"_qs, u"--output"_qs} << false;
        QTest::newRow("nothing") << QStringList{} << false;
        QTest::newRow("standard input's name") << QStringList{u"-"_qs} << false;
        QTest::newRow("Qt's own options")
            << QStringList{u"-platform"_qs, u"offscreen"_qs, u"-style=fusion"_qs} << false;
    }
    void optionsAskForTheCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, commandLine);
        QCOMPARE(wantsCommandLine(arguments), commandLine);
    }

    // One run speaks one language, the language file's, whatever it says:
    // help, usage errors, warnings and file errors alike.
    void everyRunSpeaksTheLanguageFilesLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("otherLanguage");
        const QStringList fields{u"--output"_qs, u"%/out.txt"_qs, u"--product"_qs, u"\u2192"_qs};
        const QStringList device{u"--output"_qs, u"%/out.txt"_qs, u"--description"_qs, u"@/dev/null"_qs};
        QTest::newRow("en: help") << u"en"_qs << QStringList{u"--help"_qs}
                                  << QStringList{u"Usage: trumi-editor [DOCUMENT]"_qs, u"Field options:"_qs,
                                                 u"--output=FILE"_qs, u"display this help and exit"_qs}
                                  << u"Opciones"_qs;
        QTest::newRow("en: usage error") << u"en"_qs << QStringList{u"--bogus"_qs}
                                         << QStringList{u"trumi-editor: unrecognised option '--bogus'"_qs,
                                                        u"Try 'trumi-editor --help' for more information."_qs}
                                         << u"Pruebe"_qs;
        QTest::newRow("en: warning") << u"en"_qs << fields
                                     << QStringList{u"trumi-editor: warning: 1 character of '--product' does not "
                                                    u"fit in Windows-1252 and is written as '?'"_qs}
                                     << u"aviso"_qs;
        QTest::newRow("en: file error") << u"en"_qs << device
                                        << QStringList{u"trumi-editor: /dev/null: Error 6: It is not a regular file"_qs}
                                        << u"fichero"_qs;
        QTest::newRow("es: help") << u"es"_qs << QStringList{u"--help"_qs}
                                  << QStringList{u"Uso: trumi-editor [DOCUMENTO]"_qs, u"Opciones de campo:"_qs,
                                                 u"--output=FICHERO"_qs, u"muestra esta ayuda y termina"_qs}
                                  << u"Usage"_qs;
        QTest::newRow("es: usage error") << u"es"_qs << QStringList{u"--bogus"_qs}
                                         << QStringList{u"trumi-editor: opción no reconocida «--bogus»"_qs,
                                                        u"Pruebe «trumi-editor --help» para más información."_qs}
                                         << u"Try"_qs;
        QTest::newRow("es: warning") << u"es"_qs << fields
                                     << QStringList{u"trumi-editor: aviso: 1 carácter de «--product» no cabe en "
                                                    u"Windows-1252 y se escribe como «?»"_qs}
                                     << u"warning"_qs;
        QTest::newRow("es: file error") << u"es"_qs << device
                                        << QStringList{u"trumi-editor: /dev/null: Error 6: No es un fichero normal"_qs}
                                        << u"file"_qs;
    }
    void everyRunSpeaksTheLanguageFilesLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, said);
        QFETCH(QString, otherLanguage);
        QFile::remove(program_->filePath(u"TE.ini"_qs));
        QVERIFY(
            QFile::copy(u"" TRUMI_LANGUAGES_DIR "/"_qs + language + u"/TE.ini"_qs, program_->filePath(u"TE.ini"_qs)));
        const LanguageFile file;
        const Run result = run(arguments, {}, Edition::release11(&file));
        const QString all = QString::fromUtf8(result.output) + result.messages.join(u'\n');
        for (const QString& words : said)
            QVERIFY2(all.contains(words), qPrintable(all));
        QVERIFY2(!all.contains(otherLanguage), qPrintable(all));
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
