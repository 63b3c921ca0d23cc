#include "common/picture_window.h"

#include <QLabel>
#include <QPainter>

PictureWindow::PictureWindow(QWidget* parent) : QWidget(parent), background_(QStringLiteral(":/pictures/background.png"))
{
}

void PictureWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

QLabel* addPicture(QWidget* parent, const QString& objectName, const QString& resource, const QRect& area)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(objectName);
    picture->setGeometry(area);
    picture->setPixmap(QPixmap(resource));
    picture->setScaledContents(true);
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    return picture;
}
