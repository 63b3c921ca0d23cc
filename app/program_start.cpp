#include "program_start.h"

#include "command_line.h"
#include "main_window.h"
#include "program_look.h"
#include "toolkit_translation.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>

namespace {

// The document named on the command line ("Open with" in a file manager),
// taken as the bytes it was given; Qt's own options are gone by then. After
// "--" an argument is a name even where it starts with '-'.
FilePath documentArgument(int argc, char** argv)
{
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        if (!optionsEnded && argument == "--")
            optionsEnded = true;
        else if (optionsEnded || !argument.startsWith('-'))
            return FilePath::fromNative(argument.toByteArray());
    }
    return {};
}

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

}  // namespace

int startProgram(int argc, char** argv, const Edition& edition)
{
    if (wantsCommandLine(argumentsOf(argc, argv))) {
        // No window, so no display: a CI job or a session over ssh will do.
        const QCoreApplication app(argc, argv);
        installToolkitTranslation(edition.toolkitLanguage());  // the parser's own messages
        return runCommandLine(QCoreApplication::arguments().mid(1), edition, processStreams());
    }
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
