#include "money.h"

#include "platform/db/sql.h"

#include <cmath>

namespace Money {
namespace {

[[noreturn]] void notAnAmount(const QVariant& value)
{
    throw DbError(QStringLiteral("not an amount of money: ") + value.toString(), QString());
}

// "[-]digits[.digits]" in whole units, rounded half away from zero.
qint64 fromText(const QVariant& value)
{
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return 0;
    qsizetype i = 0;
    const bool negative = text.at(0) == QLatin1Char('-');
    if (negative || text.at(0) == QLatin1Char('+'))
        ++i;
    qint64 whole = 0;
    int digits = 0;
    for (; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i, ++digits) {
        if (whole > (std::numeric_limits<qint64>::max() - 9) / 10)
            notAnAmount(value);
        whole = whole * 10 + (text.at(i).unicode() - '0');
    }
    bool roundUp = false;
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        ++i;
        for (qsizetype first = i; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i, ++digits)
            if (i == first)
                roundUp = text.at(i) >= QLatin1Char('5');
    }
    if (digits == 0 || i != text.size())
        notAnAmount(value);
    if (roundUp)
        ++whole;
    return negative ? -whole : whole;
}

} // namespace

qint64 fromDb(const QVariant& value)
{
    if (value.isNull())
        return 0;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d) || std::fabs(d) >= 9.2e18)
            notAnAmount(value);
        return std::llround(d);
    }
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return fromText(value);
    default: {
        bool ok = false;
        const qint64 n = value.toLongLong(&ok);
        if (!ok)
            return fromText(value);
        return n;
    }
    }
}

} // namespace Money
