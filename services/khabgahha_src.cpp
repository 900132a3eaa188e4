#include "khabgahha_src.h"
#include "ui_khabgahha_src.h"

#include "core/list_window.h"
#include "core/places.h"
#include "services/khabgahha_ins.h"
#include "services/khabgahha_pic.h"
#include "services/khabgahha_status.h"
#include "services/texts.h"
#include "platform/ui/window_set.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

const QString Id = QStringLiteral("id");

ListDescription suite_list()
{
    using namespace ServiceText;
    ListDescription desc;
    desc.from = QStringLiteral("khabgahha where id<>-1");
    desc.grid = {{QStringLiteral("ostan"), SuiteOstan},     {QStringLiteral("shahrestan"), SuiteShahrestan},
                 {QStringLiteral("nam"), SuiteNam},         {QStringLiteral("masol"), SuiteMasol},
                 {QStringLiteral("no"), SuiteNo},           {QStringLiteral("otagh"), SuiteOtagh},
                 {QStringLiteral("emkanat"), SuiteEmkanat}, {QStringLiteral("cmt"), SuiteCmt},
                 {QStringLiteral("adr"), SuiteAdr},         {QStringLiteral("tel"), SuiteTel},
                 {QStringLiteral("tabaghe"), SuiteTabaghe}, {QStringLiteral("hazine"), SuiteHazine},
                 {QStringLiteral("hesab"), SuiteHesab}};
    return desc;
}

} // namespace

Tkhabgahha_src::Tkhabgahha_src(QWidget* parent) : Form(parent), ui(new Ui::Tkhabgahha_src)
{
    ui->setupUi(this);
    m_list = new ListWindow(suite_list(), ui->DBGrid1, ui->cnt, this);
    m_list->contains(ui->CheckBox1, ui->ostan, QStringLiteral("ostan"));
    m_statuses = new ListWindow(suite_status_list(), ui->DBGrid2, nullptr, this);
    m_statuses->setScope([this] {
        return Condition{QStringLiteral(" and khabgahha_id=?"), {m_statusSuite}};
    });
    connect(ui->BitBtn1, &QPushButton::clicked, this, &Tkhabgahha_src::BitBtn1Click);
    connect(ui->N1, &QAction::triggered, this, &Tkhabgahha_src::N1Click);
    connect(ui->N2, &QAction::triggered, this, &Tkhabgahha_src::N2Click);
    connect(ui->N4, &QAction::triggered, this, &Tkhabgahha_src::N4Click);
    connect(ui->N7, &QAction::triggered, this, &Tkhabgahha_src::N7Click);
    connect(ui->N6, &QAction::triggered, this, &QWidget::close);
    connect(ui->DBGrid1, &QTableView::clicked, this, &Tkhabgahha_src::DBGrid1CellClick);
}

Tkhabgahha_src::~Tkhabgahha_src() { delete ui; }

void Tkhabgahha_src::enableCommands(bool darj, bool virayesh, bool hazf)
{
    enable_commands(this, Commands, {darj, virayesh, hazf, true});
    ui->N3->setEnabled(hazf);
}

void Tkhabgahha_src::prepareForOpening()
{
    ui->ostan->setCurrentIndex(-1);
    ui->ostan->clearEditText();
    ui->cnt->clear();
}

void Tkhabgahha_src::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    Places::fillProvinces({ui->ostan});
}

QVariant Tkhabgahha_src::currentSuite() const { return m_list->current(Id); }

void Tkhabgahha_src::BitBtn1Click() { m_list->search(); }

void Tkhabgahha_src::N1Click()
{
    auto* entry = win<Tkhabgahha_ins>(QStringLiteral("khabgahha_ins"));
    entry->prepareNew();
    entry->showModal();
}

void Tkhabgahha_src::N2Click()
{
    const QVariantMap suite = m_list->currentRow();
    if (suite.isEmpty())
        return;
    auto* entry = win<Tkhabgahha_ins>(QStringLiteral("khabgahha_ins"));
    entry->prepareEdit(suite);
    entry->showModal();
}

void Tkhabgahha_src::N4Click()
{
    const QVariant suite = currentSuite();
    if (!suite.isValid())
        return;
    auto* status = win<Tkhabgahha_status>(QStringLiteral("khabgahha_status"));
    status->prepareForSuite(suite);
    status->showModal();
    // The statuses just added show below the suite too.
    m_statusSuite = suite;
    showStatuses();
}

void Tkhabgahha_src::N7Click()
{
    const QVariant suite = currentSuite();
    if (!suite.isValid())
        return;
    auto* photos = win<Tkhabgahha_pic>(QStringLiteral("khabgahha_pic"));
    photos->prepareForSuite(suite);
    photos->showModal();
}

void Tkhabgahha_src::DBGrid1CellClick(const QModelIndex& index)
{
    const QVariant suite = m_list->model()->value(index.row(), Id);
    if (!suite.isValid())
        return;
    m_statusSuite = suite;
    showStatuses();
}

void Tkhabgahha_src::showStatuses() { m_statuses->search(); }
