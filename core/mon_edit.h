#pragma once
// The entry box for amounts of money. While the user types it keeps only the
// digits and groups them by three from the right with ",", and gives its owner
// the amount as a whole number of rials.

#include "platform/db/money.h"

#include <QLineEdit>
#include <cstdint>

class TMonEdit : public QLineEdit {
    Q_OBJECT
public:
    // The largest amount the box takes: what every backend's money column stores.
    static constexpr int64_t MaxValue = Money::Max;

    explicit TMonEdit(QWidget* parent = nullptr);

    // The amount shown; 0 for an empty box.
    int64_t GetValue() const;
    // Shows an amount, grouped, whether or not the box's signals are blocked;
    // it is then the amount an over-long paste goes back to.
    void setValue(int64_t value);
    // The same for a stored or typed text; an empty text empties the box.
    void setAmountText(const QString& text);

    // Text to grouped text; the digits of other scripts count as their ASCII digits.
    QString FormatMoney(const QString& text);
    // An amount as the box shows it: its digits grouped by three with ",".
    static QString Grouped(int64_t value);
    // The ASCII digits of a text ("0" for an empty text).
    static QString DigitsOnly(const QString& text);

private slots:
    void TextChanged(const QString& text);

private:
    QString OldText;
};
