// Reading and writing with the system's error numbers: what is refused and
// how, and that nothing waits on a pipe or reads without a limit.
#include "file_io.h"
#include "program_folder.h"
#include "program_texts.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Write { Replace, Append };

std::optional<FileError> write(Write how, const FilePath& path, const file_io::Content& content)
{
    return how == Write::Replace ? file_io::replace(path, content) : file_io::append(path, content);
}

std::optional<FileError> write(Write how, const FilePath& path, const QByteArray& bytes)
{
    return write(how, path, file_io::Content::wholly(bytes));
}

const char* nameOf(Write how) { return how == Write::Replace ? "replace" : "append"; }

}  // namespace

Q_DECLARE_METATYPE(Write)

class TestFileIo : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void init()
    {
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
    }

    void replaceWritesNewFilesAndReplacesOldOnes()
    {
        QVERIFY(!file_io::replace(path("a.txt"), file_io::Content::wholly("long old content")));
        QVERIFY(!file_io::replace(path("a.txt"), file_io::Content::wholly("new")));
        QCOMPARE(readBytes(path("a.txt")), QByteArray("new"));
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.txt")});
    }

    void appendAddsAfterTheLastByte()
    {
        QVERIFY(!file_io::append(path("a.txt"), file_io::Content::wholly("one")));
        QVERIFY(!file_io::append(path("a.txt"), file_io::Content::wholly("two")));
        QCOMPARE(readBytes(path("a.txt")), QByteArray("onetwo"));
    }

    void contentIsWrittenPieceByPiece()
    {
        const QList<QByteArray> pieces{"one ", QByteArray(300000, 'x'), " three"};
        for (const Write how : {Write::Replace, Write::Append}) {
            qsizetype next = 0;
            const file_io::Content content(pieces.join().size(), [&]() -> QByteArrayView {
                return next < pieces.size() ? QByteArrayView(pieces.at(next++)) : QByteArrayView();
            });
            QFile::remove(path("a.txt"));
            QVERIFY(!write(how, path("a.txt"), content));
            QCOMPARE(readBytes(path("a.txt")), pieces.join());
        }
    }

    void failuresGiveTheSystemErrorAndKeepEveryFile_data()
    {
        QTest::addColumn<Write>("how");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("expected");
        for (const Write how : {Write::Replace, Write::Append}) {
            QTest::addRow("%s: missing folder", nameOf(how)) << how << "missing/a.txt" << ENOENT;
            QTest::addRow("%s: a folder", nameOf(how)) << how << "folder" << EISDIR;
            QTest::addRow("%s: under a file", nameOf(how)) << how << "file.txt/a.txt" << ENOTDIR;
            QTest::addRow("%s: a pipe nobody reads", nameOf(how)) << how << "pipe" << ENXIO;
            QTest::addRow("%s: a link to itself", nameOf(how)) << how << "loop" << ELOOP;
        }
    }
    void failuresGiveTheSystemErrorAndKeepEveryFile()
    {
        QFETCH(Write, how);
        QFETCH(QString, name);
        QFETCH(int, expected);
        QDir(dir_.path()).mkdir(QStringLiteral("folder"));
        writeBytes(path("file.txt"), "kept");
        QVERIFY(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0666) == 0);
        QVERIFY(QFile::link(QStringLiteral("loop"), path("loop")));
        const auto error = write(how, dir_.filePath(name), "document");
        QVERIFY(error);
        QCOMPARE(error->number, expected);
        QVERIFY(failureText(*error, {}).contains(QDir::toNativeSeparators(dir_.filePath(name))));
        QCOMPARE(readBytes(path("file.txt")), QByteArray("kept"));
        QVERIFY(QFileInfo(path("folder")).isDir());
    }

    // The kernel's rule on links in shared folders (fs.protected_symlinks),
    // kept by the program whatever the system's setting: a link that another
    // user planted in a sticky folder anyone may write is not followed, for
    // writing or for reading; the folder owner's own link is.
    void linksInSharedFoldersFollowTheKernelsRule_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<unsigned>("linkOwner");
        QTest::addColumn<int>("expected");
        for (const char* how : {"replace", "append", "read"}) {
            QTest::addRow("%s: another user's link", how) << QString::fromLatin1(how) << kNobody << EACCES;
            QTest::addRow("%s: the folder owner's link", how) << QString::fromLatin1(how) << 0u << 0;
        }
    }
    void linksInSharedFoldersFollowTheKernelsRule()
    {
        QFETCH(QString, how);
        QFETCH(unsigned, linkOwner);
        QFETCH(int, expected);
        if (::geteuid() != 0)
            TRUMI_SKIP_UNPRIVILEGED("needs root to plant another user's link");
        const QString shared = path("shared");
        QVERIFY(QDir().mkpath(shared) && ::chmod(QFile::encodeName(shared).constData(), 01777) == 0);
        writeBytes(path("target.txt"), "root's own");
        const QByteArray link = QFile::encodeName(shared + u"/readme.txt"_qs);
        QVERIFY(::symlink(QFile::encodeName(path("target.txt")).constData(), link.constData()) == 0);
        QVERIFY(::lchown(link.constData(), linkOwner, linkOwner) == 0);
        QByteArray bytes;
        const auto error = how == u"read"_qs ? file_io::readFile(FilePath::fromNative(link), bytes)
                                             : write(how == u"replace"_qs ? Write::Replace : Write::Append,
                                                     FilePath::fromNative(link), "document");
        QCOMPARE(error ? error->number : 0, expected);
        if (expected)
            QCOMPARE(readBytes(path("target.txt")), QByteArray("root's own"));
        else if (how == u"read"_qs)
            QCOMPARE(bytes, QByteArray("root's own"));
        else
            QVERIFY(readBytes(path("target.txt")).endsWith("document"));
    }

    // No file is written larger than the program reads back.
    void contentPastTheReadLimitIsRefused()
    {
        writeBytes(path("a.txt"), "kept");
        const file_io::Content huge(file_io::kLargestRead + 1, [] { return QByteArrayView(); });
        for (const Write how : {Write::Replace, Write::Append}) {
            const auto error = write(how, path("a.txt"), huge);
            QVERIFY(error);
            QCOMPARE(error->number, EFBIG);
        }
        QCOMPARE(readBytes(path("a.txt")), QByteArray("kept"));
    }

    void readOnlyFileIsRefusedNotReplaced()
    {
        QFile::setPermissions(dir_.path(), QFile::permissions(dir_.path()) | QFile::ExeOther | QFile::ReadOther);
        writeBytes(path("ro.txt"), "kept");
        QFile::setPermissions(path("ro.txt"), QFile::ReadOwner | QFile::ReadOther);
        UnprivilegedFileAccess asUser;
        for (const Write how : {Write::Replace, Write::Append}) {
            const auto error = write(how, path("ro.txt"), "document");
            QVERIFY(error);
            QCOMPARE(error->number, EACCES);
        }
        QCOMPARE(readBytes(path("ro.txt")), QByteArray("kept"));
    }

    void fullDeviceIsWrittenDirectlyAndReportsNoSpace()
    {
        const QString full = makeFullDevice(dir_.path());
        if (full.isEmpty())
            TRUMI_SKIP_UNPRIVILEGED("this process may not make device nodes");
        for (const Write how : {Write::Replace, Write::Append}) {
            const auto error = write(how, full, "document");
            QVERIFY(error);
            QCOMPARE(error->number, ENOSPC);
        }
        QVERIFY(!QFileInfo(full).isFile());  // still the device, not a file put in its place
    }

    // A reader that goes away early: the write fails with EPIPE instead of
    // the signal ending the program.
    void brokenPipeIsAnErrorNotTheEnd()
    {
        const QByteArray pipe = QFile::encodeName(path("pipe"));
        QVERIFY(::mkfifo(pipe.constData(), 0666) == 0);
        for (const Write how : {Write::Replace, Write::Append}) {
            int reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK);
            QVERIFY(reader >= 0);
            const QByteArray piece(1000, 'x');
            const file_io::Content content(2000, [&, calls = 0]() mutable -> QByteArrayView {
                if (calls == 1)
                    ::close(std::exchange(reader, -1));
                return calls++ < 2 ? QByteArrayView(piece) : QByteArrayView();
            });
            const auto error = write(how, path("pipe"), content);
            QVERIFY(error);
            QCOMPARE(error->number, EPIPE);
        }
    }

    void readsOnlyRegularFilesOfABoundedSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing") << "none" << ENOENT;
        QTest::newRow("a folder") << "folder" << EISDIR;
        QTest::newRow("a pipe") << "pipe" << ENXIO;
        QTest::newRow("a link to an endless device") << "zero" << ENXIO;
        QTest::newRow("two gigabytes") << "sparse" << EFBIG;
        QTest::newRow("one byte over the limit") << "over" << EFBIG;
        QTest::newRow("exactly the limit") << "limit" << 0;
    }
    void readsOnlyRegularFilesOfABoundedSize()
    {
        QFETCH(QString, name);
        QFETCH(int, expected);
        QDir(dir_.path()).mkdir(QStringLiteral("folder"));
        QVERIFY(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0666) == 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path("zero")));
        for (const auto& [file, size] : {std::pair{"sparse", qint64(2) << 30},
                                         {"over", file_io::kLargestRead + 1},
                                         {"limit", file_io::kLargestRead}}) {
            QFile sparse(path(file));
            QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(size));
        }
        QByteArray bytes = "stale";
        const auto error = file_io::readFile(dir_.filePath(name), bytes);
        QCOMPARE(error ? error->number : 0, expected);
        QCOMPARE(bytes.size(), expected ? 0 : file_io::kLargestRead);
    }

    // A file in a program folder that cannot be found has no path: nothing
    // is written anywhere else instead (such as the root folder).
    void noPathWritesNothingAnywhere()
    {
        QByteArray bytes;
        for (const auto& error :
             {file_io::replace(FilePath(), file_io::Content::wholly("x")),
              file_io::append(FilePath(), file_io::Content::wholly("x")), file_io::readFile(FilePath(), bytes)}) {
            QVERIFY(error);
            QCOMPARE(error->number, ENOENT);
            QCOMPARE(error->problem, FileProblem::ProgramFolderMissing);
        }
    }

    void entriesExistWhateverTheyAre()
    {
        QVERIFY(QFile::link(QStringLiteral("nowhere"), path("dangling")));
        QVERIFY(file_io::entryExists(dir_.path()));
        QVERIFY(file_io::entryExists(path("dangling")));
        QVERIFY(!file_io::entryExists(path("none")));
        QVERIFY(!file_io::entryExists(FilePath()));
    }
};

QTEST_GUILESS_MAIN(TestFileIo)
#include "test_file_io.moc"
