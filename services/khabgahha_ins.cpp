#include "khabgahha_ins.h"
#include "ui_khabgahha_ins.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/places.h"
#include "platform/db/money.h"
#include "platform/ui/entry_boxes.h"
#include "services/khabgahha_src.h"
#include "platform/ui/msg.h"
#include "services/texts.h"

Tkhabgahha_ins::Tkhabgahha_ins(QWidget* parent) : Form(parent), ui(new Ui::Tkhabgahha_ins)
{
    ui->setupUi(this);
    m_entry = new Entry(QStringLiteral("khabgahha"), this);
    m_entry->commands(Tkhabgahha_src::AddSuite, Tkhabgahha_src::EditSuite);
    m_entry->bind({{ui->ostan, QStringLiteral("ostan")},     {ui->shahrestan, QStringLiteral("shahrestan")},
                   {ui->nam, QStringLiteral("nam")},         {ui->masol, QStringLiteral("masol")},
                   {ui->no, QStringLiteral("no")},           {ui->otagh, QStringLiteral("otagh")},
                   {ui->emkanat, QStringLiteral("emkanat")}, {ui->cmt, QStringLiteral("cmt")},
                   {ui->adr, QStringLiteral("adr")},         {ui->tel, QStringLiteral("tel")},
                   {ui->tabaghe, QStringLiteral("tabaghe")}, {ui->hesab, QStringLiteral("hesab")}});
    digits_only_key(ui->otagh);
    // The lists come from the gazetteer, but any typed place is stored as typed.
    on_user_change(ui->ostan, [this] { Places::provinceChanged(ui->shahrestan, ui->ostan->currentText()); });
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tkhabgahha_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tkhabgahha_ins::edit_btnClick);
}

Tkhabgahha_ins::~Tkhabgahha_ins() { delete ui; }

void Tkhabgahha_ins::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    Places::fillProvinces({ui->ostan});
}

void Tkhabgahha_ins::prepareNew()
{
    m_entry->openNew();
    m_storedNo.clear();
    ui->hazine->setText(QStringLiteral("0"));
    ui->ins_btn->show();
    ui->edit_btn->hide();
}

void Tkhabgahha_ins::prepareEdit(const QVariantMap& suite)
{
    m_entry->openEdit(suite);
    m_storedNo = suite.value(QStringLiteral("no")).toString();
    Places::fillCounties(ui->shahrestan, ui->ostan->currentText());
    ui->hazine->clear();
    ui->hazine->setValue(Money::fromDb(suite.value(QStringLiteral("hazine"))));
    ui->ins_btn->hide();
    ui->edit_btn->show();
}

Entry::Unique Tkhabgahha_ins::suiteNumber() const
{
    return {[this] {
                return Sql::exists(QStringLiteral("select id from khabgahha where ostan=? and shahrestan=? and no=?"),
                                   {ui->ostan->currentText(), ui->shahrestan->currentText(), ui->no->text()});
            },
            ServiceText::SuiteDuplicate};
}

namespace {

// The boxes' values as the table stores them: the capacity a number (none
// when the box is empty), the cost the money box's whole value.
std::optional<Row> suite_values(const Entry& entry, const Ui::Tkhabgahha_ins& ui)
{
    std::optional<Row> values = entry.values();
    if (!values)
        return values;
    for (auto& [column, value] : *values)
        if (column == QLatin1String("otagh"))
            value = value.toString().isEmpty() ? QVariant() : QVariant(value.toString().toLongLong());
    values->append({QStringLiteral("hazine"), QVariant::fromValue<qint64>(ui.hazine->GetValue())});
    return values;
}

} // namespace

void Tkhabgahha_ins::ins_btnClick()
{
    const std::optional<Row> values = suite_values(*m_entry, *ui);
    if (!values)
        return;
    if (!m_entry->insert(*values, {}, suiteNumber()))
        return;
    Msg::info(ServiceText::SuiteSaved);
    emit saved();
}

void Tkhabgahha_ins::edit_btnClick()
{
    const std::optional<Row> values = suite_values(*m_entry, *ui);
    // A number kept as it was is not tested again, even in another place.
    if (!values)
        return;
    if (!m_entry->update(*values, {}, ui->no->text() != m_storedNo ? suiteNumber() : Entry::Unique{}))
        return;
    emit saved();
    close();
}
