#include "khabghah_ins.h"
#include "ui_khabghah_ins.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/places.h"
#include "core/session.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "personnel/texts.h"
#include "platform/ui/entry_boxes.h"
#include "platform/ui/masked_box.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"
#include "services/khabghah_ins_modir.h"
#include "services/khabghah_src.h"
#include "services/request/person_picker.h"
#include "services/request/request_entry.h"
#include "services/request/request_sql.h"
#include "services/request/texts.h"
#include "services/texts.h"

#include <QEvent>

namespace {

QString s(const char* text) { return QString::fromLatin1(text); }

// A person row by its id; empty when there is none. Throws DbError.
QVariantMap person_row(const QVariant& id)
{
    if (id.toString().isEmpty())
        return {};
    return Sql::row(s("select * from personel where id=?"), {id});
}

} // namespace

RequestEntry* stay_entry(const StayBoxes& b, Form* window, QPushButton* ins_btn, QPushButton* edit_btn)
{
    auto* entry = new Entry(s("khabghah"), window);
    entry->bind({{b.ostan, s("ostan")}, {b.city, s("city")}, {b.dat1, s("dat1")}, {b.dat2, s("dat2")},
                 {b.roz, s("roz")}, {b.shab, s("shab")}, {b.cmt, s("cmt")}});
    digits_only_key(b.roz);
    digits_only_key(b.shab);
    b.roz->setMaxLength(9); // what an integer column holds
    b.shab->setMaxLength(9);
    on_user_change(b.ostan, [b] { Places::fillCounties(b.city, b.ostan->currentText()); });
    auto* request = new RequestEntry(khabghah_desc(), entry, window, ins_btn, edit_btn);
    request->setAdjust([](Row& values) {
        for (auto& [column, value] : values)
            if (column == QLatin1String("roz") || column == QLatin1String("shab"))
                value = value.toString().isEmpty() ? QVariant() : QVariant(value.toString().toLongLong());
    });
    return request;
}

void stay_presets(const StayBoxes& b)
{
    b.roz->setText(s("1"));
    b.shab->setText(s("1"));
    b.dat1->setValue(Shamsi::today());
    b.dat2->setValue(b.dat1->value());
}

Tkhabghah_ins::Tkhabghah_ins(QWidget* parent) : Form(parent), ui(new Ui::Tkhabghah_ins)
{
    ui->setupUi(this);
    m_request = stay_entry({ui->ostan, ui->city, ui->dat1, ui->dat2, ui->roz, ui->shab, ui->cmt}, this, ui->ins_btn,
                           ui->edit_btn);
    m_picker = new PersonPicker(ui->lname, ui->nation, ui->personel_id, this);
    enter_to_next_field({ui->lname, ui->nation, ui->ostan, ui->city, ui->dat1, ui->dat2, ui->roz, ui->shab, ui->cmt});
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tkhabghah_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tkhabghah_ins::edit_btnClick);
    ui->Label23->installEventFilter(this);
}

Tkhabghah_ins::~Tkhabghah_ins() { delete ui; }

void Tkhabghah_ins::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    Places::fillProvinces({ui->ostan});
}

bool Tkhabghah_ins::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Label23 && event->type() == QEvent::MouseButtonRelease)
        Label23Click();
    return Form::eventFilter(watched, event);
}

void Tkhabghah_ins::openNew()
{
    const CurrentUser& user = Session::user();
    QVariantMap me;
    if (!Db::guard([&] { me = person_row(user.personel_id); }))
        return;
    // Users who may choose pick the person; every other level files the
    // stay under the user's own person, whatever was picked before.
    m_picking = user.level == QLatin1String("multi") || user.isAdmin();
    m_request->prepareNew([&] {
        const StayBoxes boxes{ui->ostan, ui->city, ui->dat1, ui->dat2, ui->roz, ui->shab, ui->cmt};
        stay_presets(boxes);
        ui->cmt->setText(ServiceText::StayEnteredBy + me.value(s("fname")).toString() + QLatin1Char(' ') +
                         me.value(s("lname")).toString());
    });
    if (m_picking) {
        m_picker->fillNames();
        m_picker->clear();
    } else {
        m_picker->fix(user.personel_id.isEmpty() ? -1 : user.personel_id.toLongLong());
    }
    ui->taeed->hide();
    ui->taeed2->hide();
    ui->no_taeed->hide();
    showModal();
}

QVariant Tkhabghah_ins::owner() const
{
    const qint64 id = m_picker->personId();
    return id > 0 ? QVariant(id) : QVariant();
}

void Tkhabghah_ins::ins_btnClick()
{
    const std::optional<Row> fields = m_request->values();
    if (!fields)
        return;
    bool duplicate = false;
    bool place = false;
    if (!Db::guard([&] {
            duplicate = owner().isValid() && RequestSql::hasDuplicate(khabghah_desc(), owner(), *fields);
            place = Places::pairExists(ui->ostan->currentText(), ui->city->currentText());
        }))
        return;
    if (duplicate) {
        Msg::info(ServiceText::StayDuplicate);
        return;
    }
    if (!place) {
        Msg::info(PersonnelText::PlaceWrong);
        return;
    }
    m_request->insert(owner(), m_picking ? RequestText::PickPerson : RequestText::NoPersonRecord);
}

void Tkhabghah_ins::openApprove(qint64 id)
{
    if (!m_request->prepareApprove(id))
        return;
    QVariantMap stay;
    QVariantMap requester;
    QVariantMap me;
    if (!Db::guard([&] {
            stay = Sql::row(s("select * from khabghah where id=?"), {id});
            requester = person_row(stay.value(s("personel_id")));
            me = person_row(Session::user().personel_id);
        }))
        return;
    m_picking = false;
    m_picker->fix(stay.value(s("personel_id")).toLongLong());
    const QString myProvince = me.value(s("ostan")).toString();
    const bool originApproved = !stay.value(s("taeed_dat")).toString().isEmpty();
    // An office is known by its province: a user without one belongs to neither.
    ui->taeed->setVisible(!originApproved && !myProvince.isEmpty() &&
                          myProvince == requester.value(s("ostan")).toString());
    ui->taeed2->setVisible(originApproved && !myProvince.isEmpty() && myProvince == stay.value(s("ostan")).toString());
    // Each box shows its approval as the request has it.
    ui->taeed->setChecked(originApproved);
    ui->taeed2->setChecked(!stay.value(s("taeed2_dat")).toString().isEmpty());
    // A user who may approve neither is told why.
    const bool neither = ui->taeed->isHidden() && ui->taeed2->isHidden();
    ui->no_taeed->setText(!neither              ? QString()
                          : myProvince.isEmpty() ? ServiceText::StayNoApprovalWithoutPerson
                                                 : ServiceText::StayNoApprovalOtherProvince);
    ui->no_taeed->setVisible(neither);
    // The county list is the stay's province's, for a county to be corrected.
    Places::fillCounties(ui->city, ui->ostan->currentText());
    showModal();
}

void Tkhabghah_ins::edit_btnClick()
{
    bool place = false;
    if (!Db::guard([&] { place = Places::pairExists(ui->ostan->currentText(), ui->city->currentText()); }))
        return;
    if (!place) {
        Msg::info(PersonnelText::PlaceWrong);
        return;
    }
    QCheckBox* box = ui->taeed->isVisible() ? ui->taeed : ui->taeed2->isVisible() ? ui->taeed2 : nullptr;
    RequestEntry::Approval approval{.closeWindow = true};
    if (box)
        approval.stamp = {.column = box == ui->taeed ? s("taeed_dat") : s("taeed2_dat"), .clear = !box->isChecked()};
    else
        approval.stamp = {.column = QString()}; // neither office: the fields only
    m_request->approve(approval);
}

void Tkhabghah_ins::Label23Click()
{
    auto* manager = win<Tkhabghah_ins_modir>(s("khabghah_ins_modir"));
    manager_gate(CoreText::GuesthouseManagerPasswordList, this, manager, [manager] { manager->clearForNext(); });
}
