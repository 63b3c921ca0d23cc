#include "date_text.h"

#include <clocale>
#include <ctime>
#if __has_include(<langinfo.h>)
#include <langinfo.h>
#endif
#if defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace {

std::tm brokenDown(const QDateTime& value)
{
    const QDate date = value.date();
    const QTime time = value.time();
    std::tm tm{};
    tm.tm_year = date.year() - 1900;
    tm.tm_mon = date.month() - 1;
    tm.tm_mday = date.day();
    tm.tm_wday = date.dayOfWeek() % 7;
    tm.tm_yday = date.dayOfYear() - 1;
    tm.tm_hour = time.hour();
    tm.tm_min = time.minute();
    tm.tm_sec = time.second();
    tm.tm_isdst = -1;
    return tm;
}

QString render(const std::tm& tm, const QByteArray& pattern)
{
    if (pattern.isEmpty())
        return {};
    char buffer[256];
    const std::size_t length = std::strftime(buffer, sizeof buffer, pattern.constData(), &tm);
    return QString::fromLocal8Bit(buffer, static_cast<qsizetype>(length));
}

#if defined(Q_OS_WIN)
// The user's short date and long time as Windows words them.
QString systemDateText(const QDateTime& value)
{
    const SYSTEMTIME when{WORD(value.date().year()),          WORD(value.date().month()),
                          WORD(value.date().dayOfWeek() % 7), WORD(value.date().day()),
                          WORD(value.time().hour()),          WORD(value.time().minute()),
                          WORD(value.time().second()),        0};
    wchar_t date[128] = {}, time[128] = {};
    ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, 128, nullptr);
    QString text = QString::fromWCharArray(date);
    if (value.time() != QTime(0, 0)) {
        ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &when, nullptr, time, 128);
        text += QLatin1Char(' ') + QString::fromWCharArray(time);
    }
    return text;
}
#endif

}  // namespace

GeneralDateFormat GeneralDateFormat::fromSystem()
{
#if defined(Q_OS_WIN)
    return {};  // Windows' own, in systemDateText
#elif __has_include(<langinfo.h>)
    std::setlocale(LC_TIME, "");
    return {nl_langinfo(D_FMT), nl_langinfo(T_FMT)};
#else
    std::setlocale(LC_TIME, "");
    return {"%x", "%X"};
#endif
}

QString generalDateText(const QDateTime& value, const GeneralDateFormat& format)
{
#if defined(Q_OS_WIN)
    if (format.shortDate.isEmpty())
        return systemDateText(value);
#endif
    const std::tm tm = brokenDown(value);
    QString text = render(tm, format.shortDate);
    if (value.time() != QTime(0, 0))
        text += QLatin1Char(' ') + render(tm, format.longTime);
    return text;
}

namespace {

std::optional<QDateTime> parsedWith(const QByteArray& text, const QByteArray& pattern)
{
#if __has_include(<langinfo.h>)
    std::tm tm{};
    const char* end = pattern.isEmpty() ? nullptr : ::strptime(text.constData(), pattern.constData(), &tm);
    if (!end || *end != '\0')
        return std::nullopt;
    const QDateTime value(QDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday), QTime(tm.tm_hour, tm.tm_min, tm.tm_sec));
    const bool inRange = value.date() >= QDate(1601, 1, 1) && value.date() <= QDate(9999, 12, 31);
    return value.isValid() && inRange ? std::optional(value) : std::nullopt;
#else
    Q_UNUSED(text);
    Q_UNUSED(pattern);
    return std::nullopt;
#endif
}

}  // namespace

namespace {

std::optional<QDateTime> parsedExactly(const QString& text, const GeneralDateFormat& format)
{
    const QByteArray bytes = text.toLocal8Bit();
    for (const QByteArray& pattern : {format.shortDate + ' ' + format.longTime, format.shortDate}) {
        auto value = parsedWith(bytes, pattern);
        if (value && generalDateText(*value, format) == text)
            return value;
    }
    return std::nullopt;
}

}  // namespace

std::optional<QDateTime> parseGeneralDate(const QString& text, const GeneralDateFormat& format)
{
    if (auto value = parsedExactly(text, format))
        return value;
    // A document written where the short date has four-digit years.
    GeneralDateFormat twin = format;
    twin.shortDate.replace("%y", "%Y");
    return twin.shortDate == format.shortDate ? std::nullopt : parsedExactly(text, twin);
}
