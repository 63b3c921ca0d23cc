// The main window's handlers: load, Create, Close and the polling timer.
#include "main_window/frm_trumi.h"

#include "common/captions.h"
#include "common/message_box.h"
#include "common/controls.h"
#include "document/escribir_trumi.h"
#include "main_window/save_dialog.h"
#include "options/frm_opciones.h"
#include "options/licencias.h"
#include "about/frmacercade.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

CheckState checkStateOf(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked:
        return CheckState::Ticked;
    case Qt::PartiallyChecked:
        return CheckState::Greyed;
    default:
        return CheckState::Clear;
    }
}

}  // namespace

FrmTrumi::FrmTrumi(const Edition& edition, QWidget* parent)
    : ProgramWindow(parent),
      edition_(edition),
      Dialogo(std::make_unique<QtSaveDialog>(edition.release)),
      dateFormat_(GeneralDateFormat::fromSystem())
{
    buildLayout();
    connect(CmdCrear, &QPushButton::clicked, this, &FrmTrumi::CmdCrear_Click);
    connect(CmdCerrar, &QPushButton::clicked, this, &FrmTrumi::CmdCerrar_Click);
    connect(CmdOpciones, &QPushButton::clicked, this, &FrmTrumi::CmdOpciones_Click);
    connect(CmdAcercade, &QPushButton::clicked, this, &FrmTrumi::CmdAcercade_Click);
    connect(Timer1, &QTimer::timeout, this, &FrmTrumi::Timer1_Tick);
    Form_Load();
    Timer1->start();
    TxtProducto->setFocus();
}

FrmTrumi::~FrmTrumi() = default;

void FrmTrumi::Form_Load()
{
    if (!edition_.singleLanguage())
        applyCaptions(this, mainWindowCaptions(), edition_);
    loadLicencias();

    Chk1->setCheckState(Qt::Unchecked);
    OpVer1->setChecked(true);
    OpVer1->setEnabled(false);
    OpVer2->setEnabled(false);
    const QDateTime now = QDateTime::currentDateTime();
    Calendario->setDateTime(QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second())));
}

void FrmTrumi::loadLicencias()
{
    const QString path = configLicPath();
    if (!FileExist(path))
        return;
    const LicenciasLeidas leidas = LeerLicencias(path);
    if (leidas.error)
        message_box::showError(this, *leidas.error);
    else
        setLicencias(leidas.texts->uso, leidas.texts->distribucion);
}

DatosTrumi FrmTrumi::datosDeVentana() const
{
    DatosTrumi datos;
    datos.Producto = TxtProducto->text();
    datos.Version = TxtVersion->text();
    datos.Estado = estadoFor(checkStateOf(Chk1), OpVer1->isChecked());
    datos.NomApe = TxtNomApe->text();
    datos.Email = TxtEmail->text();
    datos.Web = TxtWeb->text();
    datos.Fecha = generalDateText(Calendario->dateTime(), dateFormat_);
    datos.Desc = plainTextOf(TxtDesc);
    datos.Uso = plainTextOf(TxtUso);
    datos.Distribucion = plainTextOf(TxtDistribucion);
    return datos;
}

void FrmTrumi::CmdCrear_Click()
{
    NomArchivo = Dialogo->showSave(this);
    if (NomArchivo.isEmpty())
        return;
    const WriteMode mode = edition_.singleLanguage() ? WriteMode::Append : WriteMode::Replace;
    if (const auto error = EscribirTrumi(NomArchivo, datosDeVentana(), mode))
        message_box::showError(this, *error);
}

void FrmTrumi::CmdCerrar_Click() { close(); }

void FrmTrumi::CmdOpciones_Click()
{
    // The main window goes only once the options window is on the screen; it
    // stays loaded, with its contents and its running timer.
    auto* opciones = loadedWindow<FrmOpciones>();
    if (!opciones)
        opciones = new FrmOpciones(edition_);
    opciones->show();
    hide();
}

void FrmTrumi::CmdAcercade_Click()
{
    auto* acercade = loadedWindow<Frmacercade>();
    if (!acercade)
        acercade = new Frmacercade(edition_);
    acercade->show();
    acercade->raise();
    acercade->activateWindow();
}

void FrmTrumi::Timer1_Tick()
{
    const bool statusStated = Chk1->checkState() != Qt::Unchecked;
    OpVer1->setEnabled(statusStated);
    OpVer2->setEnabled(statusStated);
    CmdCrear->setEnabled(!TxtProducto->text().isEmpty() && !TxtVersion->text().isEmpty());
}

void FrmTrumi::setLicencias(const QString& uso, const QString& distribucion)
{
    TxtUso->setPlainText(uso);
    TxtDistribucion->setPlainText(distribucion);
}

void FrmTrumi::setSaveDialog(std::unique_ptr<SaveDialog> dialog) { Dialogo = std::move(dialog); }

void FrmTrumi::setDateFormat(const GeneralDateFormat& format) { dateFormat_ = format; }
