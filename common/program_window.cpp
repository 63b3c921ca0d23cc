#include "common/program_window.h"

#include "common/geometry.h"

#include <QCloseEvent>
#include <QPainter>

ProgramWindow::ProgramWindow(QWidget* parent) : QWidget(parent), background_(QStringLiteral(":/pictures/background.png"))
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void ProgramWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
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
