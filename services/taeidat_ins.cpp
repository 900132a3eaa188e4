#include "taeidat_ins.h"
#include "ui_taeidat_ins.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "services/request/request_entry.h"
#include "services/taeidat_src.h"
#include "services/texts.h"

Ttaeidat_ins::Ttaeidat_ins(QWidget* parent) : Form(parent), ui(new Ui::Ttaeidat_ins)
{
    ui->setupUi(this);
    auto* entry = new Entry(QStringLiteral("taeidat"), this);
    entry->bind({{ui->mozo, QStringLiteral("mozo")}, {ui->cmt, QStringLiteral("cmt")}});
    entry->settingList(ui->mozo, ServiceText::TaeidatList);
    enter_to_next_field({ui->mozo, ui->cmt});
    m_request = new RequestEntry(taeidat_desc(), entry, this, ui->ins_btn, ui->edit_btn);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Ttaeidat_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Ttaeidat_ins::edit_btnClick);
}

Ttaeidat_ins::~Ttaeidat_ins() { delete ui; }

void Ttaeidat_ins::openNew() { m_request->openNew(); }

void Ttaeidat_ins::openApprove(qint64 id) { m_request->openApprove(id); }

void Ttaeidat_ins::ins_btnClick() { m_request->insertForUser(); }

void Ttaeidat_ins::edit_btnClick() { m_request->approve({.showEdited = true}); }
