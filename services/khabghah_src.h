#pragma once
// Guesthouse stays: the requests for a stay in another province's or county's
// guesthouse, approved first by the office of the requester's province (the
// origin) and then by the office of the destination province. A user's list
// holds the requests in the user's scope and, for a destination office, the
// origin-approved requests for the counties of its scope; the filters narrow
// both alike.

#include "platform/ui/form.h"
#include "services/request/request.h"

class RequestList;

namespace Ui { class Tkhabghah_src; }

// The guesthouse stays as a request feature.
const RequestDesc& khabghah_desc();

class Tkhabghah_src : public Form {
    Q_OBJECT
public:
    explicit Tkhabghah_src(QWidget* parent = nullptr);
    ~Tkhabghah_src() override;

    Ui::Tkhabghah_src* ui;
    RequestList* requests() const { return m_requests; }

public slots:
    void N10Click(); // the current stay's companions
    void N6Click();  // the letters of the current stay, by guesthouse
    void N7Click();
    void N8Click();
    void N9Click();
    void N11Click();
    void N12Click(); // the blank confirmation form

protected:
    void showEvent(QShowEvent* event) override;

private:
    RequestList* m_requests;
};
