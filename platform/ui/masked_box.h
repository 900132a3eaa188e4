#pragma once
// Boxes for a Persian date (yyyy/mm/dd) and a time of day (hh:mm), typed into
// a fixed mask. Each has one stored form for "nothing typed": the mask with
// blanks, "    /  /  " and "  :  ", the text every workstation has always
// stored for an empty date or time. A box is empty, complete, or half typed;
// a half-typed box has no stored form and is refused by the window that saves,
// as is a complete one that names no day or time (1403/13/40, 25:99).
//
//     ui->birthday->setValue(row.value("birthday").toString()); // "", blanks or a date
//     if (ui->birthday->state() >= MaskedBox::Partial) ...        // refuse the save
//     values << qMakePair("birthday", ui->birthday->value());      // the stored form
//
// In a form: a QLineEdit promoted to DateBox or TimeBox (header platform/ui/masked_box.h).

#include <QLineEdit>

class MaskedBox : public QLineEdit {
    Q_OBJECT
public:
    // Impossible: every place typed, but no day of the Persian calendar (a
    // month beyond 12, a day beyond its month) or no time of day.
    enum State { Empty, Complete, Partial, Impossible };

    State state() const;
    // The stored form: the complete text, or the blank mask when nothing is
    // typed. A half-typed box gives its text with blanks as spaces.
    QString value() const;
    // Shows a stored text; an empty text, or one of blanks, empties the box.
    void setValue(const QString& stored);
    // The stored form of an empty box.
    QString blankText() const { return m_blank; }

protected:
    MaskedBox(const QString& mask, QWidget* parent);
    // Whether a text with every place typed names a real day or time.
    virtual bool possible(const QString& text) const = 0;
    // Persian and Arabic digits typed on a Persian keyboard count as their ASCII
    // digits; so do those of a pasted text (Ctrl+V, the context menu's paste,
    // the middle button's), which the mask would otherwise refuse.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A click past what is typed puts the cursor on the first blank, where
    // the next digit goes (an empty box: its first place), not after the mask.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Inserts the clipboard's text (or the selection's) as if typed.
    void pasteAsTyped(bool selection);
    // The place of the first blank, or the end when every place is typed.
    int firstBlank() const;

    QString m_blank;
};

// A Persian date yyyy/mm/dd; empty: "    /  /  ".
class DateBox : public MaskedBox {
    Q_OBJECT
public:
    static const QString Blank;
    explicit DateBox(QWidget* parent = nullptr);
    // Whether yyyy/mm/dd is a day of the Persian calendar.
    static bool isDay(const QString& text);

protected:
    bool possible(const QString& text) const override { return isDay(text); }
};

// A time of day hh:mm; empty: "  :  ".
class TimeBox : public MaskedBox {
    Q_OBJECT
public:
    static const QString Blank;
    explicit TimeBox(QWidget* parent = nullptr);
    // Whether hh:mm is a time of day, 00:00 to 23:59.
    static bool isTime(const QString& text);

protected:
    bool possible(const QString& text) const override { return isTime(text); }
};
