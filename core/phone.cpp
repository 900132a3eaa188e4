#include "phone.h"
#include "core/exclusive_save.h"
#include "ui_phone.h"

#include "core/entry.h"
#include "core/list_window.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QHeaderView>
#include <QSignalBlocker>

namespace {

const QString Name = QStringLiteral("name");
const QString Tel = QStringLiteral("tel");
const QString Cmt = QStringLiteral("cmt");

// Entries without a name are never listed or counted; names in the Persian
// order of the connected database's own words.
ListDescription list_description()
{
    using namespace CoreText;
    ListDescription desc;
    desc.from = QStringLiteral("phone where name<>?");
    desc.values = {QString()};
    desc.orderBy = Name;
    desc.persianOrder = true;
    desc.grid = {{Name, PhoneTitleName}, {Tel, PhoneTitleTel}, {Cmt, PhoneTitleCmt}};
    desc.widths = {{Name, 180}, {Tel, 120}, {Cmt, 120}};
    return desc;
}

} // namespace

Tphone::Tphone(QWidget* parent) : Form(parent), ui(new Ui::Tphone)
{
    ui->setupUi(this);
    // The grid shows its titles from the start, before the first search.
    m_list = new ListWindow(list_description(), ui->DBGrid1, ui->cnt, this);
    // The chosen item of "search by" says which column holds the text,
    // searched as every list's contains filter, through the column's index.
    m_list->setScope([this] {
        const QString column = ui->src_name->isChecked() ? Name
            : ui->src_tel->isChecked()                   ? Tel
            : ui->src_cmt->isChecked()                   ? Cmt
                                                         : QString();
        if (column.isEmpty())
            return Condition{};
        return ListWindow::containsCondition(column, ui->src->text(), QStringLiteral("phone"));
    });
    limit_to_column(ui->name, QStringLiteral("phone"), Name);
    limit_to_column(ui->tel, QStringLiteral("phone"), Tel);
    limit_to_column(ui->cmt, QStringLiteral("phone"), Cmt);
    ui->DBGrid1->addAction(ui->N1);
    connect(ui->src, &QLineEdit::textChanged, this, &Tphone::srcChange);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tphone::ins_btnClick);
    connect(ui->N1, &QAction::triggered, this, &Tphone::N1Click);
}

Tphone::~Tphone() { delete ui; }

QString Tphone::storedForm(const QString& text)
{
    QString out = TextInput::normalize(text);
    out.replace(QChar(0x06A9), QChar(0x0643));
    return out;
}

void Tphone::enableCommands(bool darj, bool hazf)
{
    enable_commands(this, Commands, {darj, false, hazf, true});
}

void Tphone::prepareForOpening()
{
    ui->src->clear();
    ui->name->clear();
    ui->tel->clear();
    ui->cmt->clear();
}

void Tphone::srcChange()
{
    const QString typed = ui->src->text();
    const QString stored = storedForm(typed);
    if (stored != typed) {
        // Letters are replaced one for one: the cursor stays where it was.
        const int at = ui->src->cursorPosition();
        const QSignalBlocker quiet(ui->src);
        ui->src->setText(stored);
        ui->src->setCursorPosition(at);
    }
    list()->search();
}

void Tphone::ins_btnClick()
{
    const QString name = storedForm(ui->name->text());
    bool duplicate = false;
    const bool done = exclusive_save(AddEntry.right, {Keys::table(QStringLiteral("phone"))}, CoreText::PhoneDuplicate, [&] {
        duplicate = Sql::exists(QStringLiteral("select id from phone where name=?"), {name});
        if (!duplicate)
            Sql::insert(QStringLiteral("phone"),
                        {{Name, name}, {Tel, storedForm(ui->tel->text())}, {Cmt, storedForm(ui->cmt->text())}});
    });
    if (!done)
        return;
    if (duplicate) {
        Msg::info(CoreText::PhoneDuplicate);
        return;
    }
    list()->search();
    Msg::info(CoreText::PhoneSaved);
    ui->name->setFocus();
}

void Tphone::N1Click()
{
    const QVariantMap row = list()->currentRow();
    if (row.isEmpty())
        return;
    // The entry goes back into the boxes once it is deleted here: a mistaken
    // delete is undone by adding it again. An entry another workstation
    // deleted first is said to be gone, and nothing comes into the boxes.
    if (delete_record(QStringLiteral("phone"), row.value(QStringLiteral("id")).toLongLong(), {}, DeleteEntry.right)) {
        ui->name->setText(row.value(Name).toString());
        ui->tel->setText(row.value(Tel).toString());
        ui->cmt->setText(row.value(Cmt).toString());
        Msg::info(CoreText::RowDeleted);
    }
    list()->search();
}
