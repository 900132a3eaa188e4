#pragma once
// Typed text is normalised once, at input, to the form stored in the database:
// every key typed into a text box of the program passes through normalize()
// (installTyping), and the shared machinery that reads boxes (the list
// filters, the login, the entry boxes) reads them through normalize() as well,
// so that pasted or programmatically set text is stored and searched the same.
// A one-line box holds one line: what is pasted or set into it has its tabs
// and line breaks turned into a space as it arrives (installTyping), and is
// read so (boxText); many-line boxes keep theirs.

#include <QString>
#include <QVariantList>

class QApplication;
class QLineEdit;
class QWidget;

namespace TextInput {
constexpr char16_t ArabicKaf = 0x0643;
constexpr char16_t ArabicYeh = 0x064A;
constexpr char16_t PersianYeh = 0x06CC;
constexpr char16_t FinalYeh = 0x0649;
constexpr char16_t Keheh = 0x06A9;

// Persian (U+06F0..) and Arabic-Indic (U+0660..) digits to ASCII digits.
QString asciiDigits(const QString& text);
// The stored form of typed text: digits to ASCII; the Persian and final-form
// yeh to the Arabic yeh the office's data uses (the Arabic kaf and the keheh
// both occur in stored values and stay as typed); the zero-width and direction
// marks that cannot belong removed: control characters (tab and line ends
// stay), halves of a character (an unpaired surrogate), every direction mark,
// the zero-width space and the byte-order mark always, the zero-width
// non-joiner and joiner everywhere but between two letters (where they shape
// a Persian word).
QString normalize(const QString& text);
// The stored form of the text of a one-line box: normalize(), with each run
// of tabs and line breaks (and the spaces beside them) one space, and none
// at either end.
QString oneLine(const QString& text);
// The forms a typed code (a user name, a national code) may be found in: its
// stored form first, then the text as typed, then the stored form with its
// ASCII digits written as Persian and as Arabic-Indic digits, as rows written
// before typed text was normalised may hold them. Each form once.
QVariantList storedForms(const QString& typed);
// The text of an entry box (line edit, editable or fixed list, plain or rich
// text box; otherwise its "text" property), normalised: a line edit's (not a
// password box's) and a list's on one line (oneLine), a text box's with its
// tabs and line breaks.
QString boxText(const QWidget* box);
// Makes a box accept digits only, typed or pasted (other digit sets become ASCII).
void digitsOnly(QLineEdit* box);
// Whether digitsOnly was called on the box.
bool takesDigitsOnly(const QWidget* box);
// From now on every key typed into a text box of the application gives the
// stored form of its character, and every text pasted or set into a line
// edit (an editable list's too) has its tabs and line breaks turned into a
// space at once (password boxes keep what is typed or pasted).
void installTyping(QApplication& app);

// A text cut to at most a number of UTF-16 units, at a character boundary
// (never half of a surrogate pair), without the spaces the cut leaves at its
// end; a text within the limit is returned as it is.
QString cut(const QString& text, qsizetype characters);
// Limits a box to a number of characters: a line edit (and an editable list's
// line) by its maximum length, a plain or rich text box by cutting what goes
// beyond; cut either way as cut() does. Used through limit_to_column
// (core/list_behaviours.h).
void limitLength(QWidget* box, int characters);
}
