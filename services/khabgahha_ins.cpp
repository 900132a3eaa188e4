#include "khabgahha_ins.h"
#include "ui_khabgahha_ins.h"

#include "core/list_behaviours.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "services/texts.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// The suite's columns that are text boxes, by name.
const char* const TextColumns[] = {"nam", "masol", "no", "otagh", "emkanat", "cmt", "adr", "tel", "hesab"};

} // namespace

Tkhabgahha_ins::Tkhabgahha_ins(QWidget* parent) : Form(parent), ui(new Ui::Tkhabgahha_ins)
{
    ui->setupUi(this);
    ui->ostan->lineEdit()->setMaxLength(50);
    ui->shahrestan->lineEdit()->setMaxLength(30);
    ui->tabaghe->lineEdit()->setMaxLength(50);
    digits_only_key(ui->otagh);
    connect(ui->ostan, &QComboBox::currentTextChanged, this, &Tkhabgahha_ins::ostanChange);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tkhabgahha_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tkhabgahha_ins::edit_btnClick);
}

Tkhabgahha_ins::~Tkhabgahha_ins() { delete ui; }

void Tkhabgahha_ins::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    fill_list_from_query({ui->ostan}, QStringLiteral("select distinct ostan from abadiha order by ostan"), {},
                         QStringLiteral("ostan"));
}

void Tkhabgahha_ins::ostanChange()
{
    fill_list_from_query({ui->shahrestan}, QStringLiteral("select distinct city from abadiha where ostan=? order by city"),
                         {ui->ostan->currentText()}, QStringLiteral("city"));
}

void Tkhabgahha_ins::prepareNew()
{
    m_id = QVariant();
    m_storedNo.clear();
    for (QComboBox* box : {ui->ostan, ui->shahrestan, ui->tabaghe}) {
        box->setCurrentIndex(-1);
        box->clearEditText();
    }
    for (const char* name : TextColumns)
        findChild<QLineEdit*>(QLatin1String(name))->clear();
    ui->hazine->setText(QStringLiteral("0"));
    ui->ins_btn->show();
    ui->edit_btn->hide();
}

void Tkhabgahha_ins::prepareEdit(const QVariantMap& suite)
{
    m_id = suite.value(QStringLiteral("id"));
    m_storedNo = suite.value(QStringLiteral("no")).toString();
    ui->ostan->setCurrentText(suite.value(QStringLiteral("ostan")).toString());
    ui->shahrestan->setCurrentText(suite.value(QStringLiteral("shahrestan")).toString());
    ui->tabaghe->setCurrentText(suite.value(QStringLiteral("tabaghe")).toString());
    for (const char* name : TextColumns)
        findChild<QLineEdit*>(QLatin1String(name))->setText(suite.value(QLatin1String(name)).toString());
    ui->hazine->setValue(suite.value(QStringLiteral("hazine")).toLongLong());
    ui->ins_btn->hide();
    ui->edit_btn->show();
}

bool Tkhabgahha_ins::duplicateNumber()
{
    return Sql::exists(QStringLiteral("select id from khabgahha where ostan=? and shahrestan=? and no=?"),
                       {ui->ostan->currentText(), ui->shahrestan->currentText(), ui->no->text()});
}

Row Tkhabgahha_ins::values() const
{
    Row row{{QStringLiteral("ostan"), ui->ostan->currentText()},
            {QStringLiteral("shahrestan"), ui->shahrestan->currentText()}};
    for (const char* name : TextColumns)
        row.append({QLatin1String(name), findChild<QLineEdit*>(QLatin1String(name))->text()});
    // The capacity is a number: an empty box stores no number.
    for (auto& [column, value] : row)
        if (column == QLatin1String("otagh"))
            value = value.toString().isEmpty() ? QVariant() : QVariant(value.toString().toLongLong());
    row.append({QStringLiteral("tabaghe"), ui->tabaghe->currentText()});
    row.append({QStringLiteral("hazine"), QVariant::fromValue<qint64>(ui->hazine->GetValue())});
    return row;
}

void Tkhabgahha_ins::ins_btnClick()
{
    bool duplicate = false;
    if (!Db::guard([&] {
            duplicate = duplicateNumber();
            if (!duplicate)
                Sql::insert(QStringLiteral("khabgahha"), values());
        }))
        return;
    if (duplicate) {
        Msg::info(ServiceText::SuiteDuplicate);
        return;
    }
    emit saved();
}

void Tkhabgahha_ins::edit_btnClick()
{
    bool duplicate = false;
    int changed = 0;
    if (!Db::guard([&] {
            // A number kept as it was is not tested again, even in another place.
            duplicate = ui->no->text() != m_storedNo && duplicateNumber();
            if (!duplicate)
                changed = Sql::update(QStringLiteral("khabgahha"), values(), QStringLiteral("id=?"), {m_id});
        }))
        return;
    if (duplicate) {
        Msg::info(ServiceText::SuiteDuplicate);
        return;
    }
    emit saved();
    close();
}
