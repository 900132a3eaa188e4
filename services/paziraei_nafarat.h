#pragma once
// The guests of one hospitality order: first name, surname and the food,
// drink and extras each wants (from the settings lists, read at every show),
// added one by one (a name is refused twice on one order), counted, and
// deleted with a right click, which takes the guest back into the boxes.

#include "platform/ui/form.h"

class AttachedPersons;

namespace Ui { class Tpaziraei_nafarat; }

class Tpaziraei_nafarat : public Form {
    Q_OBJECT
public:
    explicit Tpaziraei_nafarat(QWidget* parent = nullptr);
    ~Tpaziraei_nafarat() override;

    Ui::Tpaziraei_nafarat* ui;
    AttachedPersons* persons() const { return m_persons; }

private:
    AttachedPersons* m_persons;
};
