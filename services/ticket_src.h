#pragma once
// Travel tickets: a member of staff asks the office for plane or train tickets
// for a journey; the requester is the first traveller, others are added in the
// travellers window; the office approves the request (every approval moves its
// date to that day) and prints the request with one line per traveller. The
// tickets list, on the request pattern.

#include "platform/ui/form.h"
#include "services/request/request.h"

class RequestList;

namespace Ui { class Tticket_src; }

// The tickets as a request feature: table ticket, rights page ticket. A new
// request takes its owner's person record as its first traveller.
const RequestDesc& ticket_desc();

class Tticket_src : public Form {
    Q_OBJECT
public:
    explicit Tticket_src(QWidget* parent = nullptr);
    ~Tticket_src() override;

    Ui::Tticket_src* ui;
    RequestList& requests() const { return *m_requests; }

public slots:
    void N4Click(); // the printed request
    void N7Click(); // the travellers of the current request

protected:
    void showEvent(QShowEvent* event) override;

private:
    RequestList* m_requests;
};
