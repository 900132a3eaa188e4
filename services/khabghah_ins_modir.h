#pragma once
// The manager's entry of guesthouse stays, behind the manager gate: a stay
// for any picked person, approved at the origin at once when the box is ticked.
// After each entry the window is ready for the next.

#include "platform/ui/form.h"

class PersonPicker;
class RequestEntry;

namespace Ui { class Tkhabghah_ins_modir; }

class Tkhabghah_ins_modir : public Form {
    Q_OBJECT
public:
    explicit Tkhabghah_ins_modir(QWidget* parent = nullptr);
    ~Tkhabghah_ins_modir() override;

    Ui::Tkhabghah_ins_modir* ui;

    // Empty boxes, no person, one day and night from today, approve-now ticked.
    void clearForNext();

public slots:
    void ins_btnClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RequestEntry* m_request;
    PersonPicker* m_picker;
};
