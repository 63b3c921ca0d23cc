#include "date_picker.h"

#include <QLocale>

namespace {

QString dateDisplayFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

}  // namespace

DatePicker::DatePicker(QWidget* parent) : QDateTimeEdit(parent)
{
    setCalendarPopup(true);
    setDateTimeRange(QDateTime(QDate(1601, 1, 1), QTime(0, 0)), QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999)));
    setDisplayFormat(dateDisplayFormat());
}

// QDateTimeEdit's own would move Tab between the date's sections; skipping
// it is the point.
bool DatePicker::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);  // NOLINT(bugprone-parent-virtual-call)
}
