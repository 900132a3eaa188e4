#pragma once
// The loan manager's entry window: a loan for any person, picked by name and
// national code, approved at once while "approve" is ticked. After each
// request the window is cleared for the next one.

#include "platform/ui/form.h"

class PersonPicker;
class RequestEntry;

namespace Ui { class Tvam_ins_modir; }

class Tvam_ins_modir : public Form {
    Q_OBJECT
public:
    explicit Tvam_ins_modir(QWidget* parent = nullptr);
    ~Tvam_ins_modir() override;

    Ui::Tvam_ins_modir* ui;
    PersonPicker& picker() const { return *m_picker; }

    // Every box emptied, amount 0, no person, approve ticked.
    void clearForNext();

public slots:
    void ins_btnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    RequestEntry* m_request;
    PersonPicker* m_picker;
};
