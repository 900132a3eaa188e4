#include "change_pass.h"
#include "ui_change_pass.h"

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

void Tchange_pass::setAccount(qint64 userId, const QString& storedPassword)
{
    m_userId = userId;
    m_stored = storedPassword;
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
    int changed = 0;
    const bool ok = Db::guard([&] {
        // Only while the stored password is still the one the old password
        // matched: another workstation may have changed it meanwhile.
        changed = Sql::update(QStringLiteral("users"), {{QStringLiteral("ps"), *hashed}},
                              QStringLiteral("id = ? and ps = ?"), {m_userId, m_stored});
    });
    if (!ok)
        return;
    if (changed != 1) {
        Msg::info(CoreText::ChangePassWrongPair);
        return;
    }
    Msg::info(CoreText::PasswordChanged);
    close();
}

void Tchange_pass::BitBtn2Click() { close(); }

void Tchange_pass::backToLogin()
{
    m_stored.clear();
    ui->Edit1->clear();
    ui->Edit2->clear();
    if (auto* login = WindowSet::instance().find<Tlogin>(QStringLiteral("login")))
        login->showKeepingName();
}
