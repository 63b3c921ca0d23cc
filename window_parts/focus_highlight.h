#pragma once

#include <QColor>
#include <QObject>

class QWidget;

// Paints the text box that has the keyboard focus in one colour and the box
// that loses it in another; an invalid rest colour stands for the system's
// window colour. A box that never had the focus keeps its colour.
class FocusHighlight : public QObject {
public:
    FocusHighlight(QColor focusColour, QColor restColour, QObject* parent);
    void watch(QWidget* box);

    static QColor paleYellow() { return QColor(255, 255, 192); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QColor focusColour_;
    QColor restColour_;
};

void setBoxColour(QWidget* box, const QColor& colour);
