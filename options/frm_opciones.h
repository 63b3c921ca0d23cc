#pragma once

#include "common/edition.h"
#include "common/program_window.h"

class QPlainTextEdit;
class QPushButton;

// The options window: edits the two default licence texts kept in
// Config.lic. Save stores them, Accept only hands them over; both give them
// to the main window's licence boxes and bring the main window back.
class FrmOpciones : public ProgramWindow {
    Q_OBJECT

public:
    explicit FrmOpciones(const Edition& edition);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void setTabOrder();
    void Form_Load();
    void CmdGuardar_Click();
    void CmdAceptar_Click();
    void handOverAndClose();

    Edition edition_;
    QPlainTextEdit* TxtLicUso = nullptr;
    QPlainTextEdit* TxtLicDist = nullptr;
    QPushButton* CmdGuardar = nullptr;
    // Named FrmAceptar in the single-language release.
    QPushButton* CmdAceptar = nullptr;
};
