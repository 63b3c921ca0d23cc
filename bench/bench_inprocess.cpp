// Create on large texts, and the main window's responsiveness while its
// description holds 10 MB, each beside a baseline measured in the same run.
// Runs on any Qt platform (offscreen is fine).
//
// Usage: bench_inprocess [RUNS [create|in-place|open|keys|paste]]
#include "bench_table.h"

#include "document_writer.h"
#include "main_window.h"
#include "message_box.h"
#include "program_look.h"
#include "windows1252.h"

#include <QApplication>
#include <QClipboard>
#include <QMetaMethod>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

using Clock = std::chrono::steady_clock;

namespace {

constexpr qsizetype kMegabyte = 1 << 20;

// Lines of 79 characters and a line break, to the given number of characters.
QString textOf(qsizetype size)
{
    QString line(79, QLatin1Char('x'));
    line += QLatin1Char('\n');
    return line.repeated(size / line.size() + 1).left(size);
}

template <typename Action>
double secondsOf(Action action)
{
    const auto start = Clock::now();
    action();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long statusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    }
    return 0;
}

// Peak resident memory that the action adds, in bytes.
template <typename Action>
double peakExtraBytes(Action action)
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to the present
    const long before = statusKilobytes("VmRSS:");
    action();
    return double(statusKilobytes("VmHWM:") - before) * 1024;
}

void plainWrite(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() || ::fsync(fd) != 0)
        std::abort();
    ::close(fd);
}

// Create beside one plain write of the same bytes to the same file, taken in
// turns so that both meet the file and the machine in the same state.
struct CreateComparison {
    std::vector<double> ours, base;
};

CreateComparison compareWithPlainWrite(const QString& path, const DocumentRecord& record, int runs)
{
    const QByteArray prepared = documentBytes(composeDocument(record));
    CreateComparison result;
    for (int i = 0; i < runs; ++i) {
        result.ours.push_back(secondsOf([&] { (void)writeDocument(path, record, WriteMode::Replace); }) * 1000);
        result.base.push_back(secondsOf([&] { plainWrite(path, prepared); }) * 1000);
    }
    return result;
}

BenchRow createRow(const std::string& name, const CreateComparison& c, double goal)
{
    char target[32];
    std::snprintf(target, sizeof target, "<= %.1f x one plain write", goal);
    return pairedRow(name, c.ours, c.base, "ms", target, goal);
}

std::vector<BenchRow> createRows(int runs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trumi.txt"));
    std::vector<BenchRow> rows;
    for (const qsizetype megabytes : {1, 10, 50}) {
        DocumentRecord record;
        record.product = QStringLiteral("demo");
        record.version = QStringLiteral("1.0");
        record.description = textOf(megabytes * kMegabyte);
        record.useLicence = textOf(kMegabyte);
        record.distributionLicence = textOf(kMegabyte);
        if (writeDocument(path, record, WriteMode::Replace))
            std::abort();
        const double documentSize = double(QFileInfo(path).size());
        const std::string name = "Create, description of " + std::to_string(megabytes) + " MB";
        rows.push_back(createRow(name, compareWithPlainWrite(path, record, runs), 1.5));
        const double extra = peakExtraBytes([&] { (void)writeDocument(path, record, WriteMode::Replace); });
        rows.push_back({name + ": peak extra memory", extra / kMegabyte, documentSize / kMegabyte, "MiB",
                        "<= 3 x document size", extra <= 3.0 * documentSize});
    }
    return rows;
}

// Create where the document is written in place (the file has a second
// name, so replacing it would break the link), beside one plain write.
std::vector<BenchRow> inPlaceRows(int runs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trumi.txt"));
    DocumentRecord record;
    record.description = textOf(10 * kMegabyte);
    if (writeDocument(path, record, WriteMode::Replace) ||
        ::link(QFile::encodeName(path).constData(),
               QFile::encodeName(dir.filePath(QStringLiteral("other"))).constData()))
        std::abort();
    return {createRow("Create in place (hard-linked), 10 MB", compareWithPlainWrite(path, record, runs), 1.5)};
}

// A file of the given size: many documents appended one after the other, as
// release 1.0 makes them, or one document with a long description; and the
// description that opening it puts in the box.
struct OpenCase {
    QByteArray bytes;
    QString description;
};

OpenCase openCase(qsizetype size, bool many)
{
    DocumentRecord record;
    record.product = QStringLiteral("DEMO");
    record.version = QStringLiteral("1.0");
    record.date = QStringLiteral("05/06/2004 14:23:11");
    record.useLicence = QStringLiteral("Free to use.");
    record.distributionLicence = QStringLiteral("Copy unchanged.");
    // Each line break of the description is written as two bytes.
    record.description = many ? QStringLiteral("First line\nSecond line") : textOf(size / 81 * 80 - 1024);
    const QByteArray one = documentBytes(composeDocument(record));
    return {many ? one.repeated(size / one.size() + 1) : one, record.description};
}

// Drops the file's pages from the page cache, so that the next read comes
// from the disk, as the first open after a while does.
void dropFromCache(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0 || ::fdatasync(fd) != 0 || ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) != 0)
        std::abort();
    ::close(fd);
}

// The times of opening the file into the window, and of reading and
// decoding it and putting its description into another window's box, in
// milliseconds, pair by pair; cold drops the file from the cache first.
std::pair<std::vector<double>, std::vector<double>>
openTimes(const QString& path, const OpenCase& c, MainWindow& window, QPlainTextEdit& box, int runs, bool cold)
{
    std::vector<double> ours, base;
    for (int i = 0; i < runs; ++i) {
        if (cold)
            dropFromCache(path);
        ours.push_back(secondsOf([&] {
                           window.openDocument(path);
                           QCoreApplication::processEvents();
                       }) *
                       1000);
        if (cold)
            dropFromCache(path);
        base.push_back(secondsOf([&] {
                           QFile file(path);
                           if (!file.open(QIODevice::ReadOnly))
                               std::abort();
                           box.setPlainText(windows1252::decode(file.readAll()).isEmpty() ? QString() : c.description);
                           QCoreApplication::processEvents();
                       }) *
                       1000);
    }
    return {ours, base};
}

// The peak memory of opening one document of 60 MB into a window whose
// description box was empty, beside the file's size and beside a bare box
// given the description already decoded (Qt's text document alone takes
// more than three times the file: two bytes a character, and its maps of
// fragments and blocks for each line).
std::vector<BenchRow> openMemoryRows(const QString& path, MainWindow& window)
{
    const OpenCase c = openCase(60 * kMegabyte, false);
    plainWrite(path, c.bytes);
    window.findChild<QPlainTextEdit*>(QStringLiteral("TxtDesc"))->clear();
    QCoreApplication::processEvents();
    const double peak = peakExtraBytes([&] {
        window.openDocument(path);
        QCoreApplication::processEvents();
    });
    QPlainTextEdit bare;
    bare.show();
    QCoreApplication::processEvents();
    const double barePeak = peakExtraBytes([&] {
        bare.setPlainText(c.description);
        QCoreApplication::processEvents();
    });
    const double size = double(c.bytes.size());
    return {{"open one document, 60 MB: peak memory, vs the file", peak / kMegabyte, size / kMegabyte, "MiB",
             "<= 3 x the file", peak <= 3 * size},
            {"that peak, vs a bare box given the decoded text", peak / kMegabyte, barePeak / kMegabyte, "MiB", "<= 1 x",
             peak <= barePeak}};
}

// Opening a document into the window, beside reading and decoding the same
// bytes and putting the same description into a box; warm (the file in the
// page cache) and, for appended documents, cold (read from the disk).
std::vector<BenchRow> openRows(int runs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("open.txt"));
    MainWindow window(Edition::release11(nullptr));
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setDateFormat({"%d/%m/%Y", "%H:%M:%S"});
    window.show();
    MainWindow other(Edition::release11(nullptr));  // its description box takes the baseline's text
    other.setAttribute(Qt::WA_DeleteOnClose, false);
    other.show();
    auto& box = *other.findChild<QPlainTextEdit*>(QStringLiteral("TxtDesc"));
    std::vector<BenchRow> rows;
    QStringList messages;  // a message would wait for a click
    message_box::recordInto(&messages);
    const auto row = [&](const OpenCase& c, const std::string& name, bool cold) {
        const auto [ours, base] = openTimes(path, c, window, box, runs, cold);
        if (!messages.isEmpty() || window.record().description != c.description)
            qFatal("The document did not open: %s", qPrintable(messages.join(u'\n')));
        rows.push_back(pairedRow(name + (cold ? ", cold" : ""), ours, base, "ms", "<= 1.2 x read+decode+box", 1.2));
    };
    for (const qsizetype megabytes : {1, 10, 50}) {
        const OpenCase c = openCase(megabytes * kMegabyte, true);
        plainWrite(path, c.bytes);
        row(c, "open appended, " + std::to_string(megabytes) + " MB", false);
        row(c, "open appended, " + std::to_string(megabytes) + " MB", true);
    }
    // One long document: its time is the box's; it is measured warm only.
    for (const qsizetype megabytes : {1, 10, 50}) {
        const OpenCase c = openCase(megabytes * kMegabyte, false);
        plainWrite(path, c.bytes);
        row(c, "open one document, " + std::to_string(megabytes) + " MB", false);
    }
    for (const BenchRow& memory : openMemoryRows(path, window))
        rows.push_back(memory);
    message_box::recordInto(nullptr);
    return rows;
}

// The median time of one tick of the polling timer, in microseconds.
double tickMicroseconds(MainWindow& window)
{
    auto* timer = window.findChild<QTimer*>(QStringLiteral("Timer1"));
    const QMetaMethod timeout = QMetaMethod::fromSignal(&QTimer::timeout);
    std::vector<double> samples;
    samples.reserve(2000);
    for (int i = 0; i < 2000; ++i)
        samples.push_back(secondsOf([&] { timeout.invoke(timer, Qt::DirectConnection); }) * 1e6);
    return median(samples);
}

// The median time to type one character into the box and draw the result,
// in milliseconds. The characters are taken back after, so that the next
// measure types on a line of the same length (a longer line costs more).
double keystrokeMilliseconds(QPlainTextEdit* box)
{
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();
    std::vector<double> samples;
    samples.reserve(40);
    for (int i = 0; i < 40; ++i) {
        samples.push_back(secondsOf([&] {
                              QTest::keyClick(box, Qt::Key_A);
                              QCoreApplication::processEvents();
                          }) *
                          1000);
    }
    for (std::size_t i = 0; i < samples.size(); ++i)
        QTest::keyClick(box, Qt::Key_Backspace);
    QCoreApplication::processEvents();
    return median(samples);
}

// Opens the preview of the window with F5; the memory it keeps and the peak
// of opening it, in bytes.
std::pair<double, double> openPreview(MainWindow& window)
{
    window.activateWindow();  // F5 is a shortcut of the active window
    if (!QTest::qWaitForWindowActive(&window))
        std::abort();
    malloc_trim(0);
    const long before = statusKilobytes("VmRSS:");
    const double peak = peakExtraBytes([&] {
        QTest::keyClick(&window, Qt::Key_F5);
        QCoreApplication::processEvents();
    });
    malloc_trim(0);
    const double kept = double(statusKilobytes("VmRSS:") - before) * 1024;
    const auto windows = QApplication::topLevelWidgets();
    if (std::none_of(windows.begin(), windows.end(), [](const QWidget* shown) {
            return shown->objectName() == QLatin1String("FrmVistaPrevia") && shown->isVisible();
        }))
        std::abort();  // the preview did not open
    return {kept, peak};
}

// F5 on the window: the preview opens, or closes.
void togglePreview(MainWindow& window)
{
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window);
    QTest::keyClick(&window, Qt::Key_F5);
    QCoreApplication::processEvents();
}

// Keystrokes into the box with the preview open and closed, taken in turns
// (the preview opened at the start): each round's median, a pair.
struct OpenAndClosed {
    std::vector<double> open, closed;
};

OpenAndClosed keystrokesOpenAndClosed(MainWindow& window, QPlainTextEdit* box, int rounds)
{
    OpenAndClosed result;
    for (int i = 0; i < rounds; ++i) {
        result.open.push_back(keystrokeMilliseconds(box));
        togglePreview(window);
        result.closed.push_back(keystrokeMilliseconds(box));
        togglePreview(window);
    }
    return result;
}

BenchRow previewKeystrokeRow(const std::string& name, const OpenAndClosed& times)
{
    BenchRow row = pairedRow(name, times.open, times.closed, "ms", "<= 1.5 x and < 16 ms", 1.5);
    row.met = row.met && row.value < 16;
    return row;
}

// A keystroke into a 10 MB description with the marks, beside a box without
// them, and with the preview open beside it closed; what the preview keeps.
std::vector<BenchRow> previewRows(MainWindow& loaded, QPlainTextEdit* desc, int rounds)
{
    QPlainTextEdit bare;
    bare.setPlainText(desc->toPlainText());
    bare.show();
    std::vector<double> marked, unmarked;
    for (int i = 0; i < rounds; ++i) {
        marked.push_back(keystrokeMilliseconds(desc));
        unmarked.push_back(keystrokeMilliseconds(&bare));
    }
    const auto [kept, openPeak] = openPreview(loaded);
    const double documentSize = double(documentBytes(composeDocument(loaded.record())).size());
    const OpenAndClosed anyLine = keystrokesOpenAndClosed(loaded, desc, rounds);
    // Typed on the document's longest line, which grows with each key.
    desc->moveCursor(QTextCursor::End);
    desc->insertPlainText(u"\n"_qs + QString(4000, u'y'));
    QCoreApplication::processEvents();
    const OpenAndClosed longest = keystrokesOpenAndClosed(loaded, desc, rounds);
    togglePreview(loaded);
    return {
        pairedRow("that keystroke with its marks, vs a box without", marked, unmarked, "ms", "<= 1.2 x", 1.2),
        previewKeystrokeRow("that keystroke with the preview open, vs closed", anyLine),
        previewKeystrokeRow("a keystroke on the longest line, preview open, vs closed", longest),
        {"memory the open preview keeps, vs the document", kept / kMegabyte, documentSize / kMegabyte, "MiB",
         "about 1 x", kept <= 1.2 * documentSize},
        {"peak memory of opening the preview", openPeak / kMegabyte, documentSize / kMegabyte, "MiB", "<= 1.5 x",
         openPeak <= 1.5 * documentSize},
    };
}

std::vector<BenchRow> responsivenessRows(int rounds)
{
    const Edition edition = Edition::release11(nullptr);
    MainWindow empty(edition);
    empty.show();
    MainWindow loaded(edition);
    loaded.show();
    auto* desc = loaded.findChild<QPlainTextEdit*>(QStringLiteral("TxtDesc"));
    desc->setPlainText(textOf(10 * kMegabyte));
    QCoreApplication::processEvents();

    const double tick = tickMicroseconds(loaded), tickBase = tickMicroseconds(empty);
    const double key = keystrokeMilliseconds(desc);
    const double keyBase = keystrokeMilliseconds(empty.findChild<QPlainTextEdit*>(QStringLiteral("TxtDesc")));
    std::vector<BenchRow> rows = {
        {"tick of Timer1, description of 10 MB", tick, tickBase, "us", "< 50 us", tick < 50},
        {"one keystroke into a 10 MB description", key, keyBase, "ms", "< 16 ms", key < 16},
    };
    for (const BenchRow& row : previewRows(loaded, desc, rounds))
        rows.push_back(row);
    empty.setAttribute(Qt::WA_DeleteOnClose, false);
    loaded.setAttribute(Qt::WA_DeleteOnClose, false);
    return rows;
}

struct PasteTimes {
    double paste, keystroke, create;
};

// Pastes the text into an empty description the way ctrl+v does, types one
// character after it and writes the document, in milliseconds each.
PasteTimes pasteTimes(const QString& text, const QString& path)
{
    MainWindow window(Edition::release11(nullptr));
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    auto* desc = window.findChild<QPlainTextEdit*>(QStringLiteral("TxtDesc"));
    desc->setFocus();
    auto* data = new QMimeData;
    data->setText(text);
    QApplication::clipboard()->setMimeData(data);
    QCoreApplication::processEvents();
    PasteTimes times{};
    times.paste = secondsOf([&] {
                      desc->paste();
                      QCoreApplication::processEvents();
                  }) *
                  1000;
    times.keystroke = secondsOf([&] {
                          QTest::keyClick(desc, Qt::Key_A);
                          QCoreApplication::processEvents();
                      }) *
                      1000;
    times.create = secondsOf([&] { (void)writeDocument(path, window.record(), WriteMode::Replace); }) * 1000;
    return times;
}

// One line of a megabyte without a break, beside a megabyte of ordinary
// lines: the first used to take time that grew with the square of its length.
std::vector<BenchRow> longLineRows(int runs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trumi.txt"));
    const QString oneLine(kMegabyte, QLatin1Char('x'));
    const QString lines = textOf(kMegabyte);
    std::vector<double> paste, key, create, pasteBase, keyBase, createBase;
    for (int i = 0; i < runs; ++i) {
        const PasteTimes ours = pasteTimes(oneLine, path), base = pasteTimes(lines, path);
        paste.push_back(ours.paste);
        key.push_back(ours.keystroke);
        create.push_back(ours.create);
        pasteBase.push_back(base.paste);
        keyBase.push_back(base.keystroke);
        createBase.push_back(base.create);
    }
    const double p = median(paste), k = median(key), c = median(create);
    return {
        {"paste one 1 MB line into the description", p, median(pasteBase), "ms", "< 1000 ms", p < 1000},
        {"one keystroke after that line", k, median(keyBase), "ms", "< 1000 ms", k < 1000},
        {"Create with that line", c, median(createBase), "ms", "< 1000 ms", c < 1000},
    };
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    applyProgramLook();
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::string only = argc > 2 ? argv[2] : "";  // one group: create, in-place, open, keys or paste
    auto wanted = [&only](const char* group) { return only.empty() || only == group; };
    if (wanted("create"))
        printRows(createRows(runs));
    if (wanted("create") || only == "in-place")
        printRows(inPlaceRows(runs));
    if (wanted("open"))
        printRows(openRows(runs));
    if (wanted("keys"))
        printRows(responsivenessRows(runs));
    if (wanted("paste"))
        printRows(longLineRows(std::max(1, runs / 2)));
    return 0;
}
