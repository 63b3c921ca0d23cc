#pragma once

#include <QPixmap>
#include <QWidget>

// A top-level window with the program's common background picture, drawn
// unscaled from the top-left corner and clipped by the window. Painting it
// here, rather than through the palette, keeps it out of child dialogs.
class PictureWindow : public QWidget {
public:
    explicit PictureWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap background_;
};

// A picture that fills the given area (stretched when the area differs from
// the picture's own size) and ignores the mouse.
class QLabel;
QLabel* addPicture(QWidget* parent, const QString& objectName, const QString& resource, const QRect& area);
