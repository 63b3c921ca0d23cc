#include "file_dialogs.h"

#include <QFileDialog>

namespace {

// One filter, shown by its label alone: "Fichero de texto *.txt".
void setUpCommon(QFileDialog& dialog, const QString& lastChosen)
{
    dialog.setNameFilter(QStringLiteral("Fichero de texto *.txt (*.txt)"));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (!lastChosen.isEmpty())
        dialog.selectFile(lastChosen);
}

QString chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QtFileDialogs::QtFileDialogs(const Edition& edition) : edition_(edition) {}

QString QtFileDialogs::showSave(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Generar fichero"), edition_.saveDialogStartFolder());
    dialog.setObjectName(QStringLiteral("Dialogo"));
    setUpCommon(dialog, lastChosen_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !edition_.saveDialogConfirmsReplace());
    const QString chosen = chosenFile(dialog);
    if (!chosen.isEmpty())
        lastChosen_ = chosen;
    return chosen;
}

QString QtFileDialogs::showOpen(QWidget* parent, const QString& title)
{
    QFileDialog dialog(parent, title, edition_.saveDialogStartFolder());
    dialog.setObjectName(QStringLiteral("DialogoAbrir"));
    setUpCommon(dialog, lastChosen_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog);
}
