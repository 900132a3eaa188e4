#pragma once
// The loan entry window: a new loan request of the current user, or the
// approval of one request (its boxes corrected, the date stamped only once).
// A click on the red title opens the manager's window behind its password.

#include "platform/ui/form.h"

class RequestEntry;

namespace Ui { class Tvam_ins; }

class Tvam_ins : public Form {
    Q_OBJECT
public:
    explicit Tvam_ins(QWidget* parent = nullptr);
    ~Tvam_ins() override;

    Ui::Tvam_ins* ui;
    RequestEntry& request() const { return *m_request; }

    // The list's commands: a new request (amount 0), or the approval of the request of that id.
    void openNew();
    void openApprove(qint64 id);

public slots:
    void ins_btnClick();
    void edit_btnClick();
    void Label23Click(); // the manager gate

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RequestEntry* m_request;
};
