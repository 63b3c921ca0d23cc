// File access on Windows (run under Wine in CI): what the Linux tests check
// with pipes, devices and other users, here with Windows' own names, links
// and attributes.
#include "config_places.h"
#include "file_io.h"
#include "program_folder.h"
#include "test_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <windows.h>

namespace {

std::wstring wide(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }

file_io::Content contentOf(const char* text) { return file_io::Content::wholly(QByteArray(text)); }

}  // namespace

class TestFileIoWindows : public QObject {
    Q_OBJECT
private slots:
    // Replacing writes the whole new content under any name the user can
    // type, and keeps the file's attributes and its other names.
    void replaceKeepsWhatTheUserSetUp()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"\u00d1and\u00fa \u20ac.txt"_qs);
        QVERIFY(!file_io::replace(path, contentOf("first")));
        QCOMPARE(readBytes(path), QByteArray("first"));
        QVERIFY(::SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
        QVERIFY(!file_io::replace(path, contentOf("second")));
        QCOMPARE(readBytes(path), QByteArray("second"));
        QVERIFY(::GetFileAttributesW(wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);

        const QString other = dir.filePath(u"other name.txt"_qs);
        QVERIFY(::CreateHardLinkW(wide(other).c_str(), wide(path).c_str(), nullptr));
        QVERIFY(!file_io::replace(path, contentOf("third, in place")));
        QCOMPARE(readBytes(other), QByteArray("third, in place"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no temporary left
    }

    // A read-only file is refused, untouched, with Windows' own words.
    void readOnlyFileIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"kept.txt"_qs);
        writeBytes(path, "old");
        QVERIFY(::SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_READONLY));
        for (const bool appending : {false, true}) {
            const auto error =
                appending ? file_io::append(path, contentOf("new")) : file_io::replace(path, contentOf("new"));
            QVERIFY(error);
            QCOMPARE(error->number, int(ERROR_ACCESS_DENIED));  // Windows' own number
            QVERIFY(!error->systemText.isEmpty());
        }
        QCOMPARE(readBytes(path), QByteArray("old"));
        ::SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    }

    // Device and pipe names are refused at once, never opened.
    void devicesAreNeverOpened_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("console") << u"CON"_qs;
        QTest::newRow("a device with an extension, in a folder") << u"C:/some folder/nul.txt"_qs;
        QTest::newRow("a serial port") << u"com1"_qs;
        QTest::newRow("a pipe") << u"\\\\.\\pipe\\trumi-test"_qs;
    }
    void devicesAreNeverOpened()
    {
        QFETCH(QString, name);
        QByteArray bytes;
        for (const auto& error : {file_io::readFile(name, bytes), file_io::replace(name, contentOf("x")),
                                  file_io::append(name, contentOf("x"))}) {
            QVERIFY(error);
            QCOMPARE(error->problem, FileProblem::NotRegularFile);
        }
    }

    // Reading: a folder, a missing file and a file too large each get their
    // own error; appending adds after the last byte.
    void readingAndAppending()
    {
        QTemporaryDir dir;
        QByteArray bytes;
        constexpr int directoryNotSupported = 336;  // Windows' ERROR_DIRECTORY_NOT_SUPPORTED
        QCOMPARE(file_io::readFile(dir.path(), bytes)->number, directoryNotSupported);
        const auto missing = file_io::readFile(dir.filePath(u"missing.txt"_qs), bytes);
        QVERIFY(missing && missing->number == int(ERROR_FILE_NOT_FOUND) && !missing->systemText.isEmpty());

        const QString large = dir.filePath(u"large.bin"_qs);
        const HANDLE file =
            ::CreateFileW(wide(large).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        LARGE_INTEGER end;
        end.QuadPart = file_io::kLargestRead + 1;
        QVERIFY(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file));
        ::CloseHandle(file);
        QCOMPARE(file_io::readFile(large, bytes)->problem, FileProblem::TooLarge);

        const QString log = dir.filePath(u"appended.txt"_qs);
        QVERIFY(!file_io::append(log, contentOf("one ")));
        QVERIFY(!file_io::append(log, contentOf("two")));
        QVERIFY(!file_io::readFile(log, bytes));
        QCOMPARE(bytes, QByteArray("one two"));
    }

    void programFolderIsTheExecutablesFolder()
    {
        QCOMPARE(QDir(programFolder().display()), QDir(QCoreApplication::applicationDirPath()));
    }

    // Where the program folder cannot be written (Program Files), each
    // user's defaults live in their application-data folder, made when
    // first saved, folders above it included.
    void usersDefaultsLiveInTheirApplicationData()
    {
        QTemporaryDir home;
        const QString appData = home.path() + QStringLiteral("/Users/ana/Roaming");
        const QByteArray kept = qgetenv("APPDATA");
        qputenv("APPDATA", QDir::toNativeSeparators(appData).toLocal8Bit());
        const FilePath folder = config_places::usersFolder();
        qputenv("APPDATA", kept);
        QCOMPARE(folder.display(), appData + QStringLiteral("/Trumi Editor"));
        QVERIFY(!config_places::makeFolders(folder));
        QVERIFY(QFileInfo(folder.display()).isDir());
        QVERIFY(!config_places::makeFolders(folder));

        // A file where a folder should be: the error names the folder.
        QVERIFY(!file_io::replace(folder.child(QStringLiteral("plain")), contentOf("x")));
        const FilePath blocked = folder.child(QStringLiteral("plain")).child(QStringLiteral("inner"));
        const auto error = config_places::makeFolders(blocked);
        QVERIFY(error);
        QCOMPARE(error->path, blocked.display());
    }
};

QTEST_GUILESS_MAIN(TestFileIoWindows)
#include "test_file_io_windows.moc"
