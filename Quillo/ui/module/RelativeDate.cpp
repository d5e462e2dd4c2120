#include "ui/module/RelativeDate.h"

#include <array>
#include <chrono>

#include <unicode/calendar.h>
#include <unicode/reldatefmt.h>

struct RelativeDate::Icu {
    std::unique_ptr<icu::RelativeDateTimeFormatter> formatter;
    std::unique_ptr<icu::Calendar> calendar;
};

RelativeDate::RelativeDate(const QLocale& locale) : icu_(std::make_unique<Icu>())
{
    const icu::Locale icuLocale(locale.bcp47Name().toUtf8().constData());
    UErrorCode status = U_ZERO_ERROR;
    icu_->formatter = std::make_unique<icu::RelativeDateTimeFormatter>(icuLocale, nullptr, UDAT_STYLE_LONG,
                                                                       UDISPCTX_CAPITALIZATION_NONE, status);
    if (U_FAILURE(status))
        icu_->formatter.reset();
    status = U_ZERO_ERROR;
    icu_->calendar.reset(icu::Calendar::createInstance(icuLocale, status));
    if (U_FAILURE(status))
        icu_->calendar.reset();
}

RelativeDate::~RelativeDate() = default;

QString RelativeDate::text(Date date, Date now) const
{
    if (!icu_->formatter || !icu_->calendar)
        return {};
    const auto millis = [](Date moment) {
        return UDate(std::chrono::duration_cast<std::chrono::milliseconds>(moment.time_since_epoch()).count());
    };
    struct Step {
        UCalendarDateFields field;
        URelativeDateTimeUnit unit;
    };
    static constexpr std::array<Step, 7> steps{{
        {UCAL_YEAR, UDAT_REL_UNIT_YEAR},
        {UCAL_MONTH, UDAT_REL_UNIT_MONTH},
        {UCAL_WEEK_OF_YEAR, UDAT_REL_UNIT_WEEK},
        {UCAL_DATE, UDAT_REL_UNIT_DAY},
        {UCAL_HOUR_OF_DAY, UDAT_REL_UNIT_HOUR},
        {UCAL_MINUTE, UDAT_REL_UNIT_MINUTE},
        {UCAL_SECOND, UDAT_REL_UNIT_SECOND},
    }};
    // From now towards the date, field by field, as calendar differences are counted: the first
    // field with a whole unit of difference names the distance.
    UErrorCode status = U_ZERO_ERROR;
    icu::Calendar& calendar = *icu_->calendar;
    calendar.setTime(millis(now), status);
    double offset = 0;
    URelativeDateTimeUnit unit = UDAT_REL_UNIT_SECOND;
    for (const Step& step : steps) {
        const int32_t difference = calendar.fieldDifference(millis(date), step.field, status);
        if (U_FAILURE(status))
            return {};
        if (difference != 0) {
            offset = difference;
            unit = step.unit;
            break;
        }
    }
    icu::UnicodeString formatted;
    icu_->formatter->format(offset, unit, formatted, status);
    if (U_FAILURE(status))
        return {};
    return QString(reinterpret_cast<const QChar*>(formatted.getBuffer()), formatted.length());
}
