#include "save_dialog.h"

#include <QFileDialog>

QtSaveDialog::QtSaveDialog(const Edition& edition) : edition_(edition) {}

QString QtSaveDialog::showSave(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Generar fichero"), edition_.saveDialogStartFolder(),
                       QStringLiteral("Fichero de texto *.txt (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !edition_.saveDialogConfirmsReplace());
    if (!lastChosen_.isEmpty())
        dialog.selectFile(lastChosen_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    lastChosen_ = dialog.selectedFiles().constFirst();
    return lastChosen_;
}
