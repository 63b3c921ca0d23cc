#pragma once

#include "edition.h"
#include "licence_file.h"
#include "program_window.h"

class QPlainTextEdit;
class QPushButton;

// The options window: edits the two default licence texts kept in
// Config.lic. Save stores them, Accept only hands them over; both hand them
// on and close the window.
class OptionsWindow : public ProgramWindow {
    Q_OBJECT

public:
    explicit OptionsWindow(const Edition& edition);

signals:
    // Save or Accept: the two texts for the document being prepared.
    void licencesHandedOver(const Licences& licences);
    // The window is closing, whichever way (Save, Accept or its title-bar
    // close, which cancels); sent before it goes.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void setUpTabOrder();
    QList<Caption> fixedCaptions() const;
    void loadLicences();
    void onSaveClicked();
    void handOverAndClose();
    Licences licences() const;

    Edition edition_;
    QPlainTextEdit* useLicenceEdit_ = nullptr;
    QPlainTextEdit* distributionLicenceEdit_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* acceptButton_ = nullptr;
};
