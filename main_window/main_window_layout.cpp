// The main window's definition: every element at its place and size, with
// its fixed properties. What the window does is in main_window.cpp.
#include "main_window.h"

#include "controls.h"
#include "credits.h"
#include "date_picker.h"
#include "focus_highlight.h"
#include "geometry.h"
#include "program_look.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

// What the two releases' definitions of this window differ in: release 1.0
// has narrower prompts, no tooltip on the web page and the date, and fixed
// Spanish captions; release 1.1's captions are blank until it loads.
struct Variant {
    int licencePromptWidth;      // the prompts of both licence boxes
    int descriptionPromptWidth;  // the prompt of the description box
    bool webAndDateTooltips;
    QList<Caption> fixedCaptions;
};

QList<Caption> spanishCaptions()
{
    return {
        {QStringLiteral("CmdOpciones"), QStringLiteral("&Opciones")},
        {QStringLiteral("CmdAcercade"), QStringLiteral("&Acerca de...")},
        {QStringLiteral("CmdCerrar"), QStringLiteral("&Salir")},
        {QStringLiteral("Frame1"), QStringLiteral("Título y versión")},
        {QStringLiteral("Label1"),
         QStringLiteral("Establece el nombre del producto, la versión y el estado de la versión.")},
        {QStringLiteral("Label2"), QStringLiteral("Nombre del producto:")},
        {QStringLiteral("Label3"), QStringLiteral("Versión del producto:")},
        {QStringLiteral("Chk1"), QStringLiteral("Especificar estado de la versión. ( Si / No )")},
        {QStringLiteral("OpVer1"), QStringLiteral("Versión Final")},
        {QStringLiteral("OpVer2"), QStringLiteral("Versión Beta")},
        {QStringLiteral("Frame2"), QStringLiteral("Datos del autor")},
        {QStringLiteral("Label4"),
         QStringLiteral("Establece el nombre del autor, su E-Mail, página Web y la fecha de creación del producto.")},
        {QStringLiteral("Label5"), QStringLiteral("Nombre y apellidos:")},
        {QStringLiteral("Label6"), QStringLiteral("Dirección E-Mail:")},
        {QStringLiteral("Label7"), QStringLiteral("Página Web:")},
        {QStringLiteral("Label8"), QStringLiteral("Fecha de Creación:")},
        {QStringLiteral("Frame4"), QStringLiteral("Descripción del producto e instalación")},
        {QStringLiteral("Label12"), QStringLiteral("Establece la descripión del producto:")},
        {QStringLiteral("Frame3"), QStringLiteral("Licencia de uso y distribución")},
        {QStringLiteral("Label9"),
         QStringLiteral("Establece las condiciones de uso y distribución que el autor especifica.")},
        {QStringLiteral("Label10"), QStringLiteral("Licencia de uso:")},
        {QStringLiteral("Label11"), QStringLiteral("Licencia de distrubución:")},
        {QStringLiteral("CmdCrear"), QStringLiteral("&Crear Trumi")},
    };
}

const Variant& variantFor(Edition::Layout layout)
{
    static const Variant translatable = {4335, 6495, true, {}};
    static const Variant singleLanguage = {1815, 2655, false, spanishCaptions()};
    return variantOf(layout, translatable, singleLanguage);
}

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

QList<Caption> MainWindow::fixedCaptions() const { return variantFor(edition_.layout()).fixedCaptions; }

void MainWindow::buildLayout()
{
    setObjectName(QStringLiteral("FrmTrumi"));
    setUpFixedWindow(this, 12780, 9825, true);
    setWindowTitle(credits::mainWindowTitle(edition_.versionText()));
    setWindowIcon(iconOf(QStringLiteral(":/pictures/main_icon.png")));

    buildButtons();
    addPicture(this, QStringLiteral("Image4"), QStringLiteral(":/pictures/options_icon.png"),
               twipsRect(1440, 360, 480, 480));
    addPicture(this, QStringLiteral("Image5"), QStringLiteral(":/pictures/about_icon.png"),
               twipsRect(1440, 960, 480, 480));
    addStrip(this, QStringLiteral("Image1"), QStringLiteral(":/pictures/strip.png"), twipsRect(1680, 2280, 945, 6375));
    buildTitleGroup();
    buildAuthorGroup();
    buildLicenceGroup();
    buildDescriptionGroup();
    bindStatusAndDate();
    setUpTabOrder();

    pollTimer_ = new QTimer(this);
    pollTimer_->setObjectName(QStringLiteral("Timer1"));
    pollTimer_->setInterval(100);
    setUpFocusHighlight();
}

void MainWindow::buildButtons()
{
    optionsButton_ = addButton(this, QStringLiteral("CmdOpciones"), twipsRect(120, 360, 1095, 495));
    aboutButton_ = addButton(this, QStringLiteral("CmdAcercade"), twipsRect(120, 960, 1095, 495));
    closeButton_ = addButton(this, QStringLiteral("CmdCerrar"), twipsRect(120, 1560, 1095, 495));
    createButton_ = addButton(this, QStringLiteral("CmdCrear"), twipsRect(1200, 9000, 1335, 615));
    createButton_->setToolTip(texts_.text(TextId::CreateTip));
}

void MainWindow::buildTitleGroup()
{
    titleGroup_ = addFrame(this, QStringLiteral("Frame1"), twipsRect(2640, 1200, 4935, 2535));
    productEdit_ = addLineBox(titleGroup_, QStringLiteral("TxtProducto"), twipsRect(2040, 960, 2535, 285));
    productEdit_->setToolTip(texts_.text(TextId::ProductTip));
    versionEdit_ = addLineBox(titleGroup_, QStringLiteral("TxtVersion"), twipsRect(2040, 1320, 615, 285));
    versionEdit_->setToolTip(texts_.text(TextId::VersionTip));
    addLabel(titleGroup_, QStringLiteral("Label1"), twipsRect(360, 360, 4215, 375));
    addLabel(titleGroup_, QStringLiteral("Label2"), twipsRect(360, 960, 1575, 255), productEdit_);
    addLabel(titleGroup_, QStringLiteral("Label3"), twipsRect(360, 1320, 1575, 255), versionEdit_);
    statusCheck_ = addChoice<QCheckBox>(titleGroup_, QStringLiteral("Chk1"), twipsRect(360, 1680, 4215, 255));
    finalOption_ = addChoice<QRadioButton>(titleGroup_, QStringLiteral("OpVer1"), twipsRect(360, 2040, 1455, 255));
    betaOption_ = addChoice<QRadioButton>(titleGroup_, QStringLiteral("OpVer2"), twipsRect(1920, 2040, 1695, 255));
    bindField(&DocumentRecord::product, productEdit_);
    bindField(&DocumentRecord::version, versionEdit_);
}

void MainWindow::buildAuthorGroup()
{
    authorGroup_ = addFrame(this, QStringLiteral("Frame2"), twipsRect(2640, 3840, 4935, 2775));
    authorEdit_ = addLineBox(authorGroup_, QStringLiteral("TxtNomApe"), twipsRect(1920, 960, 2655, 285));
    authorEdit_->setToolTip(texts_.text(TextId::AuthorTip));
    emailEdit_ = addLineBox(authorGroup_, QStringLiteral("TxtEmail"), twipsRect(1920, 1320, 2655, 285));
    emailEdit_->setToolTip(texts_.text(TextId::EmailTip));
    webEdit_ = addLineBox(authorGroup_, QStringLiteral("TxtWeb"), twipsRect(1920, 1680, 2655, 285));

    datePicker_ = new DatePicker(authorGroup_, QLocale(edition_.toolkitLanguage()));
    datePicker_->setObjectName(QStringLiteral("Calendario"));
    datePicker_->setGeometry(twipsRect(1920, 2040, 2655, 375));
    datePicker_->setDateTime(QDateTime(QDate(2004, 6, 1), QTime(0, 0)));

    if (variantFor(edition_.layout()).webAndDateTooltips) {
        webEdit_->setToolTip(texts_.text(TextId::WebTip));
        datePicker_->setToolTip(texts_.text(TextId::DateTip));
    }
    bindField(&DocumentRecord::author, authorEdit_);
    bindField(&DocumentRecord::email, emailEdit_);
    bindField(&DocumentRecord::web, webEdit_);
    addLabel(authorGroup_, QStringLiteral("Label4"), twipsRect(360, 360, 4335, 375));
    addLabel(authorGroup_, QStringLiteral("Label5"), twipsRect(360, 960, 1455, 255), authorEdit_);
    addLabel(authorGroup_, QStringLiteral("Label6"), twipsRect(360, 1320, 1455, 255), emailEdit_);
    addLabel(authorGroup_, QStringLiteral("Label7"), twipsRect(360, 1680, 1455, 255), webEdit_);
    addLabel(authorGroup_, QStringLiteral("Label8"), twipsRect(360, 2040, 1455, 255), datePicker_);
}

void MainWindow::buildLicenceGroup()
{
    const int promptWidth = variantFor(edition_.layout()).licencePromptWidth;
    licenceGroup_ = addFrame(this, QStringLiteral("Frame3"), twipsRect(7680, 1200, 4935, 5415));
    useLicenceEdit_ = addMultiLineBox(licenceGroup_, QStringLiteral("TxtUso"), twipsRect(360, 1200, 4335, 1575));
    distributionLicenceEdit_ =
        addMultiLineBox(licenceGroup_, QStringLiteral("TxtDistribucion"), twipsRect(360, 3240, 4335, 1815));
    bindField(&DocumentRecord::useLicence, useLicenceEdit_);
    bindField(&DocumentRecord::distributionLicence, distributionLicenceEdit_);
    addLabel(licenceGroup_, QStringLiteral("Label9"), twipsRect(360, 360, 4335, 375));
    addLabel(licenceGroup_, QStringLiteral("Label10"), twipsRect(360, 960, promptWidth, 255), useLicenceEdit_);
    addLabel(licenceGroup_, QStringLiteral("Label11"), twipsRect(360, 3000, promptWidth, 255),
             distributionLicenceEdit_);
}

void MainWindow::buildDescriptionGroup()
{
    const int promptWidth = variantFor(edition_.layout()).descriptionPromptWidth;
    descriptionGroup_ = addFrame(this, QStringLiteral("Frame4"), twipsRect(2640, 6720, 9975, 2895));
    descriptionEdit_ = addMultiLineBox(descriptionGroup_, QStringLiteral("TxtDesc"), twipsRect(360, 720, 9375, 1935));
    bindField(&DocumentRecord::description, descriptionEdit_);
    addLabel(descriptionGroup_, QStringLiteral("Label12"), twipsRect(360, 360, promptWidth, 255), descriptionEdit_);
}

void MainWindow::setUpTabOrder()
{
    QWidget* const order[] = {productEdit_,
                              versionEdit_,
                              statusCheck_,
                              finalOption_,
                              betaOption_,
                              authorEdit_,
                              emailEdit_,
                              webEdit_,
                              datePicker_,
                              useLicenceEdit_,
                              distributionLicenceEdit_,
                              descriptionEdit_,
                              createButton_,
                              optionsButton_,
                              aboutButton_,
                              closeButton_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// The eight text boxes turn pale yellow while they have the focus and white
// when they lose it.
void MainWindow::setUpFocusHighlight()
{
    highlight_ = new FocusHighlight(FocusHighlight::paleYellow(), Qt::white, this);
    const std::initializer_list<QWidget*> boxes = {
        productEdit_, versionEdit_,     authorEdit_,     emailEdit_,
        webEdit_,     descriptionEdit_, useLicenceEdit_, distributionLicenceEdit_};
    for (QWidget* box : boxes)
        highlight_->watch(box);
}
