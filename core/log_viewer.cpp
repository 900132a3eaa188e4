#include "log_viewer.h"
#include "ui_log.h"

#include "core/list_window.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/database.h"

namespace {

ListDescription log_list()
{
    using namespace CoreText;
    ListDescription desc;
    desc.from = QStringLiteral("log");
    desc.orderBy = QStringLiteral("saat_sys desc, id desc");
    desc.grid = {{QStringLiteral("karbar"), LogTitleKarbar},         {QStringLiteral("ip"), LogTitleIp},
                 {QStringLiteral("computer_name"), LogTitleComputer}, {QStringLiteral("saat"), LogTitleSaat},
                 {QStringLiteral("tarikh"), LogTitleTarikh},         {QStringLiteral("cmt"), LogTitleCmt},
                 {QStringLiteral("saat_sys"), LogTitleSaatSys}};
    desc.exportTitles = {{QStringLiteral("id"), LogExportId},        {QStringLiteral("karbar"), LogExportKarbar},
                         {QStringLiteral("ip"), LogExportIp},        {QStringLiteral("computer_name"), LogTitleComputer},
                         {QStringLiteral("saat"), LogTitleSaat},     {QStringLiteral("tarikh"), LogTitleTarikh},
                         {QStringLiteral("cmt"), LogTitleCmt},       {QStringLiteral("saat_sys"), LogExportSaatSys}};
    desc.filterLook = FilterLook::Plain;
    return desc;
}

} // namespace

Tlog::Tlog(QWidget* parent) : Form(parent), ui(new Ui::Tlog)
{
    ui->setupUi(this);
    m_list = new ListWindow(log_list(), ui->DBGrid1, ui->cnt, this);
    // Rows without a user (empty or NULL) are never shown: a condition in the
    // backend's own words, which a server answers from its index of the users.
    m_list->setScope([] {
        return Condition{QStringLiteral(" and ") + Database::current().dialect().holdsText(QStringLiteral("karbar")), {}};
    });
    m_list->contains(ui->CheckBox1, ui->karbar, QStringLiteral("karbar"));
    m_list->range(ui->CheckBox2, ui->dat1, ui->dat2, QStringLiteral("tarikh"));
    m_list->contains(ui->CheckBox4, ui->cmt, QStringLiteral("cmt"));
    m_list->contains(ui->CheckBox3, ui->computer_name, QStringLiteral("computer_name"));
    m_list->contains(ui->CheckBox5, ui->ip, QStringLiteral("ip"));
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tlog::BitBtn1Click);
    connect(ui->SpeedButton1, &QPushButton::clicked, this, &Tlog::SpeedButton1Click);
}

Tlog::~Tlog() { delete ui; }

void Tlog::prepareForOpening()
{
    // The program's today as the login left it, without reading the clock again.
    ui->dat1->setText(shamsi_today.ToText());
    ui->dat2->setText(ui->dat1->text());
    ui->karbar->setCurrentIndex(-1);
    ui->karbar->setCurrentText(QString());
    ui->computer_name->clear();
    ui->cmt->clear();
    ui->ip->clear();
}

void Tlog::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    FormShow();
}

void Tlog::FormShow()
{
    fill_list_from_query({ui->karbar}, QStringLiteral("select us from users"), {}, QStringLiteral("us"));
}

void Tlog::BitBtn1Click() { m_list->search(); }

void Tlog::SpeedButton1Click() { m_list->exportRows(); }
