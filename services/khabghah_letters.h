#pragma once
// The printed forms of a guesthouse stay, one per guesthouse: the requester,
// the stay's dates, the companions in the order they were added (as many as
// the form has rows; the count is of all of them) and the provincial
// staff-services officer who signs, from the requester's province's settings.

#include <QVariantMap>

class QWidget;

enum class StayLetter { Markazi, Amirkola, Ramsar, Other, Mashad };

// The sheet a letter prints on and its number of companion rows.
QString stay_letter_sheet(StayLetter letter);
int stay_letter_rows(StayLetter letter);

// Fills the letter for a stay as listed (joined with its owner's person row)
// and shows its preview. Nothing happens without a current stay.
bool print_stay_letter(StayLetter letter, const QVariantMap& stay, QWidget* parent = nullptr);
// The confirmation list of guests, blank, for filling by hand.
void print_stay_confirmation(QWidget* parent = nullptr);
