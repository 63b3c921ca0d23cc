// Replacing a file keeps what the user set up around it, in every setup in
// which the user may write the file, and leaves nothing behind.
#include "file_io.h"
#include "program_texts.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

enum class Setup {
    HardLink,
    AnotherUsersFile,
    AclAndAttribute,
    UnwritableFolder,
    StickyFolder,
    ImmutableFolder,
    BindMountedFile,
    LongestName,
    SymbolicLink,
    DanglingLink,
};

QByteArray native(const QString& path) { return QFile::encodeName(path); }

// The next rename fails, as when the folder does not let the file be
// replaced.
bool failingRename = false;

struct stat statOf(const QString& path)
{
    struct stat info {};
    ::stat(native(path).constData(), &info);
    return info;
}

// An ACL that also lets nobody read the file: user, user nobody, group,
// mask and other entries.
QByteArray aclForNobody()
{
    QByteArray acl;
    auto add = [&](quint32 value, int bytes) { acl.append(reinterpret_cast<const char*>(&value), bytes); };
    add(2, 4);
    for (const auto& [tag, perm, id] :
         {std::tuple{0x01, 6, ~0u}, {0x02, 4, kNobody}, {0x04, 4, ~0u}, {0x10, 4, ~0u}, {0x20, 4, ~0u}}) {
        add(quint32(tag), 2);
        add(quint32(perm), 2);
        add(id, 4);
    }
    return acl;
}

QByteArray attributesOf(const QString& path)
{
    QByteArray names(4096, '\0');
    const ssize_t length = ::listxattr(native(path).constData(), names.data(), size_t(names.size()));
    QByteArray all;
    for (const QByteArray& name : names.left(std::max<ssize_t>(length, 0)).split('\0')) {
        if (name.isEmpty())
            continue;
        QByteArray value(4096, '\0');
        const ssize_t size = ::getxattr(native(path).constData(), name.constData(), value.data(), size_t(value.size()));
        all += name + '=' + value.left(std::max<ssize_t>(size, 0)).toHex() + ';';
    }
    return all;
}

bool setImmutable(const QString& folder, bool on)
{
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    const bool done =
        fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
        (flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    if (fd >= 0)
        ::close(fd);
    return done;
}

}  // namespace

Q_DECLARE_METATYPE(Setup)

extern "C" int rename(const char* from, const char* to)
{
    if (!std::exchange(failingRename, false))
        return int(::syscall(SYS_renameat, AT_FDCWD, from, AT_FDCWD, to));
    errno = EBUSY;
    return -1;
}

class TestFileReplace : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString place() const { return dir_.filePath(QStringLiteral("place")); }
    QString inPlace(const QString& name) const { return place() + QLatin1Char('/') + name; }

    // Makes the situation and says which name the user writes to and
    // whether that is done as another user.
    // NOLINTNEXTLINE(readability-function-size): one short case per setup, side by side
    bool prepare(Setup setup, QString& name, bool& asUser)
    {
        QDir().mkpath(place());
        name = QStringLiteral("doc.txt");
        asUser = false;
        writeBytes(inPlace(name), "old content");
        switch (setup) {
        case Setup::HardLink:
            return ::link(native(inPlace(name)).constData(), native(inPlace(QStringLiteral("other"))).constData()) == 0;
        case Setup::AnotherUsersFile:
            asUser = true;
            return ::chmod(native(place()).constData(), 0777) == 0 &&
                   ::chmod(native(inPlace(name)).constData(), 0666) == 0;
        case Setup::AclAndAttribute: {
            const QByteArray acl = aclForNobody();
            return ::setxattr(native(inPlace(name)).constData(), "user.note", "kept", 4, 0) == 0 &&
                   ::setxattr(native(inPlace(name)).constData(), "system.posix_acl_access", acl.constData(),
                              size_t(acl.size()), 0) == 0;
        }
        case Setup::UnwritableFolder:
            asUser = true;
            return ::chmod(native(place()).constData(), 0755) == 0 &&
                   ::chmod(native(inPlace(name)).constData(), 0666) == 0;
        case Setup::StickyFolder:
            asUser = true;
            return ::chmod(native(place()).constData(), 01777) == 0 &&
                   ::chmod(native(inPlace(name)).constData(), 0666) == 0;
        case Setup::ImmutableFolder:
            return setImmutable(place(), true);
        case Setup::BindMountedFile:
            writeBytes(dir_.filePath(QStringLiteral("mounted")), "old content");
            return ::mount(native(dir_.filePath(QStringLiteral("mounted"))).constData(),
                           native(inPlace(name)).constData(), nullptr, MS_BIND, nullptr) == 0;
        case Setup::LongestName:
            QFile::remove(inPlace(name));
            name = QString(251, QLatin1Char('n')) + QStringLiteral(".txt");
            writeBytes(inPlace(name), "old content");
            return true;
        case Setup::SymbolicLink:
            name = QStringLiteral("link.txt");
            return QFile::link(QStringLiteral("doc.txt"), inPlace(name));
        case Setup::DanglingLink:
            QFile::remove(inPlace(name));
            name = QStringLiteral("link.txt");
            return QFile::link(QStringLiteral("doc.txt"), inPlace(name));
        }
        return false;
    }

private slots:
    void initTestCase() { QFile::setPermissions(dir_.path(), QFileDevice::Permissions(0x7755)); }

    void cleanup()
    {
        setImmutable(place(), false);
        ::umount2(native(inPlace(QStringLiteral("doc.txt"))).constData(), MNT_DETACH);
        ::chmod(native(place()).constData(), 0755);
        QDir(place()).removeRecursively();
    }

    void replaceKeepsWhatTheUserSetUp_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<bool>("sameInode");
        QTest::newRow("a hard link") << Setup::HardLink << true;
        QTest::newRow("another user's writable file") << Setup::AnotherUsersFile << true;
        QTest::newRow("an ACL and an extended attribute") << Setup::AclAndAttribute << true;
        QTest::newRow("a folder the user may not write") << Setup::UnwritableFolder << true;
        QTest::newRow("another user's file in a sticky folder") << Setup::StickyFolder << true;
        QTest::newRow("an immutable folder") << Setup::ImmutableFolder << true;
        QTest::newRow("a file mounted over another") << Setup::BindMountedFile << true;
        QTest::newRow("the longest name") << Setup::LongestName << false;
        QTest::newRow("a symbolic link") << Setup::SymbolicLink << false;
        QTest::newRow("a dangling symbolic link") << Setup::DanglingLink << false;
    }
    // NOLINTNEXTLINE(readability-function-size): one check per thing kept, read as a list
    void replaceKeepsWhatTheUserSetUp()
    {
        QFETCH(Setup, setup);
        QFETCH(bool, sameInode);
        if (::geteuid() != 0)
            TRUMI_SKIP_UNPRIVILEGED("needs root to set up other users, attributes and mounts");
        QString name;
        bool asUser = false;
        if (!prepare(setup, name, asUser))
            TRUMI_SKIP_UNPRIVILEGED("this system does not allow the setup");
        const bool throughLink = setup == Setup::SymbolicLink || setup == Setup::DanglingLink;
        const QString written = throughLink ? inPlace(QStringLiteral("doc.txt")) : inPlace(name);
        const struct stat before = statOf(written);
        const QByteArray attributes = attributesOf(written);
        const QStringList entries =
            QDir(place()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        {
            std::optional<UnprivilegedFileAccess> user;
            if (asUser)
                user.emplace();
            const auto error = file_io::replace(inPlace(name), file_io::Content::wholly("new"));
            QVERIFY2(!error, error ? qPrintable(failureText(*error, {})) : "");
        }
        const struct stat after = statOf(written);
        QCOMPARE(readBytes(inPlace(name)), QByteArray("new"));
        QCOMPARE(readBytes(written), QByteArray("new"));
        if (setup != Setup::DanglingLink) {
            QCOMPARE(after.st_ino == before.st_ino, sameInode);
            QCOMPARE(after.st_uid, before.st_uid);
            QCOMPARE(after.st_gid, before.st_gid);
            QCOMPARE(after.st_mode, before.st_mode);
            QCOMPARE(attributesOf(written), attributes);
        }
        if (setup == Setup::HardLink)
            QCOMPARE(readBytes(inPlace(QStringLiteral("other"))), QByteArray("new"));
        if (throughLink)
            QVERIFY(QFileInfo(inPlace(name)).isSymLink());
        QStringList expected = entries;
        if (setup == Setup::DanglingLink)
            expected.prepend(QStringLiteral("doc.txt"));
        QCOMPARE(QDir(place()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 expected);
    }

    // Written in place, a full disk is found before an old byte goes.
    void fullDiskIsFoundBeforeAnOldByteIsOverwritten()
    {
        SmallFileSystem fs;
        if (!fs.mounted())
            TRUMI_SKIP_UNPRIVILEGED("this process may not mount a file system");
        const QByteArray old(20000, 'o');
        writeBytes(fs.filePath(QStringLiteral("doc.txt")), old);
        QVERIFY(::link(native(fs.filePath(QStringLiteral("doc.txt"))).constData(),
                       native(fs.filePath(QStringLiteral("other"))).constData()) == 0);
        writeBytes(fs.filePath(QStringLiteral("filler")), QByteArray(40000, 'f'));
        const auto error =
            file_io::replace(fs.filePath(QStringLiteral("doc.txt")), file_io::Content::wholly(QByteArray(30000, 'd')));
        QVERIFY(error);
        QCOMPARE(error->number, ENOSPC);
        QCOMPARE(readBytes(fs.filePath(QStringLiteral("doc.txt"))), old);
    }

    // A rename that fails leaves no named temporary behind: the file is
    // written in place instead, and a new file is reported.
    void failedRenameLeavesNothingBehind()
    {
        QDir().mkpath(place());
        writeBytes(inPlace(QStringLiteral("old.txt")), "old content");
        failingRename = true;
        QVERIFY(!file_io::replace(inPlace(QStringLiteral("old.txt")), file_io::Content::wholly("new")));
        QVERIFY(!failingRename);
        QCOMPARE(readBytes(inPlace(QStringLiteral("old.txt"))), QByteArray("new"));
        failingRename = true;
        const auto error = file_io::replace(inPlace(QStringLiteral("new.txt")), file_io::Content::wholly("new"));
        QVERIFY(error);
        QCOMPARE(error->number, EBUSY);
        QCOMPARE(QDir(place()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("old.txt")});
    }

    // A program killed halfway through leaves the old file as it was and no
    // temporary file beside it, for a new file and for one it replaces.
    void killedProgramLeavesNothingBehind()
    {
        QDir().mkpath(place());
        writeBytes(inPlace(QStringLiteral("old.txt")), "old content");
        for (const QString& name : {QStringLiteral("old.txt"), QStringLiteral("new.txt")}) {
            const pid_t child = ::fork();
            if (child == 0) {
                const QByteArray piece(100000, 'x');
                const file_io::Content content(300000, [&, calls = 0]() mutable {
                    if (++calls == 2)
                        ::raise(SIGKILL);
                    return QByteArrayView(piece);
                });
                (void)file_io::replace(inPlace(name), content);
                ::_exit(0);
            }
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status));
        }
        QCOMPARE(QDir(place()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("old.txt")});
        QCOMPARE(readBytes(inPlace(QStringLiteral("old.txt"))), QByteArray("old content"));
    }
};

QTEST_GUILESS_MAIN(TestFileReplace)
#include "test_file_replace.moc"
