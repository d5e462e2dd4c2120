#pragma once

#include <memory>

#include <QLocale>
#include <QString>

#include "records/Date.h"

// A date told relative to now in words, as a person would: "yesterday", "3 weeks ago",
// "last month", "in 2 hours". The unit is the largest calendar unit (years, months, weeks, days,
// hours, minutes, seconds) in which the two moments differ, counted in the local time zone;
// a difference of one takes its name where the language has one. Built once per language, since
// the formatter is costly to make; then cheap per date. GUI thread (not thread-safe).
class RelativeDate {
public:
    explicit RelativeDate(const QLocale& locale = QLocale());
    ~RelativeDate();
    RelativeDate(const RelativeDate&) = delete;
    RelativeDate& operator=(const RelativeDate&) = delete;

    QString text(Date date, Date now) const;

private:
    struct Icu;
    std::unique_ptr<Icu> icu_;
};
