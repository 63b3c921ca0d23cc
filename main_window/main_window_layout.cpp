// The main window's definition: every element at its place and size, with
// its fixed properties. What the window does is in main_window.cpp.
#include "main_window.h"

#include "controls.h"
#include "credits.h"
#include "date_picker.h"
#include "document_fields.h"
#include "focus_highlight.h"
#include "form_boxes.h"
#include "geometry.h"
#include "program_look.h"
#include "unwritable_marks.h"

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

// What the two releases' definitions of this window differ in, besides
// what the form's table says of each box: release 1.0 has fixed Spanish
// captions; release 1.1's are blank until it loads.
QList<Caption> spanishCaptions()
{
    QList<Caption> captions = {
        {QStringLiteral("CmdOpciones"), QStringLiteral("&Opciones")},
        {QStringLiteral("CmdAcercade"), QStringLiteral("&Acerca de...")},
        {QStringLiteral("CmdCerrar"), QStringLiteral("&Salir")},
        {QStringLiteral("Frame1"), QStringLiteral("Título y versión")},
        {QStringLiteral("Label1"),
         QStringLiteral("Establece el nombre del producto, la versión y el estado de la versión.")},
        {QStringLiteral("Chk1"), QStringLiteral("Especificar estado de la versión. ( Si / No )")},
        {QStringLiteral("OpVer1"), QStringLiteral("Versión Final")},
        {QStringLiteral("OpVer2"), QStringLiteral("Versión Beta")},
        {QStringLiteral("Frame2"), QStringLiteral("Datos del autor")},
        {QStringLiteral("Label4"),
         QStringLiteral("Establece el nombre del autor, su E-Mail, página Web y la fecha de creación del producto.")},
        {QStringLiteral("Frame4"), QStringLiteral("Descripción del producto e instalación")},
        {QStringLiteral("Frame3"), QStringLiteral("Licencia de uso y distribución")},
        {QStringLiteral("Label9"),
         QStringLiteral("Establece las condiciones de uso y distribución que el autor especifica.")},
        {QStringLiteral("CmdCrear"), QStringLiteral("&Crear Trumi")},
    };
    for (const FormBox& row : formBoxes()) {
        if (row.prompt)
            captions.append({QString::fromLatin1(row.prompt), QString::fromUtf8(row.promptInRelease10)});
    }
    return captions;
}

QRect pixelsOf(const QRect& inTwips) { return twipsRect(inTwips.x(), inTwips.y(), inTwips.width(), inTwips.height()); }

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

QList<Caption> MainWindow::fixedCaptions() const
{
    return edition_.layout() == Edition::Layout::SingleLanguage ? spanishCaptions() : QList<Caption>();
}

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
    buildGroups();
    // The eight text boxes turn pale yellow while they have the focus and
    // white when they lose it.
    highlight_ = new FocusHighlight(FocusHighlight::paleYellow(), Qt::white, this);
    for (const FormBox& row : formBoxes())
        buildBox(row);
    setUpTabOrder();

    // The form's input aids poll every 100 ms: the status options follow the
    // status box, and Create is enabled while the product and its version
    // are filled in, as the form has always done.
    pollTimer_ = new QTimer(this);
    pollTimer_->setObjectName(QStringLiteral("Timer1"));
    pollTimer_->setInterval(100);
}

void MainWindow::buildButtons()
{
    optionsButton_ = addButton(this, QStringLiteral("CmdOpciones"), twipsRect(120, 360, 1095, 495));
    aboutButton_ = addButton(this, QStringLiteral("CmdAcercade"), twipsRect(120, 960, 1095, 495));
    closeButton_ = addButton(this, QStringLiteral("CmdCerrar"), twipsRect(120, 1560, 1095, 495));
    createButton_ = addButton(this, QStringLiteral("CmdCrear"), twipsRect(1200, 9000, 1335, 615));
    createButton_->setToolTip(texts_.text(TextId::CreateTip));
}

// The four groups, each with the line that says what it is for; the boxes
// come from the form's table.
void MainWindow::buildGroups()
{
    titleGroup_ = addFrame(this, QStringLiteral("Frame1"), twipsRect(2640, 1200, 4935, 2535));
    addLabel(titleGroup_, QStringLiteral("Label1"), twipsRect(360, 360, 4215, 375));
    authorGroup_ = addFrame(this, QStringLiteral("Frame2"), twipsRect(2640, 3840, 4935, 2775));
    addLabel(authorGroup_, QStringLiteral("Label4"), twipsRect(360, 360, 4335, 375));
    licenceGroup_ = addFrame(this, QStringLiteral("Frame3"), twipsRect(7680, 1200, 4935, 5415));
    addLabel(licenceGroup_, QStringLiteral("Label9"), twipsRect(360, 360, 4335, 375));
    descriptionGroup_ = addFrame(this, QStringLiteral("Frame4"), twipsRect(2640, 6720, 9975, 2895));
}

// One box of the form's table: made as its field's kind asks, bound to the
// record, marked where it can hold what the document cannot, with its
// prompt and its tooltip.
void MainWindow::buildBox(const FormBox& row)
{
    auto* group = findChild<QGroupBox*>(QString::fromLatin1(row.group));
    const bool release10 = edition_.layout() == Edition::Layout::SingleLanguage;
    QWidget* box = nullptr;
    switch (fieldOf(row.value).kind) {
    case FieldKind::Line:
        box = buildLineBox(row, group);
        break;
    case FieldKind::Lines:
        box = buildLinesBox(row, group);
        break;
    case FieldKind::Status:
        box = buildStatus(row, group);
        break;
    case FieldKind::Date:
        box = buildDatePicker(row, group);
        break;
    }
    if (row.tip && (row.tipInRelease10 || !release10))
        box->setToolTip(texts_.text(*row.tip));
    if (!row.prompt)
        return;
    QRect prompt = row.promptArea;
    if (release10 && row.promptWidthInRelease10)
        prompt.setWidth(row.promptWidthInRelease10);
    addLabel(group, QString::fromLatin1(row.prompt), pixelsOf(prompt), box);
}

QWidget* MainWindow::buildLineBox(const FormBox& row, QWidget* group)
{
    QLineEdit* box = addLineBox(group, QString::fromLatin1(row.name), pixelsOf(row.area));
    bindField(row.value, box);
    markUnwritable(box, texts_);
    highlight_->watch(box);
    tabOrder_.push_back(box);
    if (row.value == &DocumentRecord::product)
        productEdit_ = box;
    else if (row.value == &DocumentRecord::version)
        versionEdit_ = box;
    return box;
}

QWidget* MainWindow::buildLinesBox(const FormBox& row, QWidget* group)
{
    QPlainTextEdit* box = addMultiLineBox(group, QString::fromLatin1(row.name), pixelsOf(row.area));
    bindField(row.value, box);
    markUnwritable(box);
    highlight_->watch(box);
    tabOrder_.push_back(box);
    if (row.value == &DocumentRecord::useLicence)
        useLicenceEdit_ = box;
    else if (row.value == &DocumentRecord::distributionLicence)
        distributionLicenceEdit_ = box;
    return box;
}

// The status box, and the two options that say which status it states.
QWidget* MainWindow::buildStatus(const FormBox& row, QWidget* group)
{
    statusCheck_ = addChoice<QCheckBox>(group, QString::fromLatin1(row.name), pixelsOf(row.area));
    finalOption_ = addChoice<QRadioButton>(group, QStringLiteral("OpVer1"), twipsRect(360, 2040, 1455, 255));
    betaOption_ = addChoice<QRadioButton>(group, QStringLiteral("OpVer2"), twipsRect(1920, 2040, 1695, 255));
    tabOrder_.insert(tabOrder_.end(), {statusCheck_, finalOption_, betaOption_});
    bindStatus();
    return statusCheck_;
}

QWidget* MainWindow::buildDatePicker(const FormBox& row, QWidget* group)
{
    datePicker_ = new DatePicker(group, QLocale(edition_.toolkitLanguage()));
    datePicker_->setObjectName(QString::fromLatin1(row.name));
    datePicker_->setGeometry(pixelsOf(row.area));
    datePicker_->setDateTime(QDateTime(QDate(2004, 6, 1), QTime(0, 0)));
    bindDate();
    tabOrder_.push_back(datePicker_);
    return datePicker_;
}

void MainWindow::setUpTabOrder()
{
    tabOrder_.insert(tabOrder_.end(), {createButton_, optionsButton_, aboutButton_, closeButton_});
    for (std::size_t i = 1; i < tabOrder_.size(); ++i)
        QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}
