#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// The user's short date and long time patterns, in strftime's syntax; on
// Windows, empty ones stand for the user's own (GetDateFormatEx).
struct GeneralDateFormat {
    QByteArray shortDate;
    QByteArray longTime;

    // The patterns of the LC_TIME locale the program runs under.
    static GeneralDateFormat fromSystem();
};

// The present moment, to the second: what the form and the command line
// start with.
QDateTime nowToTheSecond();

// The short date, followed, when the time of day is not exactly midnight, by
// one space and the long time: "05/06/2004 14:23:11" or "05/06/2004".
QString generalDateText(const QDateTime& value, const GeneralDateFormat& format);

// The date and time that the text shows in that format, or in its twin with
// four-digit years, between 1601 and 9999; only a value that gives back
// exactly the same text in that form counts.
std::optional<QDateTime> parseGeneralDate(const QString& text, const GeneralDateFormat& format);
