#pragma once

// Helpers for tests of the windows.

#include "captions.h"
#include "file_dialogs.h"
#include "program_look.h"
#include "program_window.h"
#include "test_files.h"

#include <QApplication>
#include <QStringList>
#include <QTest>

// Answers the Save and Open dialogs with preset paths, one per show; an
// exhausted queue answers as a cancel.
class PresetFileDialogs : public FileDialogs {
public:
    explicit PresetFileDialogs(QStringList saveAnswers, QStringList openAnswers = {})
        : saveAnswers_(std::move(saveAnswers)), openAnswers_(std::move(openAnswers))
    {
    }
    SaveTarget showSave(QWidget*) override
    {
        ++shows_;
        const QString path = saveAnswers_.isEmpty() ? QString() : saveAnswers_.takeFirst();
        return {path, kindOfName(path)};
    }
    QString showOpen(QWidget*, const QString& title) override
    {
        openTitle_ = title;
        return openAnswers_.isEmpty() ? QString() : openAnswers_.takeFirst();
    }
    void proposeForSave(const QString& folder, const QString& name) override
    {
        proposedFolder_ = folder;
        proposed_ = name.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
    }

    int shows() const { return shows_; }
    const QString& openTitle() const { return openTitle_; }
    // The file proposed to the next Save dialog, or empty; and its folder.
    const QString& proposed() const { return proposed_; }
    const QString& proposedFolder() const { return proposedFolder_; }

private:
    QStringList saveAnswers_;
    QStringList openAnswers_;
    int shows_ = 0;
    QString openTitle_;
    QString proposed_;
    QString proposedFolder_;
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

    // Exactly one message, and it reports the error of that number.
    bool isOneError(int number) const;

private:
    QStringList messages_;
};

// The element of that object name inside the window.
template <typename T = QWidget>
T* elementOf(const QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

// Gives the window the keyboard, as a user's click on it would.
bool activate(QWidget* window);

// Like QTEST_MAIN, with the program's look applied as the program does.
#define TRUMI_TEST_MAIN(TestObject)                                                                                    \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        applyProgramLook();                                                                                            \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject test;                                                                                               \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
