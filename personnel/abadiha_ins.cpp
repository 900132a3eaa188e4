#include "abadiha_ins.h"
#include "ui_abadiha_ins.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/log_row.h"
#include "core/places.h"
#include "core/session.h"
#include "personnel/abadiha.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/entry_boxes.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QSignalBlocker>

namespace {

void empty_text(QComboBox* box)
{
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

} // namespace

Tabadiha_ins::Tabadiha_ins(QWidget* parent) : Form(parent), ui(new Ui::Tabadiha_ins)
{
    ui->setupUi(this);
    m_entry = new Entry(QStringLiteral("abadiha"), this);
    m_entry->commands(Tabadiha::AddPlace, Tabadiha::EditPlace);
    // The columns in the table's order.
    m_entry->bind({{ui->cod, QStringLiteral("cod")},
                   {ui->ostan, QStringLiteral("ostan")},
                   {ui->city, QStringLiteral("city")},
                   {ui->bakhsh, QStringLiteral("bakhsh")},
                   {ui->dehestan, QStringLiteral("dehestan")},
                   {ui->rosta, QStringLiteral("rosta")}});
    on_user_change(ui->ostan, [this] { ostanChange(); });
    on_user_change(ui->city, [this] { cityChange(); });
    on_user_change(ui->bakhsh, [this] { bakhshChange(); });
    on_user_change(ui->dehestan, [this] { dehestanChange(); });
    on_user_change(ui->rosta, [this] { rostaChange(); });
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tabadiha_ins::ins_btnClick);
    connect(ui->edit_btn, &QPushButton::clicked, this, &Tabadiha_ins::edit_btnClick);
    m_entry->modeButtons(ui->ins_btn, ui->edit_btn);
}

Tabadiha_ins::~Tabadiha_ins() { delete ui; }

void Tabadiha_ins::openNew()
{
    m_entry->openNew();
}

void Tabadiha_ins::openEdit(const QVariantMap& row)
{
    m_entry->openEdit(row);
}

void Tabadiha_ins::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    Places::fillProvinces({ui->ostan});
}

void Tabadiha_ins::narrow(const QString& column, const QStringList& before)
{
    QList<QPair<QString, QString>> equal;
    for (const QString& name : before)
        equal.append({name, findChild<QComboBox*>(name)->currentText()});
    Places::fillDistinct(findChild<QComboBox*>(column), column, equal);
}

void Tabadiha_ins::ostanChange()
{
    for (QComboBox* box : {ui->city, ui->bakhsh, ui->dehestan, ui->rosta, ui->cod})
        empty_text(box);
    Places::fillCounties(ui->city, ui->ostan->currentText());
}

void Tabadiha_ins::cityChange()
{
    for (QComboBox* box : {ui->bakhsh, ui->dehestan, ui->rosta, ui->cod})
        empty_text(box);
    narrow(QStringLiteral("bakhsh"), {QStringLiteral("ostan"), QStringLiteral("city")});
}

void Tabadiha_ins::bakhshChange()
{
    for (QComboBox* box : {ui->dehestan, ui->rosta, ui->cod})
        empty_text(box);
    narrow(QStringLiteral("dehestan"), {QStringLiteral("ostan"), QStringLiteral("city"), QStringLiteral("bakhsh")});
}

void Tabadiha_ins::dehestanChange()
{
    for (QComboBox* box : {ui->rosta, ui->cod})
        empty_text(box);
    narrow(QStringLiteral("rosta"), {QStringLiteral("ostan"), QStringLiteral("city"), QStringLiteral("bakhsh"),
                                     QStringLiteral("dehestan")});
}

void Tabadiha_ins::rostaChange()
{
    empty_text(ui->cod);
    narrow(QStringLiteral("cod"), {QStringLiteral("ostan"), QStringLiteral("city"), QStringLiteral("bakhsh"),
                                   QStringLiteral("dehestan"), QStringLiteral("rosta")});
    // A village with one code has it chosen at once.
    if (ui->cod->count() == 1) {
        const QSignalBlocker quiet(ui->cod);
        ui->cod->setCurrentIndex(0);
    }
}

bool Tabadiha_ins::named() const
{
    // A place without them would be a blank entry of every province or county list.
    const Places::MissingName missing =
        Places::missingName(TextInput::boxText(ui->ostan), TextInput::boxText(ui->city));
    if (missing == Places::MissingName::None)
        return true;
    Msg::info(PersonnelText::PlaceNameRequired);
    (missing == Places::MissingName::Province ? ui->ostan : ui->city)->setFocus();
    return false;
}

void Tabadiha_ins::ins_btnClick()
{
    if (!named())
        return;
    const std::optional<Row> values = m_entry->values();
    if (!values)
        return;
    const QString cod = ui->cod->currentText();
    const Entry::Unique place{[&] {
                                  // District and rural district take no part in the rule.
                                  return Sql::exists(
                                      QStringLiteral("select id from abadiha where city=? and rosta=? and ostan=? and cod=?"),
                                      {ui->city->currentText(), ui->rosta->currentText(), ui->ostan->currentText(), cod});
                              },
                              PersonnelText::PlaceDuplicate};
    const QString log = PersonnelText::LogPlaceAdded + cod + QLatin1Char(' ') + Session::user().karbar;
    if (!m_entry->insert(*values, [&](qint64) { write_log_row(log); }, place))
        return;
    Msg::info(PersonnelText::Saved);
    emit saved();
    close();
}

void Tabadiha_ins::edit_btnClick()
{
    if (!named())
        return;
    const std::optional<Row> values = m_entry->values();
    if (!values)
        return;
    // No duplicate check: an edit may give a place the names and code of another.
    const QString log = PersonnelText::LogPlaceEdited + ui->cod->currentText() + QLatin1Char(' ') + Session::user().karbar;
    if (!m_entry->update(*values, [&] { write_log_row(log); })) {
        emit saved();
        return;
    }
    Msg::info(PersonnelText::PlaceEdited);
    emit saved();
    close();
}
