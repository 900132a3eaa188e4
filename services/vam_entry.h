#pragma once
// What the two loan entry windows share: their boxes bound to the loan's
// columns, the settings lists of the drop-down boxes, the amount and the
// instalments as numbers.

#include <QList>

class Entry;
class QComboBox;
class QLineEdit;
class QWidget;
class RequestEntry;
class TMonEdit;
class Form;
class QPushButton;

struct VamBoxes {
    QComboBox* typ;
    TMonEdit* mablagh;
    QLineEdit* aghsat;
    QComboBox* marhale;
    QComboBox* status;
    QComboBox* bank;
    QLineEdit* cmt;
};

// The request entry of a loan window over its boxes; Enter moves from box to box.
RequestEntry* vam_entry(const VamBoxes& boxes, Form* window, QPushButton* ins_btn, QPushButton* edit_btn);
