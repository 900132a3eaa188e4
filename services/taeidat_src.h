#pragma once
// Approvals: a member of staff asks the office to confirm a subject, chosen
// from a settings list, with its value; the office approves the request, and
// every approval moves its date to the day it is given. The approvals list,
// on the request pattern.

#include "platform/ui/form.h"
#include "services/request/request.h"

class RequestList;

namespace Ui { class Ttaeidat_src; }

// The approvals as a request feature: table taeidat, rights page taeidat.
const RequestDesc& taeidat_desc();

class Ttaeidat_src : public Form {
    Q_OBJECT
public:
    explicit Ttaeidat_src(QWidget* parent = nullptr);
    ~Ttaeidat_src() override;

    Ui::Ttaeidat_src* ui;
    RequestList& requests() const { return *m_requests; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    RequestList* m_requests;
};
