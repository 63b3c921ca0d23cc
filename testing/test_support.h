#pragma once

#include "common/geometry.h"
#include "main_window/save_dialog.h"

#include <QApplication>
#include <QTest>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Answers the Save dialog with preset paths, one per show; an exhausted
// queue answers as a cancel.
class PresetSaveDialog : public SaveDialog {
public:
    explicit PresetSaveDialog(QStringList answers) : answers_(std::move(answers)) {}
    QString showSave(QWidget*) override
    {
        ++shows_;
        return answers_.isEmpty() ? QString() : answers_.takeFirst();
    }
    int shows() const { return shows_; }

private:
    QStringList answers_;
    int shows_ = 0;
};

// Collects the program's error messages for as long as it lives, instead of
// showing them modally.
class RecordedMessages {
public:
    RecordedMessages();
    ~RecordedMessages();
    RecordedMessages(const RecordedMessages&) = delete;
    RecordedMessages& operator=(const RecordedMessages&) = delete;
    const QStringList& all() const { return messages_; }

private:
    QStringList messages_;
};

// A temporary program folder that the program uses while this lives.
class TemporaryProgramFolder {
public:
    TemporaryProgramFolder();
    ~TemporaryProgramFolder();
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);

// A private node of the full device (every write fails with "no space"), or
// the empty text where this process may not make device nodes.
QString makeFullDevice(const QString& folder);

// While it lives, file access is checked as for an ordinary user, so that a
// read-only file refuses writing even to root.
class UnprivilegedFileAccess {
public:
    UnprivilegedFileAccess();
    ~UnprivilegedFileAccess();
    UnprivilegedFileAccess(const UnprivilegedFileAccess&) = delete;
    UnprivilegedFileAccess& operator=(const UnprivilegedFileAccess&) = delete;

private:
    int previousGroup_;
    int previousUser_;
};

// Like QTEST_MAIN, with the program's look applied as the program does.
#define TRUMI_TEST_MAIN(TestObject)                        \
    int main(int argc, char** argv)                        \
    {                                                      \
        QApplication app(argc, argv);                      \
        applyProgramLook();                                \
        app.setAttribute(Qt::AA_Use96Dpi, true);           \
        TestObject test;                                   \
        QTEST_SET_MAIN_SOURCE_PATH                         \
        return QTest::qExec(&test, argc, argv);            \
    }
