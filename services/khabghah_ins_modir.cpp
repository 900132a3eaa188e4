#include "khabghah_ins_modir.h"
#include "ui_khabghah_ins_modir.h"

#include "core/list_behaviours.h"
#include "core/places.h"
#include "services/khabghah_ins.h"
#include "services/request/person_picker.h"
#include "services/request/request_entry.h"
#include "services/request/texts.h"

#include <QCheckBox>
#include <QKeyEvent>

Tkhabghah_ins_modir::Tkhabghah_ins_modir(QWidget* parent) : Form(parent), ui(new Ui::Tkhabghah_ins_modir)
{
    ui->setupUi(this);
    m_request = stay_entry({ui->ostan, ui->city, ui->dat1, ui->dat2, ui->roz, ui->shab, ui->cmt}, this, ui->ins_btn,
                           nullptr);
    m_picker = new PersonPicker(ui->lname, ui->nation, ui->personel_id, this);
    enter_to_next_field({ui->lname, ui->nation, ui->ostan, ui->city, ui->dat1, ui->dat2, ui->roz, ui->shab, ui->cmt,
                         ui->taeed});
    ui->taeed->installEventFilter(this);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tkhabghah_ins_modir::ins_btnClick);
}

Tkhabghah_ins_modir::~Tkhabghah_ins_modir() { delete ui; }

void Tkhabghah_ins_modir::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    m_picker->fillNames();
    Places::fillProvinces({ui->ostan});
}

bool Tkhabghah_ins_modir::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on the approve-now box enters the stay.
    if (watched == ui->taeed && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ins_btnClick();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void Tkhabghah_ins_modir::clearForNext()
{
    m_request->prepareNew([this] {
        stay_presets({ui->ostan, ui->city, ui->dat1, ui->dat2, ui->roz, ui->shab, ui->cmt});
    });
    m_picker->clear();
    ui->taeed->setChecked(true);
    ui->taeed->setVisible(true);
    ui->lname->setFocus();
}

void Tkhabghah_ins_modir::ins_btnClick()
{
    // Approved at the origin at once: the origin's date is the send date.
    const QStringList approveNow = ui->taeed->isChecked() ? QStringList{QStringLiteral("taeed_dat")} : QStringList{};
    const qint64 person = m_picker->personId();
    if (m_request->insert(person > 0 ? QVariant(person) : QVariant(), RequestText::PickPerson, approveNow))
        clearForNext();
}
