#include "window_start.h"

#include "main_window.h"
#include "program_look.h"
#include "toolkit_translation.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

#if defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace {

// The program's arguments as names. On Linux, the bytes given: a name need
// not be text. On Windows, the command line's own text: argv holds it in
// the ANSI code page, which cannot hold every name.
QList<FilePath> namesOf(int argc, char** argv)
{
    QList<FilePath> names;
#ifdef Q_OS_WIN
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    for (const QString& argument : QCoreApplication::arguments().mid(1))
        names.append(FilePath(argument));
#else
    for (int i = 1; i < argc; ++i)
        names.append(FilePath::fromNative(QByteArray(argv[i])));
#endif
    return names;
}

// The document named on the command line ("Open with" in a file manager);
// Qt's own options are gone by then. After "--" an argument is a name even
// where it starts with '-'.
FilePath documentArgument(int argc, char** argv)
{
    bool optionsEnded = false;
    for (const FilePath& name : namesOf(argc, argv)) {
        const QByteArray& argument = name.native();
        if (!optionsEnded && argument == "--")
            optionsEnded = true;
        else if (optionsEnded || !argument.startsWith('-'))
            return name;
    }
    return {};
}

}  // namespace

int startWindow(int argc, char** argv, const Edition& edition)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trumi-editor"));
    applyProgramLook();
    // The toolkit's own dialogs and their dates and numbers speak the
    // program's language; the document's date keeps the system's format.
    const QString language = edition.toolkitLanguage();  // reads the language file
    useToolkitLanguage(language);
    QLocale::setDefault(QLocale(language));
    auto* main = new MainWindow(edition);
    main->show();
    if (const FilePath document = documentArgument(argc, argv); !document.isEmpty())
        QTimer::singleShot(0, main, [main, document] { main->openDocument(document); });
    return app.exec();
}

int startWindowInProcess(int argc, char** argv, const Edition& edition)
{
#if defined(Q_OS_WIN)
    // Held while the program runs, so that the installer can tell it is
    // running and not replace or remove it halfway.
    ::CreateMutexW(nullptr, FALSE, L"TrumiEditorRunning");
#endif
    return startWindow(argc, argv, edition);
}
