#pragma once

#include "common/edition.h"
#include "common/program_window.h"
#include "document/datos_trumi.h"
#include "document/fecha_general.h"

#include <memory>

class FocusHighlight;
class QCheckBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class SaveDialog;

// The main window: the form on which the author describes the product, the
// Create command that writes the read-me document, and the Options, About
// and Close commands.
class FrmTrumi : public ProgramWindow {
    Q_OBJECT

public:
    explicit FrmTrumi(const Edition& edition, QWidget* parent = nullptr);
    ~FrmTrumi() override;

    // The record Create writes, read from the window's current values.
    DatosTrumi datosDeVentana() const;

    // The two licence boxes, as the options window hands its texts over.
    void setLicencias(const QString& uso, const QString& distribucion);

    void setSaveDialog(std::unique_ptr<SaveDialog> dialog);
    void setDateFormat(const GeneralDateFormat& format);

    // The last path Create was given (empty after a cancelled run).
    QString nomArchivo() const { return NomArchivo; }

private:
    void buildLayout();
    void buildButtons();
    void buildFrame1();
    void buildFrame2();
    void buildFrame3();
    void buildFrame4();
    void setTabOrder();

    void Form_Load();
    void loadLicencias();
    void CmdCrear_Click();
    void CmdCerrar_Click();
    void CmdOpciones_Click();
    void CmdAcercade_Click();
    void Timer1_Tick();

    Edition edition_;
    std::unique_ptr<SaveDialog> Dialogo;
    GeneralDateFormat dateFormat_;
    QString NomArchivo;

    QPushButton* CmdOpciones = nullptr;
    QPushButton* CmdAcercade = nullptr;
    QPushButton* CmdCerrar = nullptr;
    QPushButton* CmdCrear = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLineEdit* TxtProducto = nullptr;
    QLineEdit* TxtVersion = nullptr;
    QCheckBox* Chk1 = nullptr;
    QRadioButton* OpVer1 = nullptr;
    QRadioButton* OpVer2 = nullptr;
    QLineEdit* TxtNomApe = nullptr;
    QLineEdit* TxtEmail = nullptr;
    QLineEdit* TxtWeb = nullptr;
    QDateTimeEdit* Calendario = nullptr;
    QPlainTextEdit* TxtUso = nullptr;
    QPlainTextEdit* TxtDistribucion = nullptr;
    QPlainTextEdit* TxtDesc = nullptr;
    QTimer* Timer1 = nullptr;
    FocusHighlight* highlight_ = nullptr;
};
