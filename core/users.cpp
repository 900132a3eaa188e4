#include "users.h"
#include "ui_users.h"

#include "core/account_row.h"
#include "core/entry.h"
#include "core/exclusive_save.h"
#include "core/list_window.h"
#include "core/places.h"
#include "core/session.h"
#include "core/texts.h"
#include "core/users_ins.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"

namespace {

const QString Admin = QStringLiteral("admin");

// The list never reads the password column: the password is shown nowhere,
// neither in the grid nor in the export.
ListDescription list_description()
{
    using namespace CoreText;
    ListDescription desc;
    desc.columns = QStringLiteral("id, us, ver, lev, ostan, semat, mobile, nam, status");
    desc.from = QStringLiteral("users where id<>-1");
    desc.grid = {{QStringLiteral("nam"), UserTitleNam},       {QStringLiteral("us"), UserTitleUs},
                 {QStringLiteral("ver"), UserTitleVer},       {QStringLiteral("lev"), UserTitleLev},
                 {QStringLiteral("ostan"), UserTitleOstan},   {QStringLiteral("semat"), UserTitleSemat},
                 {QStringLiteral("mobile"), UserTitleMobile}, {QStringLiteral("status"), UserTitleStatus}};
    desc.exportTitles = {{QStringLiteral("id"), UserTitleId},
                         {QStringLiteral("ostan"), UserTitleOstan},
                         {QStringLiteral("semat"), UserTitleSematExport},
                         {QStringLiteral("nam"), UserTitleNam},
                         {QStringLiteral("mobile"), UserTitleMobile},
                         {QStringLiteral("us"), UserTitleUsExport},
                         {QStringLiteral("lev"), UserTitleLev}};
    desc.titleSort = true;
    return desc;
}

const char* const right_suffixes[4] = {"_ins", "_edit", "_del", "_show"};

} // namespace

Tusers::Tusers(QWidget* parent) : Form(parent), ui(new Ui::Tusers)
{
    ui->setupUi(this);

    connect(ui->N5, &QAction::triggered, this, &Tusers::N5Click);
    connect(ui->N6, &QAction::triggered, this, &Tusers::N6Click);
    connect(ui->N7, &QAction::triggered, this, &Tusers::N7Click);
    connect(ui->N8, &QAction::triggered, this, &Tusers::N8Click);
    connect(ui->N9, &QAction::triggered, this, &Tusers::N9Click);
    connect(ui->src_btn, &QPushButton::clicked, this, &Tusers::src_btnClick);

    m_list = new ListWindow(list_description(), ui->DBGrid1, ui->cnt, this);
    m_list->contains(ui->CheckBox1, ui->us, QStringLiteral("us"));
    m_list->contains(ui->CheckBox2, ui->ostan2, QStringLiteral("ostan"));
    m_list->contains(ui->CheckBox4, ui->lev2, QStringLiteral("lev"));
    m_list->contains(ui->CheckBox3, ui->nam, QStringLiteral("nam"));

    connect(ui->DBGrid1, &QTableView::clicked, this, &Tusers::DBGrid1CellClick);
    // The editor shows the account of the list's current row, the first row
    // after a search included, so the saves always write for that row.
    connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    DBGrid1CellClick(current);
            });

    connect(ui->ins_btn2, &QPushButton::clicked, this, &Tusers::ins_btn2Click);
    connect(ui->SpeedButton1, &QPushButton::clicked, this, &Tusers::SpeedButton1Click);
    connect(ui->lev, &QComboBox::activated, this, &Tusers::levChange);
    connect(ui->semat2, &QComboBox::activated, this, &Tusers::semat2Change);
    connect(ui->ostan, &QComboBox::activated, this, &Tusers::ostanChange);
    connect(ui->SpeedButton2, &QToolButton::clicked, this, &Tusers::SpeedButton2Click);
    connect(ui->SpeedButton3, &QToolButton::clicked, this, &Tusers::SpeedButton3Click);
    ui->list_loc->addAction(ui->N3);
    ui->list_loc->addAction(ui->N1);
    connect(ui->N3, &QAction::triggered, this, &Tusers::N3Click);
    connect(ui->N1, &QAction::triggered, this, &Tusers::N1Click);
}

Tusers::~Tusers() { delete ui; }

QCheckBox* Tusers::rightBox(const RightsPage& page, int right) const
{
    return findChild<QCheckBox*>(QLatin1String(page.prefix) + QLatin1String(right_suffixes[right]));
}

void Tusers::prepareForOpening(bool darj, bool virayesh, bool hazf)
{
    enable_commands(this, Commands, {darj, virayesh, hazf, true});

    ui->lev->setCurrentIndex(-1);
    ui->semat2->setCurrentIndex(-1);
    ui->ostan->setCurrentIndex(-1);
    ui->shahrestan->setCurrentText(QString());
    ui->list_loc->clear();
    // The scope list was emptied: no account is loaded into the editor any more.
    forgetLoadedUser();

    // Every account; the filter boxes emptied, their ticks kept.
    m_list->emptyFilterBoxes();
    m_list->listAll();
    ui->cnt->clear();
}

void Tusers::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    ui->karbar->setText(Session::user().karbar);
    // The provinces of the gazetteer, into the scope editor and the filter list.
    Places::fillProvinces({ui->ostan, ui->ostan2});
}

// ---------------------------------------------------------------- user list

void Tusers::src_btnClick() { m_list->search(); }

void Tusers::refreshList() { m_list->reload(); }

void Tusers::N5Click()
{
    auto* entry = win<Tusers_ins>(QStringLiteral("users_ins"));
    connect(entry, &Tusers_ins::saved, this, &Tusers::refreshList, Qt::UniqueConnection);
    entry->prepareAdd();
    entry->showModal();
}

void Tusers::N6Click()
{
    const QVariantMap row = m_list->currentRow();
    if (row.isEmpty())
        return;
    if (row.value(QStringLiteral("us")).toString() == Admin) {
        Msg::info(CoreText::UserEditAdminRefused);
        return;
    }
    auto* entry = win<Tusers_ins>(QStringLiteral("users_ins"));
    connect(entry, &Tusers_ins::saved, this, &Tusers::refreshList, Qt::UniqueConnection);
    entry->prepareEdit(row);
    entry->showModal();
}

void Tusers::N7Click()
{
    const QVariantMap row = m_list->currentRow();
    if (row.isEmpty())
        return;
    const QString us = row.value(QStringLiteral("us")).toString();
    if (us == Admin) {
        Msg::info(CoreText::UserDeleteAdminRefused);
        return;
    }
    const QChar blank(QLatin1Char(' '));
    if (!Msg::confirm(CoreText::UserDeleteQuestion + us + blank + row.value(QStringLiteral("nam")).toString() + blank +
                      row.value(QStringLiteral("ostan")).toString()))
        return;
    // The account's rights and scope rows stay in their tables. Under the
    // account's key: a message to it, or a save of its rights or scope, ends
    // before the delete or finds the account gone. The delete's keys from
    // the start: the rights key among them, which the check of the clerk's
    // own account takes shared, is had whole at once, never raised later.
    const qint64 id = row.value(QStringLiteral("id")).toLongLong();
    bool removed = false;
    if (!exclusive_save(DeleteAccount.right, AccountRow::deleteKeys(id), QString(), [&] { removed = AccountRow::remove(id); }))
        return;
    if (!removed) {
        Entry::sayGone();
        refreshList();
        return;
    }
    if (id == m_loadedId)
        forgetLoadedUser();
    Msg::info(CoreText::UserDeleted);
    refreshList();
}

void Tusers::N8Click() { m_list->exportRows(); }

void Tusers::N9Click() { close(); }

// ---------------------------------------------------------------- rights editor

void Tusers::setRights(const RightsSet& rights)
{
    for (const RightsPage& page : rights_pages) {
        const PageRights r = rights.value(QString::fromLatin1(page.page_name));
        const bool bits[4] = {r.darj, r.virayesh, r.hazf, r.namayesh};
        for (int i = 0; i < 4; ++i)
            rightBox(page, i)->setChecked(bits[i]);
    }
}

RightsSet Tusers::rightsFromBoxes() const
{
    RightsSet rights;
    for (const RightsPage& page : rights_pages)
        rights.insert(QString::fromLatin1(page.page_name),
                      {rightBox(page, 0)->isChecked(), rightBox(page, 1)->isChecked(), rightBox(page, 2)->isChecked(),
                       rightBox(page, 3)->isChecked()});
    return rights;
}

void Tusers::forgetLoadedUser()
{
    m_loadedId = -1;
    m_loadedUs.clear();
    setRights({});
}

void Tusers::DBGrid1CellClick(const QModelIndex& index)
{
    const QVariantMap row = m_list->model()->row(index.row());
    if (row.isEmpty())
        return;
    const qint64 id = row.value(QStringLiteral("id")).toLongLong();
    forgetLoadedUser();
    ui->ostan->setCurrentIndex(-1);
    ui->shahrestan->setCurrentText(QString());
    ui->list_loc->clear();
    Db::guard([&] {
        setRights(load_rights(id));
        ui->list_loc->addItems(load_scope(id));
        // Saves go to this account, wherever the list's current row moves.
        m_loadedId = id;
        m_loadedUs = row.value(QStringLiteral("us")).toString();
    });
}

void Tusers::ins_btn2Click()
{
    if (m_loadedId < 0)
        return;
    // The administrator's own right on the users window is never rewritten here.
    const RightsSet rights = rightsFromBoxes();
    saveForLoadedUser(SaveRights, QStringLiteral("dastrasi"), QStringLiteral("prs_id"), {Keys::rights()},
                      [&] { save_rights(m_loadedId, rights, m_loadedUs == Admin); });
}

bool Tusers::saveForLoadedUser(const PageCommand& command, const QString& table, const QString& column, const QList<LockKey>& keys,
                               const std::function<void()>& save)
{
    // The rows belong to the account: written only while it is there, under
    // the keys of its delete (core/lock_keys.h).
    const Keys::Belonging& account = Keys::belonging(table, column);
    bool gone = false;
    if (!exclusive_save(command.right, Keys::ownerKeys(account, m_loadedId) + keys, QString(), [&] {
            gone = !Keys::ownerThere(account, m_loadedId);
            if (!gone)
                save();
        }))
        return false;
    if (gone) {
        Msg::info(account.gone);
        forgetLoadedUser();
        refreshList();
    }
    return !gone;
}

void Tusers::levChange() { setRights({}); }

void Tusers::semat2Change() { setRights(rights_template(ui->lev->currentText(), ui->semat2->currentText())); }

// ---------------------------------------------------------------- scope editor

void Tusers::ostanChange()
{
    Places::provinceChanged(ui->shahrestan, ui->ostan->currentText());
}

void Tusers::SpeedButton2Click()
{
    for (int i = 0; i < ui->shahrestan->count(); ++i)
        ui->list_loc->addItem(ui->shahrestan->itemText(i));
}

void Tusers::SpeedButton3Click() { ui->list_loc->addItem(ui->shahrestan->currentText()); }

void Tusers::N3Click()
{
    const QList<QListWidgetItem*> selected = ui->list_loc->selectedItems();
    if (!selected.isEmpty())
        delete selected.first();
}

void Tusers::N1Click() { ui->list_loc->clear(); }

void Tusers::SpeedButton1Click()
{
    if (m_loadedId < 0)
        return;
    QStringList entries;
    for (int i = 0; i < ui->list_loc->count(); ++i)
        entries << ui->list_loc->item(i)->text();
    if (saveForLoadedUser(SaveScope, QStringLiteral("dastrasi2"), QStringLiteral("user_id"), scope_keys(m_loadedId),
                          [&] { save_scope(m_loadedId, entries); }))
        Msg::info(CoreText::ScopeSaved);
}
