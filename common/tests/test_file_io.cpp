#include "common/file_io.h"
#include "testing/test_support.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cerrno>

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

    void replaceReportsTheSystemErrorAndKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing folder") << "missing/a.txt" << ENOENT;
        QTest::newRow("a folder") << "folder" << EISDIR;
        QTest::newRow("under a file") << "file.txt/a.txt" << ENOTDIR;
    }
    void replaceReportsTheSystemErrorAndKeepsTheOldFile()
    {
        QFETCH(QString, name);
        QFETCH(int, expected);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("folder"));
        writeBytes(dir.filePath(QStringLiteral("file.txt")), "kept");
        const auto error = file_io::replace(dir.filePath(name), file_io::wholly("document"));
        QVERIFY(error);
        QCOMPARE(error->number, expected);
        QVERIFY(!error->description.isEmpty());
        QCOMPARE(readBytes(dir.filePath(QStringLiteral("file.txt"))), QByteArray("kept"));
    }

    void readOnlyFileIsRefusedNotReplaced()
    {
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther | QFile::ReadOther);
        const QString path = dir.filePath(QStringLiteral("ro.txt"));
        writeBytes(path, "kept");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther);
        UnprivilegedFileAccess asUser;
        const auto replaceError = file_io::replace(path, file_io::wholly("document"));
        const auto appendError = file_io::append(path, file_io::wholly("document"));
        QVERIFY(replaceError && appendError);
        QCOMPARE(replaceError->number, EACCES);
        QCOMPARE(appendError->number, EACCES);
        QCOMPARE(readBytes(path), QByteArray("kept"));
    }

    void fullDeviceIsWrittenDirectlyAndReportsNoSpace()
    {
        QTemporaryDir dir;
        const QString full = makeFullDevice(dir.path());
        if (full.isEmpty())
            QSKIP("this process may not make device nodes");
        const auto replaceError = file_io::replace(full, file_io::wholly("document"));
        const auto appendError = file_io::append(full, file_io::wholly("document"));
        QVERIFY(replaceError && appendError);
        QCOMPARE(replaceError->number, ENOSPC);
        QCOMPARE(appendError->number, ENOSPC);
        QVERIFY(!QFileInfo(full).isFile());  // still the device, not a file put in its place
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

    void appendAddsAfterTheLastByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.txt"));
        QVERIFY(!file_io::append(path, file_io::wholly("one")));
        QVERIFY(!file_io::append(path, file_io::wholly("two")));
        QCOMPARE(readBytes(path), QByteArray("onetwo"));
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
    }
};

QTEST_APPLESS_MAIN(TestFileIo)
#include "test_file_io.moc"
