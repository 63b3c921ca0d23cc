// The about window's definition and its handlers.
#include "about/frmacercade.h"

#include "common/captions.h"
#include "common/controls.h"
#include "common/credits.h"
#include "common/geometry.h"

#include <QLabel>
#include <QPushButton>

namespace {

QLabel* addText(QWidget* parent, const QString& name, const QRect& area, const QString& text, double pointSize = 8.25)
{
    QLabel* label = addLabel(parent, name, area);
    label->setFont(classicFont(pointSize, true));
    setCaption(label, text);
    return label;
}

}  // namespace

Frmacercade::Frmacercade(const Edition& edition) : edition_(edition)
{
    buildLayout();
    Form_Load();
}

void Frmacercade::buildLayout()
{
    setObjectName(QStringLiteral("Frmacercade"));
    setUpFixedWindow(this, 6060, 3960, false);
    setWindowIcon(iconOf(QStringLiteral(":/pictures/about_icon16.png"), QStringLiteral(":/pictures/about_icon.png")));

    addPicture(this, QStringLiteral("Image3"), QStringLiteral(":/pictures/about_icon.png"), twipsRect(120, 240, 480, 480));
    addText(this, QStringLiteral("Label1"), twipsRect(3000, 960, 2895, 255), QStringLiteral("Editor de archivos trumi."), 9.75);
    if (edition_.singleLanguage()) {
        addText(this, QStringLiteral("Label2"), twipsRect(3120, 1320, 2655, 255), QStringLiteral("Autor : ") + credits::author());
        addText(this, QStringLiteral("Label3"), twipsRect(3120, 1680, 2655, 255), QStringLiteral("E-Mail : ") + credits::email());
        addText(this, QStringLiteral("Label4"), twipsRect(3120, 2040, 2655, 255),
                QStringLiteral("Fecha : ") + credits::releaseDate());
    } else {
        addText(this, QStringLiteral("lblautor"), twipsRect(3000, 1320, 735, 255), {});
        addText(this, QStringLiteral("Label2"), twipsRect(3840, 1320, 1935, 255), credits::author());
        addText(this, QStringLiteral("Label5"), twipsRect(3000, 1680, 735, 255), QStringLiteral("E-Mail :"));
        addText(this, QStringLiteral("Label3"), twipsRect(3840, 1680, 1935, 255), credits::email());
        addText(this, QStringLiteral("lblfecha"), twipsRect(3000, 2040, 735, 255), {});
        addText(this, QStringLiteral("Label4"), twipsRect(3840, 2040, 1935, 255), credits::releaseDate());
    }
    addPicture(this, QStringLiteral("Image2"), QStringLiteral(":/pictures/about_small.png"), twipsRect(2400, 2640, 300, 300));
    addPicture(this, QStringLiteral("Image1"), QStringLiteral(":/pictures/banner.png"), twipsRect(2880, 2520, 2970, 570));

    auto* accept = addButton(this, QStringLiteral("CmdAceptar"), twipsRect(1920, 3240, 3975, 495));
    connect(accept, &QPushButton::clicked, this, &QWidget::close);
    accept->setFocus();

    if (edition_.singleLanguage())
        applyCaptions(this, aboutWindowCaptions(), edition_);
}

void Frmacercade::Form_Load()
{
    if (!edition_.singleLanguage())
        applyCaptions(this, aboutWindowCaptions(), edition_);
}
