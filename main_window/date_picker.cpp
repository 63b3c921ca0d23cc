#include "date_picker.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace {

QString dateDisplayFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

}  // namespace

DatePicker::DatePicker(QWidget* parent, const QLocale& locale) : QDateTimeEdit(parent)
{
    setLocale(locale);  // the calendar pop-up, a child, takes it too
    setCalendarPopup(true);
    setDateTimeRange(QDateTime(QDate(1601, 1, 1), QTime(0, 0)), QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999)));
    setDisplayFormat(dateDisplayFormat(locale));
}

// QDateTimeEdit moves between the date's parts on Tab, as it does on a
// separator and on ctrl+arrows, all through focusNextPrevChild; only Tab is
// taken away from it, to leave the picker.
bool DatePicker::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
            return QWidget::focusNextPrevChild(forward);  // NOLINT(bugprone-parent-virtual-call)
        }
    }
    return QDateTimeEdit::event(event);
}

bool DatePicker::isSeparator(const QKeyEvent* event) const
{
    const QString text = event->text();
    return text.size() == 1 && !text[0].isLetterOrNumber() && !text[0].isSpace() && displayFormat().contains(text);
}

// Ctrl+arrows move between the parts and stop at the first and the last;
// Qt's own would go on to the next control.
bool DatePicker::leavesByControlArrow(const QKeyEvent* event) const
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return false;
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const bool forward = (event->key() == Qt::Key_Right) != rightToLeft;
    if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right)
        return false;
    return forward ? currentSectionIndex() == sectionCount() - 1 : currentSectionIndex() == 0;
}

// F4, alt+Down and alt+Up open the calendar, as they open any combo box's
// list; alt+Down would otherwise lower the day.
bool DatePicker::opensCalendar(const QKeyEvent* event) const
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    return event->key() == Qt::Key_F4 || (alt && (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up));
}

// The calendar opens where a click on the picker's arrow opens it: Qt offers
// no other way in.
void DatePicker::openCalendar()
{
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPoint arrow = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this).center();
    QMouseEvent press(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    mousePressEvent(&press);
}

// A separator typed right after a part that the picker completed on its own
// ("5" then "/" for the day) is the one the user expects there: it would
// otherwise skip the next part.
void DatePicker::keyPressEvent(QKeyEvent* event)
{
    if (opensCalendar(event)) {
        openCalendar();
        event->accept();
        return;
    }
    const bool skipSeparator = movedOnByDigit_ && isSeparator(event);
    movedOnByDigit_ = false;
    if (skipSeparator || leavesByControlArrow(event)) {
        event->accept();
        return;
    }
    const Section before = currentSection();
    QDateTimeEdit::keyPressEvent(event);
    movedOnByDigit_ = event->text().size() == 1 && event->text()[0].isDigit() && currentSection() != before;
}
