#include "vam_ins.h"
#include "ui_vam_ins.h"

#include "core/texts.h"
#include "platform/ui/window_set.h"
#include "services/request/request_entry.h"
#include "services/vam_entry.h"
#include "services/vam_ins_modir.h"

#include <QEvent>

Tvam_ins::Tvam_ins(QWidget* parent) : Form(parent), ui(new Ui::Tvam_ins)
{
    ui->setupUi(this);
    m_request = vam_entry({ui->typ, ui->mablagh, ui->aghsat, ui->marhale, ui->status, ui->bank, ui->cmt}, this,
                          ui->ins_btn, ui->edit_btn);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tvam_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tvam_ins::edit_btnClick);
    ui->Label23->installEventFilter(this);
}

Tvam_ins::~Tvam_ins() { delete ui; }

void Tvam_ins::openNew()
{
    m_request->openNew([this] { ui->mablagh->setValue(0); });
}

void Tvam_ins::openApprove(qint64 id) { m_request->openApprove(id); }

void Tvam_ins::ins_btnClick() { m_request->insertForUser(); }

void Tvam_ins::edit_btnClick()
{
    // The corrected boxes are saved; the date only while the loan has none.
    m_request->approve({.stamp = {.onlyWhenEmpty = true}, .closeWindow = true});
}

void Tvam_ins::Label23Click()
{
    auto* manager = win<Tvam_ins_modir>(QStringLiteral("vam_ins_modir"));
    manager_gate(CoreText::LoanManagerPasswordList, this, manager, [manager] { manager->clearForNext(); });
}

bool Tvam_ins::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Label23 && event->type() == QEvent::MouseButtonRelease)
        Label23Click();
    return Form::eventFilter(watched, event);
}
