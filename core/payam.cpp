#include "payam.h"
#include "ui_payam.h"

#include "core/entry.h"
#include "core/exclusive_save.h"
#include "core/list_window.h"
#include "core/session.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"

#include <QCollator>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>
#include <algorithm>

// A message's text is kept in the blob column payamha.cmt as the UTF-8 bytes
// of the typed text; it is written and read only here.

namespace {

const QString Id = QStringLiteral("id");
const QString ShowDat = QStringLiteral("show_dat");
const QString Payamha = QStringLiteral("payamha");

ListDescription list_description()
{
    using namespace CoreText;
    ListDescription desc;
    desc.columns = QStringLiteral("payamha.*, users.us as ferestande");
    desc.from = QStringLiteral("payamha left join users on payamha.send_prs_id=users.id where payamha.id<>-1");
    // Newest day first; within a day the newest message first.
    desc.orderBy = QStringLiteral("payamha.send_dat desc, payamha.id desc");
    desc.grid = {{QStringLiteral("ferestande"), MessagesTitleSender},
                 {QStringLiteral("send_dat"), MessagesTitleSent},
                 {ShowDat, MessagesTitleRead},
                 {QStringLiteral("mozo"), MessagesTitleSubject}};
    return desc;
}

QVariant current_user_id() { return Session::user().prs_id.toLongLong(); }

} // namespace

bool unread_messages_waiting()
{
    return Sql::scalar(QStringLiteral("select count(*) from payamha where rec_prs_id=? and show_dat=?"),
                       {current_user_id(), QString()})
               .toLongLong()
        != 0;
}

Tpayam::Tpayam(QWidget* parent) : Form(parent), ui(new Ui::Tpayam)
{
    ui->setupUi(this);
    limit_to_column(ui->mozo, QStringLiteral("payamha"), QStringLiteral("mozo"));

    m_list = new ListWindow(list_description(), ui->DBGrid1, nullptr, this);
    m_list->setScope([this] {
        return m_recipient.isValid() ? Condition{QStringLiteral(" and rec_prs_id=?"), {m_recipient}} : Condition{};
    });
    // Ctrl and Shift select several messages for the delete of the selected ones.
    ui->DBGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &Tpayam::showCurrentText);
    connect(m_list, &ListWindow::searched, this, &Tpayam::showCurrentText);

    for (QAction* item : {ui->N1, ui->N3, ui->N6, ui->N2, ui->N4, ui->N5})
        ui->DBGrid1->addAction(item);
    connect(ui->N1, &QAction::triggered, this, &Tpayam::N1Click);
    connect(ui->N3, &QAction::triggered, this, &Tpayam::N3Click);
    connect(ui->N6, &QAction::triggered, this, &Tpayam::N6Click);
    connect(ui->N2, &QAction::triggered, this, &Tpayam::N2Click);
    connect(ui->N4, &QAction::triggered, this, &Tpayam::N4Click);
    connect(ui->N5, &QAction::triggered, this, &Tpayam::N5Click);
    connect(ui->CheckBox1, &QCheckBox::clicked, this, &Tpayam::CheckBox1Click);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tpayam::BitBtn1Click);
    // Typing, and choosing an item (two users may share a label, so a choice
    // need not change the text).
    connect(ui->girande, &QComboBox::editTextChanged, this, &Tpayam::girandeChange);
    connect(ui->girande, &QComboBox::currentIndexChanged, this, &Tpayam::girandeChange);
    connect(this, &Form::closed, this, &Tpayam::reportWaiting);
}

Tpayam::~Tpayam() { delete ui; }

bool Tpayam::isAdministrator() const { return Session::user().karbar == QLatin1String("admin"); }

QString Tpayam::label(const QVariantMap& user)
{
    const QChar star(QLatin1Char('*'));
    return user.value(QStringLiteral("ostan")).toString() + star + user.value(QStringLiteral("lev")).toString() + star
        + user.value(QStringLiteral("semat")).toString() + star + user.value(QStringLiteral("nam")).toString();
}

bool Tpayam::prepareForOpening()
{
    const bool admin = isAdministrator();
    m_recipient = admin ? QVariant() : current_user_id();
    ui->cmt->clear();
    ui->mozo->setCurrentIndex(-1);
    ui->mozo->clearEditText();
    {
        const QSignalBlocker quiet(ui->girande);
        ui->girande->setCurrentIndex(-1);
        ui->girande->clearEditText();
    }
    ui->girande->setEnabled(admin);
    return m_list->search();
}

void Tpayam::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    fill_combo_from_setting(ui->mozo, CoreText::MessagesSubjectList);
    fillRecipients();
}

void Tpayam::fillRecipients()
{
    // Every user, by label in Persian order; each item keeps its user's id,
    // by which messages are sent and the recipient filter finds its user.
    QList<QVariantMap> users;
    if (!Db::guard([&] { users = Sql::rows(QStringLiteral("select id, ostan, lev, semat, nam from users")); }))
        return;
    QCollator collator(QLocale(QLocale::Persian, QLocale::Iran));
    std::stable_sort(users.begin(), users.end(),
                     [&](const QVariantMap& a, const QVariantMap& b) { return collator.compare(label(a), label(b)) < 0; });
    ui->prs_list->clear();
    const QSignalBlocker quiet(ui->girande);
    const QString filter = ui->girande->currentText();
    ui->girande->clear();
    for (const QVariantMap& user : std::as_const(users)) {
        auto* item = new QListWidgetItem(label(user), ui->prs_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, user.value(Id));
        ui->girande->addItem(label(user), user.value(Id));
    }
    ui->girande->setCurrentIndex(-1);
    ui->girande->setEditText(filter);
    fitRecipients();
}

void Tpayam::fitRecipients()
{
    // Two users whose labels start alike are told apart by the whole label:
    // the list is as wide as its widest label, up to half the screen (a
    // longer one scrolls), and the subject box below takes the same width.
    QListWidget* list = ui->prs_list;
    const int labels = list->sizeHintForColumn(0) + 2 * list->frameWidth()
        + list->verticalScrollBar()->sizeHint().width() + 8;
    const QScreen* screen = this->screen();
    const int most = screen ? screen->availableGeometry().width() / 2 : labels;
    list->setMinimumWidth(std::min(labels, most));
}

void Tpayam::showCurrentText()
{
    ui->DBMemo1->setPlainText(QString::fromUtf8(m_list->current(QStringLiteral("cmt")).toByteArray()));
}

void Tpayam::reportWaiting()
{
    bool waiting = false;
    if (Db::guard([&] { waiting = unread_messages_waiting(); }))
        emit unreadChanged(waiting);
}

void Tpayam::CheckBox1Click()
{
    const Qt::CheckState state = ui->CheckBox1->isChecked() ? Qt::Checked : Qt::Unchecked;
    for (int i = 0; i < ui->prs_list->count(); ++i)
        ui->prs_list->item(i)->setCheckState(state);
}

void Tpayam::BitBtn1Click()
{
    QVariantList recipients;
    for (int i = 0; i < ui->prs_list->count(); ++i)
        if (ui->prs_list->item(i)->checkState() == Qt::Checked)
            recipients << ui->prs_list->item(i)->data(Qt::UserRole);
    const QVariant sender = current_user_id();
    const QString subject = ui->mozo->currentText();
    const QByteArray text = ui->cmt->toPlainText().toUtf8();
    const QString today = Shamsi::today();
    // One message a recipient; a sender sends one message a recipient, subject
    // and day, and further ones are skipped without a word. A message belongs
    // to its sender's and its recipient's accounts: they are held against
    // their delete (core/lock_keys.h) while the messages are written; an
    // account deleted meanwhile gets none, and then nothing is sent.
    const Keys::Belonging& from = Keys::belonging(Payamha, QStringLiteral("send_prs_id"));
    const Keys::Belonging& to = Keys::belonging(Payamha, QStringLiteral("rec_prs_id"));
    QList<LockKey> keys = Keys::ownerKeys(from, sender.toLongLong());
    for (const QVariant& recipient : std::as_const(recipients))
        keys += Keys::ownerKeys(to, recipient.toLongLong());
    keys += {Keys::table(Payamha, true), Keys::rowsOf(Payamha, sender.toLongLong())};
    bool gone = false;
    const bool sent = exclusive_save(keys, QString(), [&] {
        gone = !Keys::ownerThere(from, sender);
        for (const QVariant& recipient : std::as_const(recipients))
            gone = gone || !Keys::ownerThere(to, recipient);
        if (gone)
            return;
        for (const QVariant& recipient : std::as_const(recipients)) {
            if (Sql::exists(QStringLiteral("select id from payamha where send_prs_id=? and rec_prs_id=? and mozo=? "
                                           "and send_dat=?"),
                            {sender, recipient, subject, today}))
                continue;
            Sql::insert(Payamha, {{QStringLiteral("send_prs_id"), sender},
                                  {QStringLiteral("rec_prs_id"), recipient},
                                  {QStringLiteral("send_dat"), today},
                                  {ShowDat, QString()},
                                  {QStringLiteral("mozo"), subject},
                                  {QStringLiteral("cmt"), text}});
        }
    });
    if (!sent)
        return;
    if (gone) {
        Msg::info(to.gone);
        fillRecipients();
        return;
    }
    Msg::info(CoreText::MessagesSent);
    m_list->reload();
}

void Tpayam::N1Click()
{
    const QVariant id = m_list->current(Id);
    if (!id.isValid())
        return;
    // Anyone who sees a message may mark it read; a read message gets today's date again.
    int marked = 0;
    if (!exclusive_save({Keys::table(Payamha, true), Keys::record(Payamha, id.toLongLong())}, QString(), [&] {
            marked = Sql::update(Payamha, {{ShowDat, Shamsi::today()}}, QStringLiteral("id=?"), {id});
        }))
        return;
    if (marked == 0)
        Entry::sayGone();
    m_list->reload();
}

void Tpayam::showLabelOf(const QString& userColumn)
{
    if (!m_list->current(Id).isValid())
        return;
    const QVariant id = m_list->current(userColumn);
    QVariantMap user;
    if (Db::guard([&] { user = Sql::row(QStringLiteral("select ostan, lev, semat, nam from users where id=?"), {id}); }))
        Msg::info(label(user));
}

void Tpayam::N6Click() { showLabelOf(QStringLiteral("send_prs_id")); }

void Tpayam::N2Click() { showLabelOf(QStringLiteral("rec_prs_id")); }

void Tpayam::deleteAsAdministrator(const QList<LockKey>& keys, const std::function<int()>& statements, bool one)
{
    if (!isAdministrator()) {
        Msg::info(CoreText::MessagesDeleteAdminOnly);
        return;
    }
    int deleted = 0;
    if (!exclusive_save(keys, QString(), [&] { deleted = statements(); }))
        return;
    // "Deleted" only when a row went; a message another workstation deleted
    // first is said to be gone.
    if (deleted > 0)
        Msg::info(CoreText::RowDeleted);
    else if (one)
        Entry::sayGone();
    m_list->reload();
}

void Tpayam::N3Click()
{
    const QVariant id = m_list->current(Id);
    if (!id.isValid())
        return;
    deleteAsAdministrator({Keys::table(Payamha, true), Keys::record(Payamha, id.toLongLong())}, [&] {
        return Sql::exec(QStringLiteral("delete from payamha where id=?"), {id}).numRowsAffected();
    }, true);
}

void Tpayam::N4Click()
{
    // Every read message of every user, listed or not.
    deleteAsAdministrator({Keys::table(Payamha)}, [] {
        return Sql::exec(QStringLiteral("delete from payamha where show_dat<>?"), {QString()}).numRowsAffected();
    }, false);
}

void Tpayam::N5Click()
{
    QSet<int> rows;
    const QModelIndexList selected = ui->DBGrid1->selectionModel()->selectedIndexes();
    for (const QModelIndex& index : selected)
        rows.insert(index.row());
    QVariantList ids;
    for (const int row : std::as_const(rows))
        ids << m_list->model()->value(row, Id);
    // Selected messages that are still unread stay.
    deleteAsAdministrator({Keys::table(Payamha)}, [&] {
        int deleted = 0;
        for (const QVariant& id : std::as_const(ids))
            deleted += Sql::exec(QStringLiteral("delete from payamha where id=? and show_dat<>?"), {id, QString()})
                           .numRowsAffected();
        return deleted;
    }, false);
}

void Tpayam::girandeChange()
{
    if (!isAdministrator())
        return;
    // A label chosen from the list stands for the user of its item; typed text
    // is taken as a user name. An empty box lists every message again, a text
    // that names nobody lists none.
    const QString text = ui->girande->currentText();
    const int chosen = ui->girande->currentIndex();
    QVariant recipient;
    if (chosen >= 0 && ui->girande->itemText(chosen) == text) {
        recipient = ui->girande->itemData(chosen);
    } else if (!text.isEmpty()) {
        if (!Db::guard([&] { recipient = Sql::scalar(QStringLiteral("select id from users where us=?"), {text}); }))
            return;
        if (!recipient.isValid())
            recipient = qint64(-1);
    }
    if (recipient == m_recipient)
        return; // the same list: a choice and its text arrive as two changes
    m_recipient = recipient;
    m_list->search();
}
