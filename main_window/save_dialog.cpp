#include "main_window/save_dialog.h"

#include <QDir>
#include <QFileDialog>

QtSaveDialog::QtSaveDialog(Release release) : release_(release) {}

QString QtSaveDialog::showSave(QWidget* parent)
{
    const bool singleLanguage = release_ == Release::V1_0;
    const QString startFolder = singleLanguage ? QDir::currentPath() : QDir::homePath();
    QFileDialog dialog(parent, QStringLiteral("Generar fichero"), startFolder,
                       QStringLiteral("Fichero de texto *.txt (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, singleLanguage);
    if (!lastChosen_.isEmpty())
        dialog.selectFile(lastChosen_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    lastChosen_ = dialog.selectedFiles().constFirst();
    return lastChosen_;
}
