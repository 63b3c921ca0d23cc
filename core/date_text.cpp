#include "date_text.h"

#include <clocale>
#include <ctime>
#include <string_view>
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

QDateTime nowToTheSecond()
{
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second())};
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

std::optional<QDateTime> inRange(const QDateTime& value)
{
    const bool within = value.date() >= QDate(1601, 1, 1) && value.date() <= QDate(9999, 12, 31);
    return value.isValid() && within ? std::optional(value) : std::nullopt;
}

#if defined(Q_OS_WIN)
// A strftime pattern ("%d/%m/%Y") or a Windows picture ("dd/MM/yyyy",
// "hh:mm:ss tt") in QDateTime::fromString's terms, which are the picture's
// own but for the AM/PM mark.
QString qtFormatOf(const QByteArray& pattern)
{
    QString format = QString::fromLocal8Bit(pattern);
    if (!pattern.contains('%'))
        return format.replace(QLatin1String("tt"), QLatin1String("AP"));
    static const std::pair<const char*, const char*> kFields[] = {
        {"%#d", "d"}, {"%#m", "M"}, {"%#H", "H"}, {"%#I", "h"}, {"%d", "dd"}, {"%m", "MM"}, {"%Y", "yyyy"},
        {"%y", "yy"}, {"%H", "HH"}, {"%I", "hh"}, {"%M", "mm"}, {"%S", "ss"}, {"%p", "AP"}};
    for (const auto& [field, qt] : kFields)
        format.replace(QLatin1String(field), QLatin1String(qt));
    return format;
}

QByteArray userPicture(LCTYPE which)
{
    wchar_t picture[80] = {};
    ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, which, picture, 80);
    return QString::fromWCharArray(picture).toLocal8Bit();
}

// Two-digit years as Windows reads them by default: 50 to 99 in the 1900s,
// 00 to 49 in the 2000s (Qt's own reading puts them all in the 1900s).
std::optional<QDateTime> parsedWith(const QByteArray& text, const QByteArray& pattern)
{
    const QString format = qtFormatOf(pattern);
    QDateTime value = QDateTime::fromString(QString::fromLocal8Bit(text), format);
    if (value.isValid() && !format.contains(QLatin1String("yyyy")) && value.date().year() < 1950)
        value = value.addYears(100);
    return inRange(value);
}
#else
std::optional<QDateTime> parsedWith(const QByteArray& text, const QByteArray& pattern)
{
    std::tm tm{};
    const char* end = pattern.isEmpty() ? nullptr : ::strptime(text.constData(), pattern.constData(), &tm);
    if (!end || *end != '\0')
        return std::nullopt;
    return inRange(
        QDateTime(QDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday), QTime(tm.tm_hour, tm.tm_min, tm.tm_sec)));
}
#endif

}  // namespace

namespace {

std::optional<QDateTime> parsedExactly(const QString& text, const GeneralDateFormat& format)
{
    const QByteArray bytes = text.toLocal8Bit();
    GeneralDateFormat patterns = format;
#if defined(Q_OS_WIN)
    if (format.shortDate.isEmpty())  // the user's own
        patterns = {userPicture(LOCALE_SSHORTDATE), userPicture(LOCALE_STIMEFORMAT)};
#endif
    for (const QByteArray& pattern : {patterns.shortDate + ' ' + patterns.longTime, patterns.shortDate}) {
        auto value = parsedWith(bytes, pattern);
        if (value && generalDateText(*value, format) == text)
            return value;
    }
    return std::nullopt;
}

}  // namespace

namespace {

// 'D', 'M' or 'Y' for a pattern's letter that stands for a part, else 0.
char partOfLetter(char c)
{
    const auto in = [c](std::string_view letters) { return letters.find(c) != std::string_view::npos; };
    return in("de") ? 'D' : in("mM") ? 'M' : in("yY") ? 'Y' : 0;
}

// The letters that stand for a part: every letter of a Windows picture,
// only those after '%' in strftime's.
QByteArray partLetters(const QByteArray& pattern)
{
    if (!pattern.contains('%'))
        return pattern;
    QByteArray letters;
    for (qsizetype i = pattern.indexOf('%'); i >= 0 && i + 1 < pattern.size(); i = pattern.indexOf('%', i + 2))
        letters += pattern[i + 1];
    return letters;
}

// The order of day, month and year in a short date's pattern (strftime's, or
// a Windows picture): "DMY", "MDY" or "YMD".
QByteArray partOrder(const QByteArray& pattern)
{
    QByteArray order;
    for (const char c : partLetters(pattern)) {
        const char part = partOfLetter(c);
        if (part && !order.contains(part))
            order += part;
    }
    return order.size() == 3 ? order : QByteArray("MDY");  // the C library's %x
}

// Splits "9", "12", "2026" out of a date such as "9/12/2026", "09.12.26" or
// "2026-12-09": digits, one separator, digits, the same separator, digits.
std::optional<QList<int>> dateNumbers(QStringView date)
{
    for (const char16_t separator : {u'/', u'.', u'-'}) {
        const QList<QStringView> parts = date.split(separator);
        if (parts.size() != 3)
            continue;
        QList<int> numbers;
        for (const QStringView part : parts) {
            bool number = false;
            const int value = part.size() <= 4 && !part.isEmpty() && part[0].isDigit() ? part.toInt(&number) : 0;
            if (!number)
                return std::nullopt;
            numbers.append(value);
        }
        return numbers;
    }
    return std::nullopt;
}

// The hours, minutes and seconds of "9:05:03" or "09:05".
std::optional<QList<int>> timeNumbers(QStringView time)
{
    QList<int> numbers;
    for (const QStringView part : time.split(u':')) {
        bool number = false;
        numbers.append(part.size() <= 2 && !part.isEmpty() ? part.toInt(&number) : -1);
        if (!number)
            return std::nullopt;
    }
    if (numbers.size() < 2 || numbers.size() > 3)
        return std::nullopt;
    return numbers;
}

// A time such as "9:05:03", "09:05", "9:05:03 AM" or "9:05:03 p. m.".
std::optional<QTime> timeOf(QString time)
{
    time = time.toUpper().remove(u'.').remove(u' ');
    const bool pm = time.endsWith(u"PM"_qs), am = time.endsWith(u"AM"_qs);
    if (pm || am)
        time.chop(2);
    const auto numbers = timeNumbers(time);
    if (!numbers || ((pm || am) && ((*numbers)[0] < 1 || (*numbers)[0] > 12)))
        return std::nullopt;
    const int hour = am ? (*numbers)[0] % 12 : pm ? (*numbers)[0] % 12 + 12 : (*numbers)[0];
    const QTime value(hour, (*numbers)[1], numbers->value(2, 0));
    return value.isValid() ? std::optional(value) : std::nullopt;
}

// The date in another system's form (Windows' short date and long time, the
// C library's %x %X), its parts in the order of this system's short date; a
// two-digit year is read as Windows reads it, 1950 to 2049.
std::optional<QDateTime> parsedLeniently(const QString& text, const GeneralDateFormat& format)
{
    QByteArray pattern = format.shortDate;
#if defined(Q_OS_WIN)
    if (pattern.isEmpty())
        pattern = userPicture(LOCALE_SSHORTDATE);
#endif
    const qsizetype space = text.indexOf(u' ');
    const auto numbers = dateNumbers(QStringView(text).first(space < 0 ? text.size() : space));
    if (!numbers)
        return std::nullopt;
    const QByteArray order = (*numbers)[0] > 31 ? QByteArray("YMD") : partOrder(pattern);
    int year = (*numbers)[order.indexOf('Y')];
    year += year < 50 ? 2000 : year < 100 ? 1900 : 0;
    const QDate date(year, (*numbers)[order.indexOf('M')], (*numbers)[order.indexOf('D')]);
    const auto time = space < 0 ? std::optional(QTime(0, 0)) : timeOf(text.sliced(space + 1));
    if (!date.isValid() || !time)
        return std::nullopt;
    return inRange(QDateTime(date, *time));
}

}  // namespace

std::optional<QDateTime> parseGeneralDate(const QString& text, const GeneralDateFormat& format)
{
    if (auto value = parsedExactly(text, format))
        return value;
    // A document written where the short date has four-digit years.
    GeneralDateFormat twin = format;
    twin.shortDate.replace("%y", "%Y");
    if (twin.shortDate != format.shortDate) {
        if (auto value = parsedExactly(text, twin))
            return value;
    }
    // A document written on the other system, or under another setting.
    return parsedLeniently(text, format);
}
