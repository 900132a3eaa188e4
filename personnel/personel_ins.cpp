#include "personel_ins.h"
#include "ui_personel_ins.h"

#include "core/entry.h"
#include "core/lock_keys.h"
#include "core/exclusive_save.h"
#include "core/list_behaviours.h"
#include "core/log_row.h"
#include "core/page_rights.h"
#include "core/password_hash.h"
#include "core/places.h"
#include "personnel/national_code.h"
#include "personnel/personel_src.h"
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

// What became of the person's own account at a save.
enum class Account { Kept, Made, MadeWithoutPassword, FirstPassword, None };

// An account without a usable password (made for the person before a mobile
// was known) gets the person's mobile as its first password once there is
// one; a password already set is never touched. Inside the accounts' key.
bool first_password_from_mobile(const QString& nation, const QString& mobile)
{
    if (mobile.trimmed().isEmpty() ||
        !Sql::exists(QStringLiteral("select id from users where us=? and (ps is null or ps='')"), {nation}))
        return false;
    return Sql::update(QStringLiteral("users"), {{QStringLiteral("ps"), PasswordHash::hash(mobile)}},
                       QStringLiteral("us=? and (ps is null or ps='')"), {nation}) > 0;
}

// The person's own account: the login is the national code (ten digits; a
// person without one gets no account), the first password the mobile number
// (without one, no password the account can be signed in with). An account
// that already has the login is used as it is, but for a first password from
// the mobile when it has none; the default rights go only to pages it has no
// row for. Inside the keys of the accounts and the rights.
Account give_account(const Row& person)
{
    const QString nation = text_of(person, "nation");
    if (!ten_digits(nation))
        return Account::None;
    Account result = Account::Kept;
    qint64 account = Sql::scalar(QStringLiteral("select min(id) from users where us=?"), {nation}).toLongLong();
    if (account <= 0) {
        const QString mobile = text_of(person, "mobile");
        // An empty stored password matches nothing (PasswordHash::verify).
        const QString password = mobile.trimmed().isEmpty() ? QString() : PasswordHash::hash(mobile);
        Row values{{QStringLiteral("us"), nation},
                   {QStringLiteral("ps"), password},
                   {QStringLiteral("ver"), QString()},
                   {QStringLiteral("lev"), QStringLiteral("single")},
                   {QStringLiteral("ostan"), text_of(person, "ostan")},
                   {QStringLiteral("semat"), text_of(person, "semat")},
                   {QStringLiteral("mobile"), mobile},
                   {QStringLiteral("nam"), text_of(person, "fname") + QLatin1Char(' ') + text_of(person, "lname")},
                   {QStringLiteral("status"), PersonnelText::AccountActive}};
        // Two full names are wider than the account's name column.
        fit_to_columns(values, QStringLiteral("users"));
        account = Sql::insert(QStringLiteral("users"), values);
        result = password.isEmpty() ? Account::MadeWithoutPassword : Account::Made;
    } else if (first_password_from_mobile(nation, text_of(person, "mobile"))) {
        result = Account::FirstPassword;
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
    return result;
}

// What the clerk is told about the account after a save.
void tell_account(Account account)
{
    if (account == Account::None)
        Msg::info(PersonnelText::NoAccountWithoutCode);
    else if (account == Account::MadeWithoutPassword)
        Msg::info(PersonnelText::AccountWithoutPassword);
    else if (account == Account::FirstPassword)
        Msg::info(PersonnelText::FirstPasswordFromMobile);
}

// The tables of the approval hierarchies, whose pairs name persons by national code.
const char* const hierarchy_tables[] = {"marateb_k", "marateb_v", "marateb"};

// The person's code changed from old to nation: the account's login and the
// approval pairs follow it (a person without a code stands in no pair); a
// person who had no account gets one when the new code has ten digits. An
// account that followed gets its first password from the mobile as when the
// mobile alone changes.
Account follow_code(const QString& old, const QString& nation, const Row& person)
{
    const bool renamed = !old.isEmpty() &&
        Sql::update(QStringLiteral("users"), {{QStringLiteral("us"), nation}}, QStringLiteral("us=?"), {old}) > 0;
    if (!old.isEmpty()) {
        for (const char* table : hierarchy_tables) {
            for (const QString column : {QStringLiteral("master"), QStringLiteral("slave")}) {
                const QString t = QLatin1String(table);
                if (nation.isEmpty())
                    Sql::exec(QStringLiteral("delete from %1 where %2=?").arg(t, column), {old});
                else
                    Sql::update(t, {{column, nation}}, column + QStringLiteral("=?"), {old});
            }
        }
    }
    if (!renamed)
        return give_account(person);
    return ten_digits(nation) && first_password_from_mobile(nation, text_of(person, "mobile")) ? Account::FirstPassword
                                                                                                : Account::Kept;
}

} // namespace

Tpersonel_ins::Tpersonel_ins(QWidget* parent) : Form(parent), ui(new Ui::Tpersonel_ins)
{
    ui->setupUi(this);
    m_entry = new Entry(QStringLiteral("personel"), this);
    m_entry->commands(Tpersonel_src::AddPerson, Tpersonel_src::EditPerson);
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

void Tpersonel_ins::ostanChange() { Places::provinceChanged(ui->shahrestan, ui->ostan->currentText()); }

void Tpersonel_ins::nationExit() { warn_national_code(ui->nation); }

void Tpersonel_ins::ins_btnClick()
{
    using namespace PersonnelText;
    QString refusal;
    if (!Db::guard([&] {
            if (!Places::pairExists(ui->ostan->currentText(), ui->shahrestan->currentText()))
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
    const QString nation = text_of(*values, "nation");
    const QString log = LogPersonAdded + ui->lname->text() + QLatin1Char(' ') + ui->fname->text();
    bool duplicate = false;
    Account account = Account::None;
    // The code is checked and the person, the log row, the account and its
    // rights written as one: another workstation adding the same code waits,
    // then finds this person.
    if (!exclusive_save(Tpersonel_src::AddPerson.right, {Keys::persons(), Keys::accounts(), Keys::rights()}, NationDuplicate, [&] {
            // An empty code is looked up like any other: one person may be without one.
            duplicate = Sql::exists(QStringLiteral("select id from personel where nation=?"), {nation});
            if (duplicate)
                return;
            Sql::insert(QStringLiteral("personel"), *values);
            write_log_row(log);
            account = give_account(*values);
        }))
        return;
    if (duplicate) {
        Msg::info(NationDuplicate);
        return;
    }
    Msg::info(Saved);
    tell_account(account);
    emit saved();
    // The window stays open with its boxes as they are.
}

void Tpersonel_ins::edit_btnClick()
{
    using namespace PersonnelText;
    QString storedInsurance;
    bool gone = false;
    QString refusal;
    bool mayChangeInsurance = false;
    if (!Db::guard([&] {
            const QVariantMap stored = Sql::row(QStringLiteral("select bime from personel where id=?"), {m_entry->id()});
            gone = stored.isEmpty();
            if (gone)
                return;
            storedInsurance = stored.value(QStringLiteral("bime")).toString();
            if (ui->company->currentText().isEmpty())
                refusal = CompanyRequired;
            else if (!Places::pairExists(ui->ostan->currentText(), ui->shahrestan->currentText()))
                refusal = PlaceWrong;
            else if (ui->bime->currentText() != storedInsurance) {
                const auto rights = page_rights(QStringLiteral("bime"));
                mayChangeInsurance = rights && rights->virayesh;
            }
        }))
        return;
    if (gone) {
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
    if (ui->bime->currentText() != storedInsurance && !mayChangeInsurance) {
        // The other changes are saved; the insurance keeps its stored value.
        Msg::info(InsuranceRefused);
        drop_column(*values, QStringLiteral("bime"));
    }
    const QString nation = text_of(*values, "nation");
    const QString log = LogPersonEdited + ui->lname->text() + QLatin1Char(' ') + ui->fname->text();
    std::optional<Account> account; // set when the code changed, or a first password was given
    // The code is checked, and the person, the account's login and the
    // approval pairs are written as one: a second workstation changing the
    // same person, or switching the insurance of every person, waits, and
    // then finds the record changed.
    const Entry::Saved saved = m_entry->saveEdit(
        {Keys::persons(), Keys::accounts(), Keys::rights(), Keys::hierarchies()}, NationDuplicate, [&] {
            const QString storedNation =
                Sql::scalar(QStringLiteral("select nation from personel where id=?"), {m_entry->id()}).toString();
            const bool renamed = nation != storedNation;
            if (renamed && Sql::exists(QStringLiteral("select id from personel where nation=?"), {nation}))
                refusal = NationDuplicate;
            else if (renamed && !nation.isEmpty() && Sql::exists(QStringLiteral("select id from users where us=?"), {nation}))
                refusal = NationIsOtherLogin;
            if (!refusal.isEmpty())
                return;
            m_entry->updateInTransaction(*values);
            if (renamed)
                account = follow_code(storedNation, nation, *values);
            else if (ten_digits(nation) && first_password_from_mobile(nation, text_of(*values, "mobile")))
                account = Account::FirstPassword;
            write_log_row(log);
        });
    if (saved == Entry::Saved::Changed)
        return;
    if (saved == Entry::Saved::Done && !refusal.isEmpty()) {
        Msg::info(refusal);
        return;
    }
    if (saved == Entry::Saved::Done && account)
        tell_account(*account);
    emit this->saved();
    if (saved == Entry::Saved::Done)
        close();
}
