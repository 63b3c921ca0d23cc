// The options window's handlers: load, Save, Accept and closing.
#include "options_window.h"

#include "captions.h"
#include "controls.h"
#include "message_box.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

OptionsWindow::OptionsWindow(const Edition& edition) : edition_(edition)
{
    buildLayout();
    connect(saveButton_, &QPushButton::clicked, this, &OptionsWindow::onSaveClicked);
    connect(acceptButton_, &QPushButton::clicked, this, &OptionsWindow::handOverAndClose);
    applyCaptions(this, edition_.captionsOf(objectName(), fixedCaptions()).captions);
    loadLicences();
}

void OptionsWindow::loadLicences()
{
    const LicencesRead read = readLicenceDefaults();
    if (read.error) {
        message_box::showError(this, edition_.texts(), *read.error);
        return;
    }
    useLicenceEdit_->setPlainText(read.texts->use);
    distributionLicenceEdit_->setPlainText(read.texts->distribution);
}

Licences OptionsWindow::licences() const
{
    return {plainTextOf(useLicenceEdit_), plainTextOf(distributionLicenceEdit_)};
}

void OptionsWindow::onSaveClicked()
{
    // A failed save keeps the window open with both texts, to try again.
    if (const auto error = LicenceFile::forSaving().write(licences())) {
        message_box::showError(this, edition_.texts(), *error);
        return;
    }
    handOverAndClose();
}

void OptionsWindow::handOverAndClose()
{
    emit licencesHandedOver(licences());
    close();
}

void OptionsWindow::closeEvent(QCloseEvent* event)
{
    // Announced before the window goes, so that the main window is back on
    // the screen first and the program never finds itself without a
    // visible window.
    emit closing();
    ProgramWindow::closeEvent(event);
}
