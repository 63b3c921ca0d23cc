#include "trumi_editor.h"

#include "geometry.h"
#include "main_window.h"
#include "toolkit_translation.h"

#include <QApplication>
#include <QTimer>

namespace {

// The document named on the command line ("Open with" in a file manager),
// taken as the bytes it was given; Qt's own options are gone by then.
FilePath documentArgument(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-')
            return FilePath::fromNative(argv[i]);
    }
    return {};
}

}  // namespace

int runTrumiEditor(int argc, char** argv, const Edition& edition)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trumi-editor"));
    applyProgramLook();
    installToolkitTranslation(edition.toolkitLanguage());
    auto* main = new MainWindow(edition);
    main->show();
    if (const FilePath document = documentArgument(argc, argv); !document.isEmpty())
        QTimer::singleShot(0, main, [main, document] { main->openDocument(document); });
    return app.exec();
}
