#pragma once
// The hospitality entry window: a new order of the current user (one person,
// meeting today), the office's approval or the manager's approval of one
// order. Each approval saves the corrected boxes, stamps its own date with the
// approver's surname and closes the window. One of the three buttons shows.

#include "platform/ui/form.h"

class RequestEntry;

namespace Ui { class Tpaziraei_ins; }

class Tpaziraei_ins : public Form {
    Q_OBJECT
public:
    explicit Tpaziraei_ins(QWidget* parent = nullptr);
    ~Tpaziraei_ins() override;

    Ui::Tpaziraei_ins* ui;
    RequestEntry& request() const { return *m_request; }

    void openNew();
    // The office's approval (edit_btn) of the order of that id.
    void openApprove(qint64 id);
    // The manager's approval (modir_btn) of the order of that id.
    void openManagerApproval(qint64 id);

public slots:
    void ins_btnClick();
    void edit_btnClick();
    void modir_btnClick();

private:
    RequestEntry* m_request;
};
