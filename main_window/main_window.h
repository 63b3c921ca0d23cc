#pragma once

#include "date_text.h"
#include "document_record.h"
#include "edition.h"
#include "licence_file.h"
#include "markdown_document.h"
#include "program_window.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class AboutWindow;
class FocusHighlight;
class OptionsWindow;
class PreviewWindow;
class QCheckBox;
class QDateTimeEdit;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class FileDialogs;
class FilePath;
struct FormBox;

// The main window: the form on which the author describes the product, the
// Create command that writes the read-me document, and the Options, About
// and Close commands; F5 opens and closes the document's preview.
class MainWindow : public ProgramWindow {
    Q_OBJECT

public:
    explicit MainWindow(const Edition& edition, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The record Create writes, read from the window's current values.
    DocumentRecord record() const;

    // The two licence boxes.
    void setLicences(const Licences& licences);

    // Opens a read-me document into the form: every field takes the
    // document's value. A file that is no document is reported and the form
    // stays as it was.
    void openDocument(const FilePath& path);

    void setFileDialogs(std::unique_ptr<FileDialogs> dialogs);
    void setDateFormat(const GeneralDateFormat& format);

    // The last path Create was given (empty after a cancelled run).
    QString lastFileName() const { return lastFileName_; }

signals:
    // For the preview: a field (by its place in the document) now writes as
    // value; or an edit inside a multi-line field, as PreviewWindow::editField.
    void previewFieldChanged(int field, const QString& value);
    void previewFieldEdited(int field, int position, int removed, const QString& added, int length);

private:
    void buildLayout();
    void buildButtons();
    void buildGroups();
    void buildBox(const FormBox& row);
    QWidget* buildLineBox(const FormBox& row, QWidget* group);
    QWidget* buildLinesBox(const FormBox& row, QWidget* group);
    QWidget* buildStatus(const FormBox& row, QWidget* group);
    QWidget* buildDatePicker(const FormBox& row, QWidget* group);
    void setUpTabOrder();
    QList<Caption> fixedCaptions() const;

    void load();
    void loadLicences();
    void setInitialStates();
    void onCreateClicked();
    void onOptionsClicked();
    void onAboutClicked();
    void onPollTick();
    void updateOptionTabStops();
    void onOpenShortcut();
    void showRecord(const DocumentRecord& record);
    void reportUnreadDate(const QString& date);
    void proposeOpenedFile(const FilePath& path, bool sole);
    void setStatus(const QString& status);
    void acceptFileDrops();
    void bindField(QString DocumentRecord::*value, QLineEdit* box);
    void bindField(QString DocumentRecord::*value, QPlainTextEdit* box);
    void bindStatus();
    void bindDate();
    void togglePreview();
    // The kind of document the form writes next, as its last file was; the
    // preview shows that kind.
    void setDocumentKind(DocumentKind kind);
    MarkdownStyle markdownStyle() const;
    void showPreviewAnew();
    void makeRoomForPreview(int previewWidth);
    void onPreviewClosed();
    void onFieldChanged(QString DocumentRecord::*value);
    void onBoxEdited(QString DocumentRecord::*value, const QPlainTextEdit* box, int position, int removed, int added);
    bool showDate(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // How the form holds one field of the document: the text it gives Create,
    // and showing a document's text (false where the text cannot be shown).
    struct FieldEditor {
        QString DocumentRecord::*value;
        std::function<QString()> read;
        std::function<bool(const QString&)> show;
        // A multi-line box's text a line at a time (forEachPieceOf), and
        // about how many characters it holds.
        std::function<void(const std::function<void(QStringView)>&)> pieces = {};
        std::function<qsizetype()> length = {};
    };

    Edition edition_;
    // Read when the window loads, as its captions are.
    ProgramTexts texts_;
    std::vector<FieldEditor> fieldEditors_;
    std::unique_ptr<FileDialogs> fileDialogs_;
    GeneralDateFormat dateFormat_;
    QString lastFileName_;
    QString openDialogTitle_;
    QPointer<OptionsWindow> optionsWindow_;
    QPointer<AboutWindow> aboutWindow_;
    QPointer<PreviewWindow> preview_;
    DocumentKind documentKind_ = DocumentKind::Text;
    // A Markdown preview is made anew after a pause in the typing.
    QTimer* markdownRefresh_ = nullptr;
    // Where the window stood before it moved aside for the preview.
    std::optional<QPoint> placeBeforePreview_;
    // Multi-line fields that may hold text the document does not write unit
    // for unit (see writtenUnitForUnit): their edits go to the preview whole.
    std::set<int> fieldsSentWhole_;

    QPushButton* optionsButton_ = nullptr;
    QPushButton* aboutButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* createButton_ = nullptr;
    QGroupBox* titleGroup_ = nullptr;
    QGroupBox* authorGroup_ = nullptr;
    QGroupBox* licenceGroup_ = nullptr;
    QGroupBox* descriptionGroup_ = nullptr;
    // The form's boxes are built from its table (form_boxes.h); these are
    // the ones the window's handlers use by name.
    QLineEdit* productEdit_ = nullptr;
    QLineEdit* versionEdit_ = nullptr;
    QCheckBox* statusCheck_ = nullptr;
    QRadioButton* finalOption_ = nullptr;
    QRadioButton* betaOption_ = nullptr;
    QDateTimeEdit* datePicker_ = nullptr;
    QPlainTextEdit* useLicenceEdit_ = nullptr;
    QPlainTextEdit* distributionLicenceEdit_ = nullptr;
    std::vector<QWidget*> tabOrder_;
    QTimer* pollTimer_ = nullptr;
    FocusHighlight* highlight_ = nullptr;
};
