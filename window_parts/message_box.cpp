#include "message_box.h"

#include "toolkit_translation.h"

#include <QMessageBox>

namespace message_box {
namespace {
QStringList* recorder = nullptr;
}

namespace {

void show(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    if (recorder) {
        recorder->append(text);
        return;
    }
    loadToolkitTranslation();  // the box's button
    // A window that is not on screen yet (at start-up) cannot hold the box.
    QWidget* owner = parent && parent->isVisible() ? parent : nullptr;
    QMessageBox box(icon, QStringLiteral("Trumi Editor"), text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

void showError(QWidget* parent, const ProgramTexts& texts, const FileError& error)
{
    show(parent, QMessageBox::Critical, failureText(error, texts));
}

void showNotice(QWidget* parent, const QString& text) { show(parent, QMessageBox::Warning, text); }

void recordInto(QStringList* messages) { recorder = messages; }

}  // namespace message_box
