// The main window's handlers: load, Create, Options, About, Close and the
// polling timer.
#include "main_window.h"

#include "about_window.h"
#include "captions.h"
#include "controls.h"
#include "document_writer.h"
#include "file_dialogs.h"
#include "message_box.h"
#include "options_window.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTextDocument>
#include <QTimer>

namespace {

CheckState checkStateOf(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked:
        return CheckState::Ticked;
    case Qt::PartiallyChecked:
        return CheckState::Greyed;
    default:
        return CheckState::Clear;
    }
}

// The Open dialog's title has a caption of its own; without one it is the
// Spanish title.
QString openDialogTitleIn(const QList<Caption>& captions)
{
    for (const Caption& caption : captions) {
        if (caption.element == QLatin1String("DialogoAbrir") && !caption.text.isEmpty())
            return caption.text;
    }
    return QStringLiteral("Abrir fichero");
}

// A box that can show any text.
template <typename Show>
std::function<bool(const QString&)> alwaysShown(Show show)
{
    return [show](const QString& text) {
        show(text);
        return true;
    };
}

}  // namespace

MainWindow::MainWindow(const Edition& edition, QWidget* parent)
    : ProgramWindow(parent),
      edition_(edition),
      texts_(edition.texts()),
      fileDialogs_(std::make_unique<QtFileDialogs>(edition, texts_)),
      dateFormat_(GeneralDateFormat::fromSystem())
{
    buildLayout();
    connect(createButton_, &QPushButton::clicked, this, &MainWindow::onCreateClicked);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(optionsButton_, &QPushButton::clicked, this, &MainWindow::onOptionsClicked);
    connect(aboutButton_, &QPushButton::clicked, this, &MainWindow::onAboutClicked);
    connect(pollTimer_, &QTimer::timeout, this, &MainWindow::onPollTick);
    connect(finalOption_, &QRadioButton::toggled, this, &MainWindow::updateOptionTabStops);
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this, &MainWindow::onOpenShortcut);
    connect(new QShortcut(Qt::Key_F5, this), &QShortcut::activated, this, &MainWindow::togglePreview);
    load();
    acceptFileDrops();
    // The first frame already shows what the first tick would make of the
    // buttons, so that Create is not drawn again a tick after start-up.
    onPollTick();
    pollTimer_->start();
    productEdit_->setFocus();
}

MainWindow::~MainWindow() = default;

// Captions first, then the licence defaults, then the starting states.
void MainWindow::load()
{
    const CaptionsRead captions = edition_.captionsOf(objectName(), fixedCaptions());
    applyCaptions(this, captions.captions);
    openDialogTitle_ = openDialogTitleIn(captions.captions);
    // A language file that is there but cannot be read is reported once, at
    // start-up; the other windows then show their captions blank, as for a
    // missing file, without saying it again each time they open.
    if (captions.error)
        message_box::showError(this, texts_, *captions.error);
    loadLicences();
    setInitialStates();
}

void MainWindow::loadLicences()
{
    const LicencesRead read = readLicenceDefaults();
    if (read.error)
        message_box::showError(this, texts_, *read.error);
    else
        setLicences(*read.texts);
}

void MainWindow::setInitialStates()
{
    statusCheck_->setCheckState(Qt::Unchecked);
    finalOption_->setChecked(true);
    finalOption_->setEnabled(false);
    betaOption_->setEnabled(false);
    datePicker_->setDateTime(nowToTheSecond());
}

DocumentRecord MainWindow::record() const
{
    DocumentRecord record;
    for (const FieldEditor& editor : fieldEditors_)
        record.*editor.value = editor.read();
    return record;
}

void MainWindow::bindField(QString DocumentRecord::*value, QLineEdit* box)
{
    fieldEditors_.push_back(
        {value, [box] { return box->text(); }, alwaysShown([box](const QString& t) { box->setText(t); })});
    connect(box, &QLineEdit::textChanged, this, [this, value] { onFieldChanged(value); });
}

void MainWindow::bindField(QString DocumentRecord::*value, QPlainTextEdit* box)
{
    fieldEditors_.push_back({value, [box] { return plainTextOf(box); },
                             alwaysShown([box](const QString& t) { box->setPlainText(t); }),
                             [box](const std::function<void(QStringView)>& piece) { forEachPieceOf(box, piece); },
                             [box] { return qsizetype(box->document()->characterCount()); }});
    connect(box->document(), &QTextDocument::contentsChange, this,
            [this, value, box](int position, int removed, int added) {
        onBoxEdited(value, box, position, removed, added);
    });
}

void MainWindow::bindStatus()
{
    fieldEditors_.push_back({&DocumentRecord::status,
                             [this] { return statusFor(checkStateOf(statusCheck_), finalOption_->isChecked()); },
                             alwaysShown([this](const QString& status) { setStatus(status); })});
    auto statusChanged = [this] { onFieldChanged(&DocumentRecord::status); };
    connect(statusCheck_, &QCheckBox::stateChanged, this, statusChanged);
    connect(finalOption_, &QRadioButton::toggled, this, statusChanged);
}

void MainWindow::bindDate()
{
    fieldEditors_.push_back({&DocumentRecord::date,
                             [this] { return generalDateText(datePicker_->dateTime(), dateFormat_); },
                             [this](const QString& text) { return showDate(text); }});
    connect(datePicker_, &QDateTimeEdit::dateTimeChanged, this, [this] { onFieldChanged(&DocumentRecord::date); });
}

// A date the system's form cannot read leaves the picker as it was.
bool MainWindow::showDate(const QString& text)
{
    const auto date = parseGeneralDate(text, dateFormat_);
    if (date)
        datePicker_->setDateTime(*date);
    return date.has_value();
}

void MainWindow::onCreateClicked()
{
    const SaveTarget target = fileDialogs_->showSave(this);
    lastFileName_ = target.path;
    if (lastFileName_.isEmpty())
        return;
    const auto error = target.kind == DocumentKind::Markdown
                           ? writeMarkdown(lastFileName_, record(), markdownStyle())
                           : writeDocument(lastFileName_, record(), edition_.writeMode());
    if (error) {
        message_box::showError(this, texts_, *error);
        return;
    }
    const QFileInfo written(lastFileName_);
    fileDialogs_->proposeForSave(written.absolutePath(), written.fileName());
    setDocumentKind(target.kind);
}

MarkdownStyle MainWindow::markdownStyle() const { return {MarkdownHeadings::fromTexts(texts_), dateFormat_}; }

void MainWindow::onOptionsClicked()
{
    if (!optionsWindow_ || !optionsWindow_->isLoaded()) {
        optionsWindow_ = new OptionsWindow(edition_);
        connect(optionsWindow_, &OptionsWindow::licencesHandedOver, this, &MainWindow::setLicences);
        connect(optionsWindow_, &OptionsWindow::closing, this, &QWidget::show);
    }
    // The main window goes only once the options window is on the screen; it
    // stays loaded, with its contents and its running timer.
    optionsWindow_->show();
    hide();
}

void MainWindow::onAboutClicked()
{
    if (!aboutWindow_ || !aboutWindow_->isLoaded())
        aboutWindow_ = new AboutWindow(edition_);
    aboutWindow_->show();
    aboutWindow_->raise();
    aboutWindow_->activateWindow();
}

void MainWindow::onPollTick()
{
    const bool statusStated = statusCheck_->checkState() != Qt::Unchecked;
    finalOption_->setEnabled(statusStated);
    betaOption_->setEnabled(statusStated);
    createButton_->setEnabled(!productEdit_->text().isEmpty() && !versionEdit_->text().isEmpty());
}

// Of the two options only the chosen one is a tab stop, both ways and from
// the start (Qt narrows them to one only once an option has had the focus).
void MainWindow::updateOptionTabStops()
{
    finalOption_->setFocusPolicy(finalOption_->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    betaOption_->setFocusPolicy(betaOption_->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void MainWindow::setLicences(const Licences& licences)
{
    useLicenceEdit_->setPlainText(licences.use);
    distributionLicenceEdit_->setPlainText(licences.distribution);
}

void MainWindow::setFileDialogs(std::unique_ptr<FileDialogs> dialogs) { fileDialogs_ = std::move(dialogs); }

void MainWindow::setDateFormat(const GeneralDateFormat& format) { dateFormat_ = format; }
