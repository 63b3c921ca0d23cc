#include "trumi_editor.h"

#include "geometry.h"
#include "main_window.h"

#include <QApplication>

int runTrumiEditor(int argc, char** argv, const Edition& edition)
{
    QApplication app(argc, argv);
    applyProgramLook();
    auto* main = new MainWindow(edition);
    main->show();
    return app.exec();
}
