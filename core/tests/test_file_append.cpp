// Appending: two programs never interleave, and a failed append takes back
// exactly what it added, never another program's document nor a link.
#include "file_io.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cerrno>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The file whose next close fails, as on a network file system whose
// server reports a write error only then.
QByteArray failingClose;

// Appends count pieces of the letter, pausing between them, in a child
// process; returns the child's id. Where started is given, the child writes
// a byte to it once it holds the file's lock (its first piece is asked for
// only then).
pid_t appendInChild(const QString& path, char letter, int pieces, int pieceSize, int pauseMs, int started = -1)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    const QByteArray piece(pieceSize, letter);
    const file_io::Content content(qint64(pieces) * pieceSize, [&, given = 0]() mutable {
        if (given == 0 && started >= 0 && ::write(started, "!", 1) != 1)
            ::_exit(2);
        if (given > 0)
            ::usleep(useconds_t(pauseMs) * 1000);
        return given++ < pieces ? QByteArrayView(piece) : QByteArrayView();
    });
    ::_exit(file_io::append(path, content) ? 1 : 0);
}

// Waits for the child's byte on the pipe.
bool waitForLockHolder(int pipe)
{
    char byte = 0;
    return ::read(pipe, &byte, 1) == 1;
}

int exitStatusOf(pid_t child)
{
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

extern "C" int close(int fd)
{
    QByteArray name(4096, '\0');
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t length = failingClose.isEmpty() ? -1 : ::readlink(link.constData(), name.data(), size_t(name.size()));
    const bool fail = length > 0 && name.left(length) == failingClose;
    const long result = ::syscall(SYS_close, fd);
    if (!fail)
        return int(result);
    failingClose.clear();
    errno = EIO;
    return -1;
}

class TestFileAppend : public QObject {
    Q_OBJECT

private slots:
    void appendsOfTwoProgramsNeverInterleave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("doc.txt"));
        const pid_t first = appendInChild(path, 'a', 5, 50000, 40);
        const pid_t second = appendInChild(path, 'b', 5, 50000, 40);
        QCOMPARE(exitStatusOf(first), 0);
        QCOMPARE(exitStatusOf(second), 0);
        const QByteArray a(250000, 'a'), b(250000, 'b');
        const QByteArray written = readBytes(path);
        QVERIFY(written == a + b || written == b + a);
    }

    // Another program appends while this one waits for the file; this one
    // then fails and cuts back to where its own append began.
    void failedAppendKeepsWhatAnotherProgramAppended()
    {
        SmallFileSystem fs;
        if (!fs.mounted())
            TRUMI_SKIP_UNPRIVILEGED("this process may not mount a file system");
        const QString path = fs.filePath(QStringLiteral("doc.txt"));
        writeBytes(path, "old");
        int handshake[2];
        QCOMPARE(::pipe(handshake), 0);
        const pid_t other = appendInChild(path, 'a', 2, 500, 300, handshake[1]);
        QVERIFY(waitForLockHolder(handshake[0]));
        ::close(handshake[0]);
        ::close(handshake[1]);
        const auto error = file_io::append(path, file_io::Content::wholly(QByteArray(100000, 'b')));
        QCOMPARE(exitStatusOf(other), 0);
        QVERIFY(error);
        QCOMPARE(error->number, ENOSPC);
        QCOMPARE(readBytes(path), "old" + QByteArray(1000, 'a'));
    }

    void failedAppendRemovesTheFileItMadeNotTheLink()
    {
        SmallFileSystem fs;
        if (!fs.mounted())
            TRUMI_SKIP_UNPRIVILEGED("this process may not mount a file system");
        QVERIFY(QFile::link(QStringLiteral("target.txt"), fs.filePath(QStringLiteral("doc.txt"))));
        const auto error =
            file_io::append(fs.filePath(QStringLiteral("doc.txt")), file_io::Content::wholly(QByteArray(100000, 'b')));
        QVERIFY(error);
        QCOMPARE(error->number, ENOSPC);
        QVERIFY(QFileInfo(fs.filePath(QStringLiteral("doc.txt"))).isSymLink());
        QVERIFY(!QFileInfo::exists(fs.filePath(QStringLiteral("target.txt"))));
    }

    void failedCloseCutsTheAppendBack_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("an existing file") << QByteArray("old");
        QTest::newRow("a file the append makes") << QByteArray();
    }
    void failedCloseCutsTheAppendBack()
    {
        QFETCH(QByteArray, before);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("doc.txt"));
        if (!before.isEmpty())
            writeBytes(path, before);
        failingClose = QFile::encodeName(path);
        const auto error = file_io::append(path, file_io::Content::wholly("document"));
        QVERIFY(failingClose.isEmpty());  // the close did fail
        QVERIFY(error);
        QCOMPARE(error->number, EIO);
        QCOMPARE(QFileInfo::exists(path), !before.isEmpty());
        QCOMPARE(readBytes(path), before);
    }
};

QTEST_GUILESS_MAIN(TestFileAppend)
#include "test_file_append.moc"
