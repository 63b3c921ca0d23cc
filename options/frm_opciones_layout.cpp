// The options window's definition: every element at its place and size.
#include "options/frm_opciones.h"

#include "common/captions.h"
#include "common/controls.h"
#include "common/focus_highlight.h"
#include "common/geometry.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

void makeTitle(QLabel* title)
{
    QFont font = serifFont(24);
    title->setFont(font);
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, QColor(192, 0, 0));
    title->setPalette(palette);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

}  // namespace

void FrmOpciones::buildLayout()
{
    const bool single = edition_.singleLanguage();
    setObjectName(QStringLiteral("FrmOpciones"));
    setUpFixedWindow(this, 9600, 6540, true);
    setWindowIcon(iconOf(QStringLiteral(":/pictures/options_icon16.png"), QStringLiteral(":/pictures/options_icon.png")));

    addPicture(this, QStringLiteral("Image1"), QStringLiteral(":/pictures/options_icon.png"), twipsRect(120, 240, 480, 480));
    makeTitle(addLabel(this, QStringLiteral("Label3"), twipsRect(600, 240, 2415, 495)));
    if (!single)
        addLabel(this, QStringLiteral("Label4"), twipsRect(120, 840, 2175, 975));

    auto* frame = addFrame(this, QStringLiteral("Frame1"), twipsRect(3120, 960, 6375, 4815));
    TxtLicUso = addMultiLineBox(frame, QStringLiteral("TxtLicUso"), twipsRect(360, 600, 5775, 1695));
    TxtLicDist = addMultiLineBox(frame, QStringLiteral("TxtLicDist"), twipsRect(360, 2760, 5775, 1695));
    setBoxColour(TxtLicDist, Qt::white);
    addLabel(frame, QStringLiteral("Label1"), twipsRect(360, 360, single ? 1215 : 5775, 255), TxtLicUso);
    addLabel(frame, QStringLiteral("Label2"), single ? twipsRect(360, 2400, 1815, 255) : twipsRect(360, 2520, 5775, 255),
             TxtLicDist);

    CmdGuardar = addButton(this, QStringLiteral("CmdGuardar"), twipsRect(7320, 5880, 975, 495));
    CmdAceptar = addButton(this, single ? QStringLiteral("FrmAceptar") : QStringLiteral("CmdAceptar"),
                           twipsRect(8400, 5880, 975, 495));
    setTabOrder();

    // The boxes return to the system's window colour, not to white.
    auto* highlight = new FocusHighlight(FocusHighlight::paleYellow(), QColor(), this);
    highlight->watch(TxtLicUso);
    highlight->watch(TxtLicDist);

    if (single)
        applyCaptions(this, optionsWindowCaptions(), edition_);
}

void FrmOpciones::setTabOrder()
{
    QWidget::setTabOrder(CmdAceptar, TxtLicUso);
    QWidget::setTabOrder(TxtLicUso, TxtLicDist);
    QWidget::setTabOrder(TxtLicDist, CmdGuardar);
    CmdAceptar->setFocus();
}
