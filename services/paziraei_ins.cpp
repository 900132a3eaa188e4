#include "paziraei_ins.h"
#include "ui_paziraei_ins.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/shamsi_date.h"
#include "services/paziraei_src.h"
#include "services/request/request_entry.h"
#include "services/texts.h"

Tpaziraei_ins::Tpaziraei_ins(QWidget* parent) : Form(parent), ui(new Ui::Tpaziraei_ins)
{
    ui->setupUi(this);
    auto* entry = new Entry(QStringLiteral("paziraei"), this);
    entry->bind({{ui->onvan, QStringLiteral("onvan")},
                 {ui->loc, QStringLiteral("loc")},
                 {ui->dat, QStringLiteral("dat")},
                 {ui->typ, QStringLiteral("typ")},
                 {ui->cnt, QStringLiteral("cnt")}});
    entry->settingList(ui->typ, ServiceText::PaziraeiTypeList);
    digits_only_key(ui->cnt);
    enter_to_next_field({ui->onvan, ui->loc, ui->cnt, ui->dat, ui->typ});
    m_request = new RequestEntry(paziraei_desc(), entry, this, ui->ins_btn, ui->edit_btn);
    m_request->setNumbers({QStringLiteral("cnt")});
    m_request->addApproveButtons({ui->modir_btn});
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tpaziraei_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tpaziraei_ins::edit_btnClick);
    connect(ui->modir_btn, &QPushButton::clicked, this, &Tpaziraei_ins::modir_btnClick);
}

Tpaziraei_ins::~Tpaziraei_ins() { delete ui; }

void Tpaziraei_ins::openNew()
{
    m_request->openNew([this] {
        ui->cnt->setText(QStringLiteral("1"));
        ui->dat->setValue(Shamsi::today());
    });
}

void Tpaziraei_ins::openApprove(qint64 id) { m_request->openApprove(id); }

void Tpaziraei_ins::openManagerApproval(qint64 id) { m_request->openApprove(id, ui->modir_btn); }

void Tpaziraei_ins::ins_btnClick() { m_request->insertForUser(); }

void Tpaziraei_ins::edit_btnClick()
{
    m_request->approve({.stamp = {.nameColumn = QStringLiteral("taeed_name")}, .closeWindow = true});
}

void Tpaziraei_ins::modir_btnClick()
{
    m_request->approve(
        {.stamp = {.column = QStringLiteral("modir_dat"),
                   .nameColumn = QStringLiteral("modir_name"),
                   // The pairs the list's gate asked, as they are when the stamp is written.
                   .approverIn = {QStringLiteral("marateb"), QStringLiteral("marateb_v")}},
         .closeWindow = true});
}
