#include "personel_ins.h"
#include "ui_personel_ins.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/log_row.h"
#include "core/page_rights.h"
#include "core/password_hash.h"
#include "core/places.h"
#include "personnel/national_code.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/entry_boxes.h"
#include "platform/ui/msg.h"

#include <QFocusEvent>

namespace {

// The 33 columns of a person, in the order they are written.
const char* const person_columns[] = {
    "ostan",    "shahrestan", "lname",   "fname",   "father",    "gender",      "cmt",          "mali_cod",
    "bime_no",  "nation",     "sodor",   "loc",     "birthday",  "sh_no",       "pec",          "mobile",
    "hesab_no", "meli_cart",  "semat",   "phone",   "khodro",    "pelak",       "hamkari",      "vahed",
    "bime",     "company",    "ezdevaj", "estekhdam", "taghir",  "status",      "hamsar_hesab", "hamsar_bank",
    "cartsaat_no"};

// The rights a new person's own account starts with: add, edit, delete, view.
struct DefaultRight {
    const char* page;
    bool darj, virayesh, hazf, namayesh;
};
const DefaultRight default_rights[] = {
    {"taeidat", 1, 0, 1, 1}, {"zemanat", 1, 0, 1, 1},  {"hazine", 1, 0, 1, 1},     {"ticket", 1, 0, 1, 1},
    {"paziraei", 1, 0, 1, 1}, {"vam", 1, 0, 1, 1},     {"personel", 0, 0, 0, 1},   {"takafol", 1, 1, 1, 1},
    {"mostanadat", 0, 0, 0, 1}, {"khabghah", 1, 0, 1, 1}, {"e_pers", 1, 1, 1, 1},  {"setting", 0, 0, 0, 0},
    {"phone", 1, 0, 0, 1},   {"zamaem", 0, 0, 0, 1},   {"karbaran", 0, 0, 0, 0},
};

bool ten_digits(const QString& code)
{
    if (code.size() != 10)
        return false;
    for (QChar c : code)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString text_of(const Row& values, const char* column) { return column_value(values, QString::fromLatin1(column)).toString(); }

// The person's own account: the login is the national code, the first
// password the mobile number. An account that already has the login is used
// as it is; the default rights go only to pages it has no row for.
void give_account(const Row& person)
{
    const QString nation = text_of(person, "nation");
    qint64 account = Sql::scalar(QStringLiteral("select min(id) from users where us=?"), {nation}).toLongLong();
    if (account <= 0) {
        const QString mobile = text_of(person, "mobile");
        account = Sql::insert(QStringLiteral("users"),
                              {{QStringLiteral("us"), nation},
                               {QStringLiteral("ps"), PasswordHash::hash(mobile)},
                               {QStringLiteral("ver"), QString()},
                               {QStringLiteral("lev"), QStringLiteral("single")},
                               {QStringLiteral("ostan"), text_of(person, "ostan")},
                               {QStringLiteral("semat"), text_of(person, "semat")},
                               {QStringLiteral("mobile"), mobile},
                               {QStringLiteral("nam"), text_of(person, "fname") + QLatin1Char(' ') + text_of(person, "lname")},
                               {QStringLiteral("status"), PersonnelText::AccountActive}});
    }
    for (const DefaultRight& r : default_rights) {
        const QString page = QString::fromLatin1(r.page);
        if (Sql::exists(QStringLiteral("select id from dastrasi where prs_id=? and page_name=?"), {account, page}))
            continue;
        Sql::insert(QStringLiteral("dastrasi"), {{QStringLiteral("prs_id"), account},
                                                 {QStringLiteral("page_name"), page},
                                                 {QStringLiteral("darj"), r.darj},
                                                 {QStringLiteral("virayesh"), r.virayesh},
                                                 {QStringLiteral("hazf"), r.hazf},
                                                 {QStringLiteral("namayesh"), r.namayesh}});
    }
}

} // namespace

Tpersonel_ins::Tpersonel_ins(QWidget* parent) : Form(parent), ui(new Ui::Tpersonel_ins)
{
    ui->setupUi(this);
    m_entry = new Entry(QStringLiteral("personel"), this);
    QList<QPair<QWidget*, QString>> boxes;
    for (const char* column : person_columns)
        boxes.append({findChild<QWidget*>(QLatin1String(column)), QString::fromLatin1(column)});
    m_entry->bind(boxes);
    using namespace PersonnelText;
    m_entry->settingList(ui->company, ListCompany);
    m_entry->settingList(ui->loc, ListPlace);
    m_entry->settingList(ui->status, ListStatus);
    m_entry->settingList(ui->semat, ListPost);
    m_entry->settingList(ui->hamkari, ListCooperation);
    m_entry->settingList(ui->vahed, ListUnit);

    on_user_change(ui->ostan, [this] { ostanChange(); });
    digits_only_key(ui->nation);
    warn_national_code_on_exit(ui->nation);
    yellow_while_focused({ui->fname, ui->lname, ui->father, ui->gender, ui->birthday, ui->sodor, ui->sh_no, ui->nation});
    enter_to_next_field({ui->fname,  ui->lname,   ui->father,   ui->gender,  ui->birthday, ui->sodor,
                         ui->sh_no,  ui->nation,  ui->bime_no,  ui->mali_cod, ui->mobile,  ui->phone,
                         ui->company, ui->vahed,  ui->loc,      ui->hamkari, ui->semat,    ui->pec,
                         ui->hesab_no, ui->meli_cart, ui->khodro, ui->pelak, ui->bime,     ui->cmt});
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tpersonel_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tpersonel_ins::edit_btnClick);
    m_entry->modeButtons(ui->ins_btn, ui->edit_btn);
}

Tpersonel_ins::~Tpersonel_ins() { delete ui; }

qint64 Tpersonel_ins::editedId() const { return m_entry->id(); }

void Tpersonel_ins::openNew(const QString& today)
{
    m_entry->openNew();
    ui->taghir->setValue(today);
}

void Tpersonel_ins::openEdit(const QVariantMap& row, const QString& today)
{
    Places::fillCounties(ui->shahrestan, row.value(QStringLiteral("ostan")).toString());
    m_entry->openEdit(row);
    ui->taghir->setValue(today); // the day of this edit, not the stored one
}

void Tpersonel_ins::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    Places::fillProvinces({ui->ostan});
}

void Tpersonel_ins::ostanChange() { Places::fillCounties(ui->shahrestan, ui->ostan->currentText()); }

void Tpersonel_ins::nationExit() { warn_national_code(ui->nation); }

void Tpersonel_ins::ins_btnClick()
{
    using namespace PersonnelText;
    const QString nation = ui->nation->text();
    QString refusal;
    if (!Db::guard([&] {
            // An empty code is looked up like any other: one person may be without one.
            if (Sql::exists(QStringLiteral("select id from personel where nation=?"), {nation}))
                refusal = NationDuplicate;
            else if (!Places::pairExists(ui->ostan->currentText(), ui->shahrestan->currentText()))
                refusal = PlaceWrong;
            else if (ui->company->currentText().isEmpty())
                refusal = CompanyRequired;
        }))
        return;
    if (!refusal.isEmpty()) {
        Msg::info(refusal);
        return;
    }
    const std::optional<Row> values = m_entry->values();
    if (!values)
        return;
    const QString log = LogPersonAdded + ui->lname->text() + QLatin1Char(' ') + ui->fname->text();
    // The person, the log row, the account and its rights land together, or nothing does.
    const auto id = m_entry->insert(*values, [&](qint64) {
        write_log_row(log);
        if (ten_digits(nation))
            give_account(*values);
    });
    if (!id)
        return;
    Msg::info(Saved);
    emit saved();
    // The window stays open with its boxes as they are.
}

void Tpersonel_ins::edit_btnClick()
{
    using namespace PersonnelText;
    const QString nation = ui->nation->text();
    QVariantMap stored;
    QString refusal;
    bool mayChangeInsurance = false;
    if (!Db::guard([&] {
            stored = Sql::row(QStringLiteral("select nation, bime from personel where id=?"), {m_entry->id()});
            if (stored.isEmpty())
                return;
            const bool renamed = nation != stored.value(QStringLiteral("nation")).toString();
            if (renamed && Sql::exists(QStringLiteral("select id from personel where nation=?"), {nation}))
                refusal = NationDuplicate;
            else if (renamed && !nation.isEmpty() && Sql::exists(QStringLiteral("select id from users where us=?"), {nation}))
                refusal = NationIsOtherLogin;
            else if (ui->company->currentText().isEmpty())
                refusal = CompanyRequired;
            else if (!Places::pairExists(ui->ostan->currentText(), ui->shahrestan->currentText()))
                refusal = PlaceWrong;
            else if (ui->bime->currentText() != stored.value(QStringLiteral("bime")).toString()) {
                const auto rights = page_rights(QStringLiteral("bime"));
                mayChangeInsurance = rights && rights->virayesh;
            }
        }))
        return;
    if (stored.isEmpty()) {
        Entry::sayGone();
        emit saved();
        return;
    }
    if (!refusal.isEmpty()) {
        Msg::info(refusal);
        return;
    }
    std::optional<Row> values = m_entry->values();
    if (!values)
        return;
    const QString storedNation = stored.value(QStringLiteral("nation")).toString();
    if (ui->bime->currentText() != stored.value(QStringLiteral("bime")).toString() && !mayChangeInsurance) {
        // The other changes are saved; the insurance keeps its stored value.
        Msg::info(InsuranceRefused);
        drop_column(*values, QStringLiteral("bime"));
    }
    const QString log = LogPersonEdited + ui->lname->text() + QLatin1Char(' ') + ui->fname->text();
    const bool done = m_entry->update(*values, [&] {
        // The account's login follows the code, in the same transaction as the person.
        if (nation != storedNation && !storedNation.isEmpty())
            Sql::exec(QStringLiteral("update users set us=? where us=?"), {nation, storedNation});
        write_log_row(log);
    });
    emit saved();
    if (done)
        close();
}
