#include "ticket_ins.h"
#include "ui_ticket_ins.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/shamsi_date.h"
#include "services/request/request_entry.h"
#include "services/texts.h"
#include "services/ticket_src.h"

Tticket_ins::Tticket_ins(QWidget* parent) : Form(parent), ui(new Ui::Tticket_ins)
{
    ui->setupUi(this);
    auto* entry = new Entry(QStringLiteral("ticket"), this);
    entry->bind({{ui->mabda, QStringLiteral("mabda")},
                 {ui->maghsad, QStringLiteral("maghsad")},
                 {ui->dat1, QStringLiteral("dat1")},
                 {ui->dat2, QStringLiteral("dat2")},
                 {ui->saat1, QStringLiteral("saat1")},
                 {ui->saat2, QStringLiteral("saat2")},
                 {ui->typ, QStringLiteral("typ")},
                 {ui->cnt, QStringLiteral("cnt")}});
    entry->settingList(ui->typ, ServiceText::TicketTypeList);
    digits_only_key(ui->cnt);
    enter_to_next_field({ui->mabda, ui->maghsad, ui->dat1, ui->dat2, ui->saat1, ui->saat2, ui->cnt, ui->typ});
    m_request = new RequestEntry(ticket_desc(), entry, this, ui->ins_btn, ui->edit_btn);
    m_request->setNumbers({QStringLiteral("cnt")});
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tticket_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tticket_ins::edit_btnClick);
}

Tticket_ins::~Tticket_ins() { delete ui; }

void Tticket_ins::openNew()
{
    m_request->openNew([this] {
        ui->cnt->setText(QStringLiteral("1"));
        ui->dat1->setValue(Shamsi::today());
    });
}

void Tticket_ins::openApprove(qint64 id) { m_request->openApprove(id); }

void Tticket_ins::ins_btnClick() { m_request->insertForUser(); }

void Tticket_ins::edit_btnClick() { m_request->approve({.showEdited = true}); }
