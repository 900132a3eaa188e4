#include "hazine_ins.h"
#include "ui_hazine_ins.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/shamsi_date.h"
#include "services/hazine_src.h"
#include "services/request/request_entry.h"
#include "services/texts.h"

Thazine_ins::Thazine_ins(QWidget* parent) : Form(parent), ui(new Ui::Thazine_ins)
{
    ui->setupUi(this);
    auto* entry = new Entry(QStringLiteral("hazine"), this);
    entry->bind({{ui->mabda, QStringLiteral("mabda")},
                 {ui->maghsad, QStringLiteral("maghsad")},
                 {ui->dat1, QStringLiteral("dat1")},
                 {ui->dat2, QStringLiteral("dat2")},
                 {ui->saat1, QStringLiteral("saat1")},
                 {ui->saat2, QStringLiteral("saat2")},
                 {ui->masir, QStringLiteral("masir")},
                 {ui->mablagh, QStringLiteral("mablagh")},
                 {ui->cmt, QStringLiteral("cmt")},
                 {ui->typ, QStringLiteral("typ")}});
    entry->settingList(ui->typ, ServiceText::HazineTypeList);
    enter_to_next_field({ui->mabda, ui->maghsad, ui->dat1, ui->dat2, ui->saat1, ui->saat2, ui->masir, ui->mablagh,
                         ui->cmt, ui->typ});
    m_request = new RequestEntry(hazine_desc(), entry, this, ui->ins_btn, ui->edit_btn);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Thazine_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Thazine_ins::edit_btnClick);
}

Thazine_ins::~Thazine_ins() { delete ui; }

void Thazine_ins::openNew()
{
    m_request->openNew([this] {
        ui->mablagh->setValue(0);
        ui->dat1->setValue(Shamsi::today());
    });
}

void Thazine_ins::openApprove(qint64 id) { m_request->openApprove(id); }

void Thazine_ins::ins_btnClick() { m_request->insertForUser(); }

void Thazine_ins::edit_btnClick() { m_request->approve({.showEdited = true}); }
