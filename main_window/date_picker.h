#pragma once

#include <QDateTimeEdit>

// The creation-date picker: a date-time with a calendar pop-up, from 1601 to
// 9999, shown as a date with a four-digit year. Tab leaves it like any other
// control (the arrow keys move between day, month and year), so that the
// window's tab order holds.
class DatePicker : public QDateTimeEdit {
public:
    explicit DatePicker(QWidget* parent);

protected:
    bool focusNextPrevChild(bool next) override;
};
