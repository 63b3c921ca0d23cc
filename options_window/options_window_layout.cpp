// The options window's definition: every element at its place and size.
#include "options_window.h"

#include "captions.h"
#include "controls.h"
#include "focus_highlight.h"
#include "geometry.h"
#include "program_look.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// What the two releases' definitions of this window differ in.
struct Variant {
    bool hasExplanation;  // a line of text under the title
    QRect useLabel;
    QRect distributionLabel;
    QString acceptName;
    QList<Caption> fixedCaptions;
};

const Variant& variantFor(Edition::Layout layout)
{
    static const Variant translatable = {
        true, twipsRect(360, 360, 5775, 255), twipsRect(360, 2520, 5775, 255), QStringLiteral("CmdAceptar"), {}};
    static const Variant singleLanguage = {false,
                                           twipsRect(360, 360, 1215, 255),
                                           twipsRect(360, 2400, 1815, 255),
                                           QStringLiteral("FrmAceptar"),
                                           {{QString(), QStringLiteral("Opciones")},
                                            {QStringLiteral("Label3"), QStringLiteral("OPCIONES")},
                                            {QStringLiteral("Frame1"), QStringLiteral("Licencias")},
                                            {QStringLiteral("Label1"), QStringLiteral("Licencia de uso:")},
                                            {QStringLiteral("Label2"), QStringLiteral("Licencia de distribución:")},
                                            {QStringLiteral("CmdGuardar"), QStringLiteral("&Guardar")},
                                            {QStringLiteral("FrmAceptar"), QStringLiteral("&Aceptar")}}};
    return variantOf(layout, translatable, singleLanguage);
}

void makeTitle(QLabel* title)
{
    title->setFont(serifFont(24));
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, QColor(192, 0, 0));
    title->setPalette(palette);
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

}  // namespace

void OptionsWindow::buildLayout()
{
    const Variant& variant = variantFor(edition_.layout());
    setObjectName(QStringLiteral("FrmOpciones"));
    setUpFixedWindow(this, 9600, 6540, true);
    setWindowIcon(
        iconOf(QStringLiteral(":/pictures/options_icon16.png"), QStringLiteral(":/pictures/options_icon.png")));

    addPicture(this, QStringLiteral("Image1"), QStringLiteral(":/pictures/options_icon.png"),
               twipsRect(120, 240, 480, 480));
    makeTitle(addLabel(this, QStringLiteral("Label3"), twipsRect(600, 240, 2415, 495)));
    if (variant.hasExplanation)
        addLabel(this, QStringLiteral("Label4"), twipsRect(120, 840, 2175, 975));

    auto* group = addFrame(this, QStringLiteral("Frame1"), twipsRect(3120, 960, 6375, 4815));
    useLicenceEdit_ = addMultiLineBox(group, QStringLiteral("TxtLicUso"), twipsRect(360, 600, 5775, 1695));
    distributionLicenceEdit_ = addMultiLineBox(group, QStringLiteral("TxtLicDist"), twipsRect(360, 2760, 5775, 1695));
    setBoxColour(distributionLicenceEdit_, Qt::white);
    addLabel(group, QStringLiteral("Label1"), variant.useLabel, useLicenceEdit_);
    addLabel(group, QStringLiteral("Label2"), variant.distributionLabel, distributionLicenceEdit_);

    saveButton_ = addButton(this, QStringLiteral("CmdGuardar"), twipsRect(7320, 5880, 975, 495));
    acceptButton_ = addButton(this, variant.acceptName, twipsRect(8400, 5880, 975, 495));
    setUpTabOrder();

    // The boxes return to the system's window colour, not to white.
    auto* highlight = new FocusHighlight(FocusHighlight::paleYellow(), QColor(), this);
    highlight->watch(useLicenceEdit_);
    highlight->watch(distributionLicenceEdit_);
}

QList<Caption> OptionsWindow::fixedCaptions() const { return variantFor(edition_.layout()).fixedCaptions; }

void OptionsWindow::setUpTabOrder()
{
    QWidget::setTabOrder(acceptButton_, useLicenceEdit_);
    QWidget::setTabOrder(useLicenceEdit_, distributionLicenceEdit_);
    QWidget::setTabOrder(distributionLicenceEdit_, saveButton_);
    acceptButton_->setFocus();
}
