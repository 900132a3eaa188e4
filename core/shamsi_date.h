#pragma once
// Persian (solar Hijri) dates. Every date a user sees, types or compares is a
// 10-character text yyyy/mm/dd; month and day always have two digits.
//
// Both conversions follow the official calendar, computed from the break years
// of its 33-year leap cycles, so Nowruz falls on its real day in every year.
// (Qt's own Jalali calendar follows a 2820-year cycle that puts some years,
// 1436 among them, a day off.)

#include <QDate>
#include <QString>
#include <cstdint>

struct ShamsiDate {
    // The six fields, in this order: Gregorian year, month, day, Persian year, month, day.
    uint16_t MiladiYear = 0;
    uint16_t MiladiMonth = 0;
    uint16_t MiladiDay = 0;
    uint16_t ShamsiYear = 0;
    uint16_t ShamsiMonth = 0;
    uint16_t ShamsiDay = 0;

    // Gregorian fields := the workstation's current date, then Convert.
    void Init();
    // Gregorian fields := the given date, then Convert.
    void Init(const QDate& date);
    // Persian fields from the Gregorian fields.
    void Convert();
    bool IsShamsiLeap() const;
    // Gregorian leap year by the full rule.
    bool IsMiladiLeap() const;
    // Day of the Gregorian year, 1..366.
    int MiladiDayOfYear() const;
    // The Persian fields as yyyy/mm/dd.
    QString ToText() const;
};

// The workstation's today, shared by the whole program. Zeros until the first
// Init; after that it holds the date of the most recent Init anywhere.
extern ShamsiDate shamsi_today;

// Converts a server date given as Gregorian year, month and day in place to the
// Persian year, month and day, and returns the Persian date text.
QString miladi_to_shamsi(uint16_t& y, uint16_t& m, uint16_t& d);

namespace Shamsi {
// yyyy/mm/dd of a Gregorian date.
QString fromDate(const QDate& date);
// The Gregorian date of a Persian date text; invalid for a malformed text or a day that does not exist.
QDate toDate(const QString& text);
// Whether the text is a well-formed Persian date of a day that exists.
bool isValid(const QString& text);
// Today's Persian date text on the workstation's clock (runs shamsi_today.Init).
QString today();
// Formats three Persian numbers as yyyy/mm/dd.
QString format(int year, int month, int day);
}
