#include "khabgahha_status.h"
#include "ui_khabgahha_status.h"

#include "core/exclusive_save.h"
#include "core/entry.h"
#include "core/list_window.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "services/texts.h"

ListDescription suite_status_list()
{
    using namespace ServiceText;
    ListDescription desc;
    desc.from = QStringLiteral("khabgahha_rezerv where id<>-1");
    desc.grid = {{QStringLiteral("dat"), StatusDat}, {QStringLiteral("status"), StatusStatus},
                 {QStringLiteral("cmt"), StatusCmt}};
    return desc;
}

Tkhabgahha_status::Tkhabgahha_status(QWidget* parent) : Form(parent), ui(new Ui::Tkhabgahha_status)
{
    ui->setupUi(this);
    ui->status->lineEdit()->setMaxLength(50);
    m_list = new ListWindow(suite_status_list(), ui->DBGrid1, nullptr, this);
    m_list->setScope([this] { return Condition{QStringLiteral(" and khabgahha_id=?"), {m_suite}}; });
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tkhabgahha_status::ins_btnClick);
}

Tkhabgahha_status::~Tkhabgahha_status() { delete ui; }

void Tkhabgahha_status::prepareForSuite(const QVariant& suiteId)
{
    m_suite = suiteId;
    m_list->search();
    ui->dat->setValue(Shamsi::today());
    ui->status->setCurrentText(ServiceText::StatusFree);
    ui->cmt->clear();
}

void Tkhabgahha_status::ins_btnClick()
{
    if (!m_suite.isValid())
        return;
    if (!date_time_usable(ui->dat))
        return;
    const QString dat = ui->dat->value();
    bool duplicate = false;
    bool gone = false;
    // One status a suite and day, also when two workstations give it at once;
    // only while the suite is there (under the keys of its delete).
    const Keys::Belonging& owner = Keys::belonging(QStringLiteral("khabgahha_rezerv"), QStringLiteral("khabgahha_id"));
    const LockKey suite = Keys::rowsOf(QStringLiteral("khabgahha_rezerv"), m_suite.toLongLong());
    const bool done = exclusive_save(Keys::ownerKeys(owner, m_suite.toLongLong()) +
                                         QList<LockKey>{Keys::table(QStringLiteral("khabgahha_rezerv"), true), suite},
                                     ServiceText::StatusDuplicate, [&] {
        gone = !Keys::ownerThere(owner, m_suite);
        if (gone)
            return;
        duplicate = Sql::exists(QStringLiteral("select id from khabgahha_rezerv where khabgahha_id=? and dat=?"),
                                {m_suite, dat});
        if (!duplicate)
        Sql::insert(QStringLiteral("khabgahha_rezerv"), {{QStringLiteral("khabgahha_id"), m_suite},
                                                         {QStringLiteral("dat"), dat},
                                                         {QStringLiteral("status"), ui->status->currentText()},
                                                         {QStringLiteral("cmt"), ui->cmt->text()}});
    });
    if (!done)
        return;
    if (gone) {
        Msg::info(owner.gone);
        return;
    }
    if (duplicate) {
        Msg::info(ServiceText::StatusDuplicate);
        return;
    }
    m_list->reload();
}
