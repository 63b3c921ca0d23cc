#pragma once

#include <QDateTimeEdit>

class QLocale;

// The creation-date picker: a date-time with a calendar pop-up, from 1601 to
// 9999, shown as a date with a four-digit year in the short date of the
// locale it is given, which its calendar speaks too. Tab leaves it like any
// other control, so that the window's tab order holds; a date's separators,
// the arrow keys and ctrl+arrows move between day, month and year; F4 and
// alt+Down open the calendar.
class DatePicker : public QDateTimeEdit {
public:
    DatePicker(QWidget* parent, const QLocale& locale);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool isSeparator(const QKeyEvent* event) const;
    bool opensCalendar(const QKeyEvent* event) const;
    void openCalendar();
    bool leavesByControlArrow(const QKeyEvent* event) const;

    // The last key was a digit that completed its part (a day of "5" can
    // take no second digit), so the picker moved on by itself.
    bool movedOnByDigit_ = false;
};
