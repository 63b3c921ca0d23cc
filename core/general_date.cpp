#include "general_date.h"

#include <clocale>
#include <ctime>
#if __has_include(<langinfo.h>)
#include <langinfo.h>
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

}  // namespace

GeneralDateFormat GeneralDateFormat::fromSystem()
{
    std::setlocale(LC_TIME, "");
#if __has_include(<langinfo.h>)
    return {nl_langinfo(D_FMT), nl_langinfo(T_FMT)};
#else
    return {"%x", "%X"};
#endif
}

QString generalDateText(const QDateTime& value, const GeneralDateFormat& format)
{
    const std::tm tm = brokenDown(value);
    QString text = render(tm, format.shortDate);
    if (value.time() != QTime(0, 0))
        text += QLatin1Char(' ') + render(tm, format.longTime);
    return text;
}
