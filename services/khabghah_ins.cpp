#include "khabghah_ins.h"
#include "ui_khabghah_ins.h"

#include "core/account_now.h"
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

using namespace Qt::StringLiterals;

namespace {

// A person row by its id; empty when there is none. Throws DbError.
QVariantMap person_row(const QVariant& id)
{
    if (id.toString().isEmpty())
        return {};
    return Sql::row(u"select * from personel where id=?"_s, {id});
}

} // namespace

RequestEntry* stay_entry(const StayBoxes& b, Form* window, QPushButton* ins_btn, QPushButton* edit_btn)
{
    auto* entry = new Entry(u"khabghah"_s, window);
    entry->bind({{b.ostan, u"ostan"_s}, {b.city, u"city"_s}, {b.dat1, u"dat1"_s}, {b.dat2, u"dat2"_s},
                 {b.roz, u"roz"_s}, {b.shab, u"shab"_s}, {b.cmt, u"cmt"_s}});
    digits_only_key(b.roz);
    digits_only_key(b.shab);
    on_user_change(b.ostan, [b] { Places::provinceChanged(b.city, b.ostan->currentText()); });
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
    b.roz->setText(u"1"_s);
    b.shab->setText(u"1"_s);
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
        ui->cmt->setText(ServiceText::StayEnteredBy + me.value(u"fname"_s).toString() + QLatin1Char(' ') +
                         me.value(u"lname"_s).toString());
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
    // A stay for another person picked is for the levels that may pick, as
    // the level is stored at the write.
    std::optional<AccountNow::ForLevels> pickers;
    if (m_picking && owner().toString() != Session::user().personel_id)
        pickers.emplace(QStringList{u"multi"_s, u"admin"_s});
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
            stay = Sql::row(u"select * from khabghah where id=?"_s, {id});
            requester = person_row(stay.value(u"personel_id"_s));
            me = person_row(Session::user().personel_id);
        }))
        return;
    m_picking = false;
    m_picker->fix(stay.value(u"personel_id"_s).toLongLong());
    const QString myProvince = me.value(u"ostan"_s).toString();
    const bool originApproved = !stay.value(u"taeed_dat"_s).toString().isEmpty();
    // An office is known by its province: a user without one belongs to neither.
    ui->taeed->setVisible(!originApproved && !myProvince.isEmpty() &&
                          myProvince == requester.value(u"ostan"_s).toString());
    ui->taeed2->setVisible(originApproved && !myProvince.isEmpty() && myProvince == stay.value(u"ostan"_s).toString());
    // Each box shows its approval as the request has it.
    ui->taeed->setChecked(originApproved);
    ui->taeed2->setChecked(!stay.value(u"taeed2_dat"_s).toString().isEmpty());
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
        approval.stamp = {.column = box == ui->taeed ? u"taeed_dat"_s : u"taeed2_dat"_s, .clear = !box->isChecked()};
    else
        approval.stamp = {.column = QString()}; // neither office: the fields only
    m_request->approve(approval);
}

void Tkhabghah_ins::Label23Click()
{
    auto* manager = win<Tkhabghah_ins_modir>(u"khabghah_ins_modir"_s);
    manager_gate(CoreText::GuesthouseManagerPasswordList, this, manager, [manager] { manager->clearForNext(); });
}
