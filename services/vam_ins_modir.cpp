#include "vam_ins_modir.h"
#include "ui_vam_ins_modir.h"

#include "core/list_behaviours.h"
#include "platform/ui/entry_boxes.h"
#include "services/request/person_picker.h"
#include "services/request/request_entry.h"
#include "services/request/texts.h"
#include "services/vam_entry.h"

Tvam_ins_modir::Tvam_ins_modir(QWidget* parent) : Form(parent), ui(new Ui::Tvam_ins_modir)
{
    ui->setupUi(this);
    m_request = vam_entry({ui->typ, ui->mablagh, ui->aghsat, ui->marhale, ui->status, ui->bank, ui->cmt}, this,
                          ui->ins_btn, nullptr);
    m_picker = new PersonPicker(ui->lname, ui->nation, ui->personel_id, this);
    enter_to_next_field({ui->lname, ui->nation, ui->typ});
    yellow_while_focused({ui->lname, ui->nation});
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tvam_ins_modir::ins_btnClick);
}

Tvam_ins_modir::~Tvam_ins_modir() { delete ui; }

void Tvam_ins_modir::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    m_picker->fillNames();
}

void Tvam_ins_modir::clearForNext()
{
    m_request->prepareNew([this] { ui->mablagh->setValue(0); });
    m_picker->clear();
    ui->taeed->setChecked(true);
    ui->taeed->setVisible(true);
    ui->lname->setFocus();
}

void Tvam_ins_modir::ins_btnClick()
{
    // Approved at once: the approval date is the send date.
    const QStringList approveNow = ui->taeed->isChecked() ? QStringList{m_request->desc().approvalColumn} : QStringList{};
    if (m_request->insert(m_picker->personId(), RequestText::PickPerson, approveNow))
        clearForNext();
}
