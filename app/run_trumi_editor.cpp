#include "app/run_trumi_editor.h"

#include "common/geometry.h"
#include "main_window/frm_trumi.h"

#include <QApplication>

int runTrumiEditor(int argc, char** argv, Release release, const CaptionSource* captions)
{
    QApplication app(argc, argv);
    applyProgramLook();
    auto* main = new FrmTrumi(Edition{release, captions});
    main->show();
    return app.exec();
}
