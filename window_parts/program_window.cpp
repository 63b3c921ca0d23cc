#include "program_window.h"

#include "geometry.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

ProgramWindow::ProgramWindow(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The painted background covers every pixel: the palette's colour need
    // not be filled in first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

namespace {

// The background: a vertical gradient from #e4ecf4 at the top to #f8fafc
// 768 pixels down, each channel rounded down, row by row. Painted rather
// than kept as a picture, which would cost two megabytes for each window.
QColor backgroundAt(int y)
{
    static constexpr int kTop[] = {0xe4, 0xec, 0xf4}, kBottom[] = {0xf8, 0xfa, 0xfc};
    static constexpr int kRows = 768;
    auto channel = [y](int k) { return kTop[k] + (kBottom[k] - kTop[k]) * std::clamp(y, 0, kRows) / kRows; };
    return {channel(0), channel(1), channel(2)};
}

}  // namespace

void ProgramWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    // One rectangle for each run of rows of one colour.
    for (int top = area.top(); top <= area.bottom();) {
        const QColor colour = backgroundAt(top);
        int bottom = top;
        while (bottom < area.bottom() && backgroundAt(bottom + 1) == colour)
            ++bottom;
        painter.fillRect(area.left(), top, area.width(), bottom - top + 1, colour);
        top = bottom + 1;
    }
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
