#include "message_box.h"

#include <QDir>
#include <QMessageBox>

namespace message_box {
namespace {
QStringList* recorder = nullptr;
}

QString errorText(const FileError& error)
{
    return QStringLiteral("No se ha podido completar la operación con el fichero\n%1\n\nError %2: %3")
        .arg(QDir::toNativeSeparators(error.path))
        .arg(error.number)
        .arg(error.description);
}

void showError(QWidget* parent, const FileError& error)
{
    if (recorder) {
        recorder->append(errorText(error));
        return;
    }
    // A window that is not on screen yet (at start-up) cannot hold the box.
    QWidget* owner = parent && parent->isVisible() ? parent : nullptr;
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Trumi Editor"), errorText(error), QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void recordInto(QStringList* messages) { recorder = messages; }

}  // namespace message_box
