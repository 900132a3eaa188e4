#pragma once
// Loans: a member of staff asks for a loan of a type, an amount and a number
// of instalments from a bank; the office approves it once and prints one of
// three letters for it. The loans list, on the request pattern.

#include "platform/ui/form.h"
#include "services/request/request.h"

class RequestList;

namespace Ui { class Tvam_src; }

// The loans as a request feature: table vam, rights page vam.
const RequestDesc& vam_desc();

class Tvam_src : public Form {
    Q_OBJECT
public:
    explicit Tvam_src(QWidget* parent = nullptr);
    ~Tvam_src() override;

    Ui::Tvam_src* ui;
    RequestList& requests() const { return *m_requests; }

public slots:
    void A51Click(); // payment request letter (A5)
    void A41Click(); // request form with its approval chain (A4)
    void N7Click();  // relief-loan request form

protected:
    void showEvent(QShowEvent* event) override;

private:
    RequestList* m_requests;
};
