#include "users_ins.h"
#include "ui_users_ins.h"

#include "core/entry.h"
#include "core/account_row.h"
#include "core/exclusive_save.h"
#include "core/list_behaviours.h"
#include "core/places.h"
#include "core/log_row.h"
#include "core/password_hash.h"
#include "core/texts.h"
#include "core/users.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QEvent>

namespace {

// The account columns that the boxes give, without the password.
Row account_values(const Ui::Tusers_ins& ui)
{
    // Typed texts in their stored form: a user name in ASCII digits, whatever the keyboard.
    return {{QStringLiteral("us"), TextInput::boxText(ui.us)},
            {QStringLiteral("lev"), ui.lev->currentText()},
            {QStringLiteral("ostan"), ui.ostan->currentText()},
            {QStringLiteral("semat"), ui.semat->currentText()},
            {QStringLiteral("mobile"), TextInput::boxText(ui.mobile)},
            {QStringLiteral("nam"), TextInput::boxText(ui.nam)},
            {QStringLiteral("status"), ui.status->currentText()}};
}


// Whether an account has the name, in any form an older row may hold it.
bool user_name_taken(const QString& us)
{
    const QVariantList forms = TextInput::storedForms(us);
    return Sql::exists(QStringLiteral("select id from users where us in (%1)").arg(Sql::placeholders(forms.size())), forms);
}

} // namespace

Tusers_ins::Tusers_ins(QWidget* parent) : Form(parent), ui(new Ui::Tusers_ins)
{
    ui->setupUi(this);
    for (const auto& [box, column] : std::initializer_list<std::pair<QWidget*, const char*>>{
             {ui->us, "us"}, {ui->ostan, "ostan"}, {ui->semat, "semat"}, {ui->nam, "nam"},
             {ui->mobile, "mobile"}, {ui->lev, "lev"}, {ui->status, "status"}})
        limit_to_column(box, QStringLiteral("users"), QLatin1String(column));
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tusers_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tusers_ins::edit_btnClick);
    // A click on the mobile label copies the password box into the mobile box.
    ui->Label6->installEventFilter(this);
    setMode(true);
}

Tusers_ins::~Tusers_ins() { delete ui; }

void Tusers_ins::setMode(bool add)
{
    ui->ins_btn->setVisible(add);
    ui->edit_btn->setVisible(!add);
}

void Tusers_ins::prepareAdd()
{
    m_id = -1;
    m_us.clear();
    ui->us->clear();
    ui->ps->clear();
    ui->lev->setCurrentText(QString());
    ui->ostan->setCurrentText(QString());
    ui->semat->setCurrentText(QString());
    ui->mobile->clear();
    ui->nam->clear();
    ui->status->setCurrentText(CoreText::ActiveStatus);
    setMode(true);
}

void Tusers_ins::prepareEdit(const QVariantMap& row)
{
    m_id = row.value(QStringLiteral("id")).toLongLong();
    // The account's columns this window edits, as the database holds them
    // now: a save refuses to overwrite what another administrator changed
    // after this moment. Without them the save only loses that check.
    m_stored.clear();
    Db::guard([&] {
        const QVariantMap now = stored_record(QStringLiteral("users"), m_id);
        for (const auto& [column, value] : account_values(*ui))
            if (now.contains(column))
                m_stored.insert(column, now.value(column));
    });
    m_us = row.value(QStringLiteral("us")).toString();
    ui->us->setText(m_us);
    ui->ps->clear();
    ui->lev->setCurrentText(row.value(QStringLiteral("lev")).toString());
    ui->nam->setText(row.value(QStringLiteral("nam")).toString());
    ui->semat->setCurrentText(row.value(QStringLiteral("semat")).toString());
    ui->mobile->setText(row.value(QStringLiteral("mobile")).toString());
    ui->ostan->setCurrentText(row.value(QStringLiteral("ostan")).toString());
    ui->status->setCurrentText(row.value(QStringLiteral("status")).toString());
    setMode(false);
}

void Tusers_ins::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    // The provinces in Persian alphabetical order; the province already in the box stays.
    Places::fillProvinces({ui->ostan});
}

bool Tusers_ins::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Label6 && event->type() == QEvent::MouseButtonPress)
        ui->mobile->setText(ui->ps->text());
    return Form::eventFilter(watched, event);
}


void Tusers_ins::ins_btnClick()
{
    const QString us = TextInput::boxText(ui->us);
    if (us.trimmed().isEmpty()) {
        Msg::info(CoreText::UserNameRequired);
        return;
    }
    if (ui->ps->text().isEmpty()) {
        Msg::info(CoreText::UserPasswordRequired);
        return;
    }
    const std::optional<QString> hashed = PasswordHash::hashForSaving(ui->ps->text());
    if (!hashed)
        return;
    Row values = account_values(*ui);
    values.insert(1, {QStringLiteral("ps"), *hashed});
    values.insert(2, {QStringLiteral("ver"), QString()});
    bool taken = false;
    // Checked and written as one: the same name added at once from another
    // workstation waits, and then is found taken.
    if (!exclusive_save(Tusers::AddAccount.right, {Keys::accounts()}, CoreText::UserNameDuplicate, [&] {
            taken = user_name_taken(us);
            if (taken)
                return;
            // The account and its log row land together.
            Sql::insert(QStringLiteral("users"), values);
            write_log_row(CoreText::LogUserAdded + us + QLatin1Char(' ') + ui->ostan->currentText());
        }))
        return;
    if (taken) {
        Msg::info(CoreText::UserNameDuplicate);
        return;
    }
    Msg::info(CoreText::UserSaved);
    emit saved();
    // The window stays open with its boxes as they were.
}

void Tusers_ins::edit_btnClick()
{
    const QString us = TextInput::boxText(ui->us);
    if (us.trimmed().isEmpty()) {
        Msg::info(CoreText::UserNameRequired);
        return;
    }
    std::optional<QString> hashed;
    if (!ui->ps->text().isEmpty()) {
        hashed = PasswordHash::hashForSaving(ui->ps->text());
        if (!hashed)
            return;
    }
    Row values = account_values(*ui);
    if (hashed)
        values.insert(1, {QStringLiteral("ps"), *hashed});
    bool taken = false;
    RecordNow now = RecordNow::Same;
    const bool done =
        exclusive_save(Tusers::EditAccount.right, AccountRow::editKeys(m_id), CoreText::UserNameDuplicate, [&] {
            // Another workstation may have deleted or changed the account meanwhile: nothing is written then.
            now = record_now(QStringLiteral("users"), m_id, m_stored);
            if (now != RecordNow::Same)
                return;
            // An unchanged user name is not looked up again.
            taken = us != TextInput::normalize(m_us) && user_name_taken(us);
            if (taken)
                return;
            Sql::update(QStringLiteral("users"), values, QStringLiteral("id=?"), {m_id});
            write_log_row(CoreText::LogUserEdited + us + QLatin1Char(' ') + ui->ostan->currentText());
        });
    if (!done)
        return;
    if (now == RecordNow::Changed) {
        // The account as it is stored now, to be changed again.
        Entry::sayChanged();
        QVariantMap row;
        Db::guard([&] { row = stored_record(QStringLiteral("users"), m_id); });
        if (!row.isEmpty())
            prepareEdit(row);
        return;
    }
    const bool gone = now == RecordNow::Gone;
    if (taken) {
        Msg::info(CoreText::UserNameDuplicate);
        return;
    }
    if (gone) {
        Msg::info(CoreText::UserGone);
        emit saved();
        return;
    }
    m_us = us;
    emit saved();
    close();
}
