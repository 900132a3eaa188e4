#pragma once
// The travellers of one ticket request: first name, surname, national code and
// birth date, added one by one (a name is refused twice on one request) and
// deleted with a right click, which takes the traveller back into the boxes.

#include "platform/ui/form.h"

class AttachedPersons;

namespace Ui { class Tticket_nafarat; }

class Tticket_nafarat : public Form {
    Q_OBJECT
public:
    explicit Tticket_nafarat(QWidget* parent = nullptr);
    ~Tticket_nafarat() override;

    Ui::Tticket_nafarat* ui;
    AttachedPersons* persons() const { return m_persons; }

private:
    AttachedPersons* m_persons;
};
