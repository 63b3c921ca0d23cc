// The about window's definition and its handlers.
#include "about_window.h"

#include "captions.h"
#include "controls.h"
#include "credits.h"
#include "geometry.h"
#include "program_look.h"

#include <QLabel>
#include <QPushButton>

namespace {

// A label's text is fixed, or, where id is set, one of the program's texts.
struct TextLabel {
    QString name;
    QRect area;
    QString text;
    std::optional<TextId> id = std::nullopt;
};

// What the two releases' definitions of this window differ in: release 1.1
// has a caption label before each of the author and date lines, filled from
// the language file; release 1.0 has those words fixed inside the lines.
struct Variant {
    QList<TextLabel> labels;
    QList<Caption> fixedCaptions;
};

const Variant& variantFor(Edition::Layout layout)
{
    static const Variant translatable = {
        {
            {QStringLiteral("lblautor"), twipsRect(3000, 1320, 735, 255), {}},
            {QStringLiteral("Label2"), twipsRect(3840, 1320, 1935, 255), credits::author()},
            {QStringLiteral("Label5"), twipsRect(3000, 1680, 735, 255), {}, TextId::AboutEmail},
            {QStringLiteral("Label3"), twipsRect(3840, 1680, 1935, 255), credits::email()},
            {QStringLiteral("lblfecha"), twipsRect(3000, 2040, 735, 255), {}},
            {QStringLiteral("Label4"), twipsRect(3840, 2040, 1935, 255), credits::releaseDate()},
        },
        {}};
    static const Variant singleLanguage = {
        {
            {QStringLiteral("Label2"), twipsRect(3120, 1320, 2655, 255),
             QStringLiteral("Autor : ") + credits::author()},
            {QStringLiteral("Label3"), twipsRect(3120, 1680, 2655, 255),
             QStringLiteral("E-Mail : ") + credits::email()},
            {QStringLiteral("Label4"), twipsRect(3120, 2040, 2655, 255),
             QStringLiteral("Fecha : ") + credits::releaseDate()},
        },
        {{QStringLiteral("CmdAceptar"), QStringLiteral("&Aceptar")}, {QString(), QStringLiteral("Acerca de...")}}};
    return variantOf(layout, translatable, singleLanguage);
}

QLabel* addText(QWidget* parent, const TextLabel& text, const ProgramTexts& texts, double pointSize = 8.25)
{
    QLabel* label = addLabel(parent, text.name, text.area);
    label->setFont(classicFont(pointSize, true));
    setCaption(label, text.id ? texts.text(*text.id) : text.text);
    return label;
}

}  // namespace

AboutWindow::AboutWindow(const Edition& edition) : edition_(edition)
{
    buildLayout();
    applyCaptions(this, edition_.captionsOf(objectName(), variantFor(edition_.layout()).fixedCaptions).captions);
}

void AboutWindow::buildLayout()
{
    setObjectName(QStringLiteral("Frmacercade"));
    setUpFixedWindow(this, 6060, 3960, false);
    setWindowIcon(iconOf(QStringLiteral(":/pictures/about_icon16.png"), QStringLiteral(":/pictures/about_icon.png")));

    addPicture(this, QStringLiteral("Image3"), QStringLiteral(":/pictures/about_icon.png"),
               twipsRect(120, 240, 480, 480));
    const ProgramTexts texts = edition_.texts();
    addText(this, {QStringLiteral("Label1"), twipsRect(3000, 960, 2895, 255), {}, TextId::AboutSubtitle}, texts, 9.75);
    for (const TextLabel& text : variantFor(edition_.layout()).labels)
        addText(this, text, texts);
    addPicture(this, QStringLiteral("Image2"), QStringLiteral(":/pictures/about_small.png"),
               twipsRect(2400, 2640, 300, 300));
    addPicture(this, QStringLiteral("Image1"), QStringLiteral(":/pictures/banner.png"),
               twipsRect(2880, 2520, 2970, 570));

    auto* accept = addButton(this, QStringLiteral("CmdAceptar"), twipsRect(1920, 3240, 3975, 495));
    connect(accept, &QPushButton::clicked, this, &QWidget::close);
    accept->setFocus();
}
