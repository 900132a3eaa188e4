#include "change_pass.h"
#include "ui_change_pass.h"

#include "core/account_row.h"
#include "core/login.h"
#include "core/password_hash.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"

Tchange_pass::Tchange_pass(QWidget* parent) : Form(parent), ui(new Ui::Tchange_pass)
{
    ui->setupUi(this);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tchange_pass::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &Tchange_pass::BitBtn2Click);
    // However the window closes (its buttons, the close box), the
    // login window comes back: the program never runs without a window.
    connect(this, &Form::closed, this, &Tchange_pass::backToLogin);
}

Tchange_pass::~Tchange_pass() { delete ui; }

void Tchange_pass::setAccount(qint64 userId, const QString& oldPassword)
{
    m_userId = userId;
    m_old = oldPassword;
}

void Tchange_pass::BitBtn1Click()
{
    const QString password = ui->Edit1->text();
    if (password.isEmpty() && ui->Edit2->text().isEmpty()) {
        Msg::info(CoreText::PasswordNotValid);
        return;
    }
    // Digits count alike in whichever script they were typed, as in the hash.
    if (PasswordHash::fold(password) != PasswordHash::fold(ui->Edit2->text())) {
        Msg::info(CoreText::PasswordsDiffer);
        return;
    }
    const std::optional<QString> hashed = PasswordHash::hashForSaving(password);
    if (!hashed)
        return;
    AccountRow::Change changed = AccountRow::Change::Done;
    // Only while the stored password still matches the old one, as the
    // database holds it now: another workstation may have changed it meanwhile
    // (a sign-in that gave the same password a new hash does not count).
    if (!Db::guard([&] { changed = AccountRow::change(m_userId, m_old, *hashed); }))
        return;
    if (changed == AccountRow::Change::Gone) {
        Msg::info(CoreText::UserGone);
        return;
    }
    if (changed == AccountRow::Change::WrongPair) {
        Msg::info(CoreText::ChangePassWrongPair);
        return;
    }
    if (changed == AccountRow::Change::ChangedElsewhere) {
        Msg::info(CoreText::PasswordChangedElsewhere);
        return;
    }
    Msg::info(CoreText::PasswordChanged);
    close();
}

void Tchange_pass::BitBtn2Click() { close(); }

void Tchange_pass::backToLogin()
{
    m_old.clear();
    ui->Edit1->clear();
    ui->Edit2->clear();
    if (auto* login = WindowSet::instance().find<Tlogin>(QStringLiteral("login")))
        login->showKeepingName();
}
