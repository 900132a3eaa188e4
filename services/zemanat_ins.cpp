#include "zemanat_ins.h"
#include "ui_zemanat_ins.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "services/request/request_entry.h"
#include "services/texts.h"
#include "services/zemanat_src.h"

Tzemanat_ins::Tzemanat_ins(QWidget* parent) : Form(parent), ui(new Ui::Tzemanat_ins)
{
    ui->setupUi(this);
    auto* entry = new Entry(QStringLiteral("zemanat"), this);
    entry->bind({{ui->bank, QStringLiteral("bank")},
                 {ui->shobe, QStringLiteral("shobe")},
                 {ui->aghsat, QStringLiteral("aghsat")},
                 {ui->mablagh, QStringLiteral("mablagh")},
                 {ui->cmt, QStringLiteral("cmt")}});
    entry->settingList(ui->bank, ServiceText::VamBankList);
    digits_only_key(ui->aghsat);
    enter_to_next_field({ui->bank, ui->shobe, ui->aghsat, ui->mablagh, ui->cmt});
    m_request = new RequestEntry(zemanat_desc(), entry, this, ui->ins_btn, ui->edit_btn);
    m_request->setNumbers({QStringLiteral("aghsat")});
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tzemanat_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tzemanat_ins::edit_btnClick);
}

Tzemanat_ins::~Tzemanat_ins() { delete ui; }

void Tzemanat_ins::openNew()
{
    m_request->openNew([this] {
        ui->aghsat->setText(QStringLiteral("0"));
        ui->mablagh->setValue(0);
    });
}

void Tzemanat_ins::openApprove(qint64 id) { m_request->openApprove(id); }

void Tzemanat_ins::ins_btnClick() { m_request->insertForUser(); }

void Tzemanat_ins::edit_btnClick() { m_request->approve({.showEdited = true}); }
