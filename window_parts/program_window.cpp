#include "program_window.h"

#include "geometry.h"

#include <QCloseEvent>
#include <QImageReader>
#include <QPainter>

ProgramWindow::ProgramWindow(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_DeleteOnClose); }

void ProgramWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (background_.isNull()) {
        // Only the part the window shows is kept: the picture is larger
        // than every window.
        QImageReader reader(QStringLiteral(":/pictures/background.png"));
        reader.setClipRect(rect());
        background_ = QPixmap::fromImage(reader.read());
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

void ProgramWindow::showEvent(QShowEvent* event)
{
    if (!placed_) {
        centreOnScreen(this);
        placed_ = true;
    }
    QWidget::showEvent(event);
}

void ProgramWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        loaded_ = false;
}
