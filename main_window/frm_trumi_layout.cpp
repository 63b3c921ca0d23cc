// The main window's definition: every element at its place and size, with
// its fixed properties. What the window does is in frm_trumi.cpp.
#include "main_window/frm_trumi.h"

#include "common/captions.h"
#include "common/credits.h"
#include "common/focus_highlight.h"
#include "common/geometry.h"
#include "common/controls.h"
#include "main_window/date_picker.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

template <typename Button>
Button* addChoice(QWidget* parent, const QString& name, const QRect& area)
{
    auto* choice = new Button(parent);
    choice->setObjectName(name);
    choice->setGeometry(area);
    paintWhite(choice);
    return choice;
}

}  // namespace

void FrmTrumi::buildLayout()
{
    setObjectName(QStringLiteral("FrmTrumi"));
    setUpFixedWindow(this, 12780, 9825, true);
    setWindowTitle(credits::mainWindowTitle(edition_.versionText()));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/main_icon.png")));

    buildButtons();
    addPicture(this, QStringLiteral("Image4"), QStringLiteral(":/pictures/options_icon.png"), twipsRect(1440, 360, 480, 480));
    addPicture(this, QStringLiteral("Image5"), QStringLiteral(":/pictures/about_icon.png"), twipsRect(1440, 960, 480, 480));
    addPicture(this, QStringLiteral("Image1"), QStringLiteral(":/pictures/strip.png"), twipsRect(1680, 2280, 945, 6375));
    buildFrame1();
    buildFrame2();
    buildFrame3();
    buildFrame4();
    setTabOrder();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);

    highlight_ = new FocusHighlight(FocusHighlight::paleYellow(), Qt::white, this);
    for (QWidget* box : std::initializer_list<QWidget*>{TxtProducto, TxtVersion, TxtNomApe, TxtEmail, TxtWeb, TxtDesc,
                                                        TxtUso, TxtDistribucion})
        highlight_->watch(box);

    if (edition_.singleLanguage())
        applyCaptions(this, mainWindowCaptions(), edition_);
}

void FrmTrumi::buildButtons()
{
    CmdOpciones = addButton(this, QStringLiteral("CmdOpciones"), twipsRect(120, 360, 1095, 495));
    CmdAcercade = addButton(this, QStringLiteral("CmdAcercade"), twipsRect(120, 960, 1095, 495));
    CmdCerrar = addButton(this, QStringLiteral("CmdCerrar"), twipsRect(120, 1560, 1095, 495));
    CmdCrear = addButton(this, QStringLiteral("CmdCrear"), twipsRect(1200, 9000, 1335, 615));
}

void FrmTrumi::buildFrame1()
{
    Frame1 = addFrame(this, QStringLiteral("Frame1"), twipsRect(2640, 1200, 4935, 2535));
    TxtProducto = addLineBox(Frame1, QStringLiteral("TxtProducto"), twipsRect(2040, 960, 2535, 285));
    TxtProducto->setToolTip(QStringLiteral("Nombre del producto sin la versión."));
    TxtVersion = addLineBox(Frame1, QStringLiteral("TxtVersion"), twipsRect(2040, 1320, 615, 285));
    TxtVersion->setToolTip(QStringLiteral("Versión del producto."));
    addLabel(Frame1, QStringLiteral("Label1"), twipsRect(360, 360, 4215, 375));
    addLabel(Frame1, QStringLiteral("Label2"), twipsRect(360, 960, 1575, 255), TxtProducto);
    addLabel(Frame1, QStringLiteral("Label3"), twipsRect(360, 1320, 1575, 255), TxtVersion);
    Chk1 = addChoice<QCheckBox>(Frame1, QStringLiteral("Chk1"), twipsRect(360, 1680, 4215, 255));
    OpVer1 = addChoice<QRadioButton>(Frame1, QStringLiteral("OpVer1"), twipsRect(360, 2040, 1455, 255));
    OpVer2 = addChoice<QRadioButton>(Frame1, QStringLiteral("OpVer2"), twipsRect(1920, 2040, 1695, 255));
}

void FrmTrumi::buildFrame2()
{
    Frame2 = addFrame(this, QStringLiteral("Frame2"), twipsRect(2640, 3840, 4935, 2775));
    TxtNomApe = addLineBox(Frame2, QStringLiteral("TxtNomApe"), twipsRect(1920, 960, 2655, 285));
    TxtNomApe->setToolTip(QStringLiteral("Nombre y apellidos del autor."));
    TxtEmail = addLineBox(Frame2, QStringLiteral("TxtEmail"), twipsRect(1920, 1320, 2655, 285));
    TxtEmail->setToolTip(QStringLiteral("Dirección de correo electrónico."));
    TxtWeb = addLineBox(Frame2, QStringLiteral("TxtWeb"), twipsRect(1920, 1680, 2655, 285));

    Calendario = new DatePicker(Frame2);
    Calendario->setObjectName(QStringLiteral("Calendario"));
    Calendario->setGeometry(twipsRect(1920, 2040, 2655, 375));
    Calendario->setDateTime(QDateTime(QDate(2004, 6, 1), QTime(0, 0)));

    if (!edition_.singleLanguage()) {
        TxtWeb->setToolTip(QStringLiteral("Página web del autor y/o actualizaciones."));
        Calendario->setToolTip(QStringLiteral("Fecha de creación del producto."));
    }
    addLabel(Frame2, QStringLiteral("Label4"), twipsRect(360, 360, 4335, 375));
    addLabel(Frame2, QStringLiteral("Label5"), twipsRect(360, 960, 1455, 255), TxtNomApe);
    addLabel(Frame2, QStringLiteral("Label6"), twipsRect(360, 1320, 1455, 255), TxtEmail);
    addLabel(Frame2, QStringLiteral("Label7"), twipsRect(360, 1680, 1455, 255), TxtWeb);
    addLabel(Frame2, QStringLiteral("Label8"), twipsRect(360, 2040, 1455, 255), Calendario);
}

void FrmTrumi::buildFrame3()
{
    const int promptWidth = edition_.singleLanguage() ? 1815 : 4335;
    Frame3 = addFrame(this, QStringLiteral("Frame3"), twipsRect(7680, 1200, 4935, 5415));
    TxtUso = addMultiLineBox(Frame3, QStringLiteral("TxtUso"), twipsRect(360, 1200, 4335, 1575));
    TxtDistribucion = addMultiLineBox(Frame3, QStringLiteral("TxtDistribucion"), twipsRect(360, 3240, 4335, 1815));
    addLabel(Frame3, QStringLiteral("Label9"), twipsRect(360, 360, 4335, 375));
    addLabel(Frame3, QStringLiteral("Label10"), twipsRect(360, 960, promptWidth, 255), TxtUso);
    addLabel(Frame3, QStringLiteral("Label11"), twipsRect(360, 3000, promptWidth, 255), TxtDistribucion);
}

void FrmTrumi::buildFrame4()
{
    Frame4 = addFrame(this, QStringLiteral("Frame4"), twipsRect(2640, 6720, 9975, 2895));
    TxtDesc = addMultiLineBox(Frame4, QStringLiteral("TxtDesc"), twipsRect(360, 720, 9375, 1935));
    addLabel(Frame4, QStringLiteral("Label12"), twipsRect(360, 360, edition_.singleLanguage() ? 2655 : 6495, 255), TxtDesc);
}

void FrmTrumi::setTabOrder()
{
    QWidget* const order[] = {TxtProducto, TxtVersion, Chk1,   OpVer1,          OpVer2,  TxtNomApe,
                              TxtEmail,    TxtWeb,     Calendario, TxtUso, TxtDistribucion, TxtDesc,
                              CmdCrear,    CmdOpciones, CmdAcercade, CmdCerrar};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
