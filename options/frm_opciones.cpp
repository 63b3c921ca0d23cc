// The options window's handlers, and the main window's Options command.
#include "options/frm_opciones.h"

#include "common/captions.h"
#include "common/controls.h"
#include "common/geometry.h"
#include "common/message_box.h"
#include "main_window/frm_trumi.h"
#include "options/licencias.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

FrmOpciones::FrmOpciones(const Edition& edition) : edition_(edition)
{
    buildLayout();
    connect(CmdGuardar, &QPushButton::clicked, this, &FrmOpciones::CmdGuardar_Click);
    connect(CmdAceptar, &QPushButton::clicked, this, &FrmOpciones::CmdAceptar_Click);
    Form_Load();
}

void FrmOpciones::Form_Load()
{
    if (!edition_.singleLanguage())
        applyCaptions(this, optionsWindowCaptions(), edition_);
    const QString path = configLicPath();
    if (!FileExist(path))
        return;
    const LicenciasLeidas leidas = LeerLicencias(path);
    if (leidas.error) {
        message_box::showError(this, *leidas.error);
        return;
    }
    TxtLicUso->setPlainText(leidas.texts->uso);
    TxtLicDist->setPlainText(leidas.texts->distribucion);
}

void FrmOpciones::CmdGuardar_Click()
{
    // A failed save keeps the window open with both texts, to try again.
    if (const auto error = GrabarLicencias(configLicPath(), {plainTextOf(TxtLicUso), plainTextOf(TxtLicDist)})) {
        message_box::showError(this, *error);
        return;
    }
    handOverAndClose();
}

void FrmOpciones::CmdAceptar_Click() { handOverAndClose(); }

void FrmOpciones::handOverAndClose()
{
    if (auto* main = loadedWindow<FrmTrumi>())
        main->setLicencias(plainTextOf(TxtLicUso), plainTextOf(TxtLicDist));
    close();
}

void FrmOpciones::closeEvent(QCloseEvent* event)
{
    // Whichever way this window goes (Save, Accept or the title-bar close,
    // which cancels), the main window is shown before it goes, so that the
    // program never finds itself without a visible window.
    if (auto* main = loadedWindow<FrmTrumi>())
        main->show();
    ProgramWindow::closeEvent(event);
}
