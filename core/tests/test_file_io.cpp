#include "file_io.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <cerrno>

namespace {

enum class Write { Replace, Append };

std::optional<FileError> write(Write how, const QString& path, const QByteArray& bytes)
{
    return how == Write::Replace ? file_io::replace(path, file_io::wholly(bytes))
                                 : file_io::append(path, file_io::wholly(bytes));
}

// A small file system of its own that a test can fill up, or nothing where
// this process may not mount one.
class SmallFileSystem {
public:
    SmallFileSystem()
    {
        mounted_ = QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                               QStringLiteral("-o"), QStringLiteral("size=64k"),
                                                               QStringLiteral("tmpfs"), dir_.path()}) == 0;
    }
    ~SmallFileSystem()
    {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {dir_.path()});
    }
    bool mounted() const { return mounted_; }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

}  // namespace

Q_DECLARE_METATYPE(Write)

class TestFileIo : public QObject {
    Q_OBJECT
private slots:
    void replaceWritesNewFilesAndReplacesOldOnes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        QVERIFY(!file_io::replace(path, file_io::wholly("long old content")));
        QVERIFY(!file_io::replace(path, file_io::wholly("new")));
        QCOMPARE(readBytes(path), QByteArray("new"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.txt")});
    }

    void appendAddsAfterTheLastByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        QVERIFY(!file_io::append(path, file_io::wholly("one")));
        QVERIFY(!file_io::append(path, file_io::wholly("two")));
        QCOMPARE(readBytes(path), QByteArray("onetwo"));
    }

    void failuresGiveTheSystemErrorAndKeepEveryFile_data()
    {
        QTest::addColumn<Write>("how");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("expected");
        for (const Write how : {Write::Replace, Write::Append}) {
            const char* tag = how == Write::Replace ? "replace" : "append";
            QTest::addRow("%s: missing folder", tag) << how << "missing/a.txt" << ENOENT;
            QTest::addRow("%s: a folder", tag) << how << "folder" << EISDIR;
            QTest::addRow("%s: under a file", tag) << how << "file.txt/a.txt" << ENOTDIR;
        }
    }
    void failuresGiveTheSystemErrorAndKeepEveryFile()
    {
        QFETCH(Write, how);
        QFETCH(QString, name);
        QFETCH(int, expected);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("folder"));
        writeBytes(dir.filePath(QStringLiteral("file.txt")), "kept");
        const auto error = write(how, dir.filePath(name), "document");
        QVERIFY(error);
        QCOMPARE(error->number, expected);
        QVERIFY(!error->description.isEmpty());
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("file.txt"))), QByteArray("kept"));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
    }

    void readOnlyFileIsRefusedNotReplaced()
    {
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther | QFile::ReadOther);
        const QString path = dir.filePath(QStringLiteral("ro.txt"));
        writeBytes(path, "kept");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther);
        UnprivilegedFileAccess asUser;
        for (const Write how : {Write::Replace, Write::Append}) {
            const auto error = write(how, path, "document");
            QVERIFY(error);
            QCOMPARE(error->number, EACCES);
        }
        QCOMPARE(readBytes(path), QByteArray("kept"));
    }

    void fullDeviceIsWrittenDirectlyAndReportsNoSpace()
    {
        QTemporaryDir dir;
        const QString full = makeFullDevice(dir.path());
        if (full.isEmpty())
            QSKIP("this process may not make device nodes");
        for (const Write how : {Write::Replace, Write::Append}) {
            const auto error = write(how, full, "document");
            QVERIFY(error);
            QCOMPARE(error->number, ENOSPC);
        }
        QVERIFY(!QFileInfo(full).isFile());  // still the device, not a file put in its place
    }

    void fullFileSystemKeepsTheOldFileAndLeavesNoTemporary()
    {
        SmallFileSystem fs;
        if (!fs.mounted())
            QSKIP("this process may not mount a file system");
        const QString path = fs.filePath(QStringLiteral("trumi.txt"));
        const QByteArray old(20000, 'o');
        writeBytes(path, old);
        writeBytes(fs.filePath(QStringLiteral("filler")), QByteArray(40000, 'f'));
        for (const Write how : {Write::Replace, Write::Append}) {
            const auto error = write(how, path, QByteArray(30000, 'd'));
            QVERIFY(error);
            QCOMPARE(error->number, ENOSPC);
            QCOMPARE(readBytes(path), old);
        }
        QCOMPARE(QDir(fs.filePath({})).entryList(QDir::Files).size(), 2);
    }

    void contentIsWrittenPieceByPiece()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        const QList<QByteArray> pieces{"one ", QByteArray(300000, 'x'), " three"};
        qsizetype next = 0;
        const file_io::Content content = [&]() -> QByteArrayView {
            return next < pieces.size() ? QByteArrayView(pieces.at(next++)) : QByteArrayView();
        };
        QVERIFY(!file_io::replace(path, content));
        QCOMPARE(readBytes(path), pieces.join());
    }

    void replaceKeepsTheFilesPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        writeBytes(path, "old");
        const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
        QFile::setPermissions(path, mode);
        QVERIFY(!file_io::replace(path, file_io::wholly("new")));
        QCOMPARE(QFile::permissions(path) & 0x7077, mode & 0x7077);
    }

    void readsWholeFilesAndReportsFolders()
    {
        QTemporaryDir dir;
        QByteArray bytes;
        writeBytes(dir.filePath(QStringLiteral("a")), QByteArray(200000, 'x'));
        QVERIFY(!file_io::readAll(dir.filePath(QStringLiteral("a")), bytes));
        QCOMPARE(bytes.size(), 200000);
        const auto error = file_io::readAll(dir.path(), bytes);
        QVERIFY(error);
        QCOMPARE(error->number, EISDIR);
        QVERIFY(bytes.isEmpty());
        QVERIFY(file_io::entryExists(dir.path()));
        QVERIFY(!file_io::entryExists(dir.filePath(QStringLiteral("none"))));
    }
};

QTEST_GUILESS_MAIN(TestFileIo)
#include "test_file_io.moc"
