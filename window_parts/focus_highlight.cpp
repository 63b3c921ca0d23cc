#include "focus_highlight.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

FocusHighlight::FocusHighlight(QColor focusColour, QColor restColour, QObject* parent)
    : QObject(parent), focusColour_(focusColour), restColour_(restColour)
{
}

void FocusHighlight::watch(QWidget* box) { box->installEventFilter(this); }

bool FocusHighlight::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QWidget*>(watched);
    if (box && event->type() == QEvent::FocusIn) {
        setBoxColour(box, focusColour_);
    } else if (box && event->type() == QEvent::FocusOut) {
        // A context menu or another application taking over leaves the focus
        // where it was, so the box stays highlighted.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            setBoxColour(box, restColour_.isValid() ? restColour_ : QApplication::palette().color(QPalette::Base));
    }
    return QObject::eventFilter(watched, event);
}

void setBoxColour(QWidget* box, const QColor& colour)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}
