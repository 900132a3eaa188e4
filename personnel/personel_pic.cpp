#include "personel_pic.h"
#include "ui_personel_pic.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/setting_values.h"
#include "core/stored_file.h"
#include "core/texts.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>

namespace {

const QString Table = QStringLiteral("personel_pic");
const QString Id = QStringLiteral("id");
// The grid's columns: the hidden id, then the titled ones.
const QStringList Columns = {Id, QStringLiteral("Radif"), QStringLiteral("cmt"), QStringLiteral("pictyp")};

} // namespace

Tpersonel_pic::Tpersonel_pic(QWidget* parent)
    : Form(parent), ui(new Ui::Tpersonel_pic), m_model(new QStandardItemModel(this))
{
    ui->setupUi(this);
    limit_to_column(ui->cmt, Table, QStringLiteral("cmt"));
    m_model->setColumnCount(Columns.size());
    for (int c = 0; c < Columns.size(); ++c) {
        QString title = Columns[c];
        for (const auto& [name, caption] : PersonnelText::PersonFileGrid)
            if (name == Columns[c])
                title = caption;
        m_model->setHeaderData(c, Qt::Horizontal, title);
    }
    ui->DBGrid1->setModel(m_model);
    ui->DBGrid1->setColumnHidden(0, true);
    // A short list: every title and value shown whole.
    ui->DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui->DBGrid1->addAction(ui->N1);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tpersonel_pic::ins_btnClick);
    connect(ui->DBGrid1, &QTableView::clicked, this, &Tpersonel_pic::DBGrid1CellClick);
    connect(ui->N1, &QAction::triggered, this, &Tpersonel_pic::N1Click);
}

Tpersonel_pic::~Tpersonel_pic() { delete ui; }

void Tpersonel_pic::enableCommands(bool darj, bool hazf)
{
    enable_commands(this, Commands, {darj, false, hazf, true});
}

void Tpersonel_pic::openFor(const QVariant& personId)
{
    m_personId = personId;
    load();
    ui->cmt->setCurrentIndex(-1);
    ui->cmt->clearEditText();
}

void Tpersonel_pic::showEvent(QShowEvent* event)
{
    fill_combo_from_setting(ui->cmt, PersonnelText::PersonFileList);
    Form::showEvent(event);
}

void Tpersonel_pic::load()
{
    QList<QVariantMap> rows;
    if (!Db::guard([&] {
            rows = Sql::rows(QStringLiteral("select id, cmt, pictyp from personel_pic where personel_id=? order by cmt, id"),
                             {m_personId});
        }))
        return;
    m_model->setRowCount(0);
    // Numbered here, in the order shown, so the numbers run on however the rows were read.
    for (int r = 0; r < rows.size(); ++r) {
        QList<QStandardItem*> items;
        for (const QString& column : Columns) {
            auto* item = new QStandardItem(column == QLatin1String("Radif") ? QString::number(r + 1)
                                                                              : rows[r].value(column).toString());
            if (column == QLatin1String("Radif"))
                item->setTextAlignment(Qt::AlignCenter);
            items << item;
        }
        m_model->appendRow(items);
    }
    if (m_model->rowCount() > 0)
        ui->DBGrid1->setCurrentIndex(m_model->index(0, 1));
}

QVariant Tpersonel_pic::currentId() const
{
    const QModelIndex index = ui->DBGrid1->currentIndex();
    return index.isValid() ? m_model->index(index.row(), 0).data() : QVariant();
}

void Tpersonel_pic::ins_btnClick()
{
    const QString description = TextInput::normalize(ui->cmt->currentText());
    if (!StoredFile::descriptionAllowed(description, {.emptyText = PersonnelText::PersonFileNoDescription}))
        return;
    // A signature image is kept as a bitmap.
    const QString filter = description == PersonnelText::SignatureImage ? QStringLiteral("Bitmap Files (*.bmp)") : QString();
    const std::optional<StoredFile::Chosen> file = StoredFile::choose(filter, PersonnelText::SaveFailed);
    if (!file)
        return;
    bool saved = false;
    try {
        saved = StoredFile::store(Table, {{QStringLiteral("personel_id"), m_personId},
                                          {QStringLiteral("cmt"), description},
                                          {QStringLiteral("pictyp"), file->extension}},
                                  *file, PersonnelText::SaveFailed, QStringLiteral("pic"), {}, AddFile.right);
    } catch (const DbError&) {
        Msg::error(PersonnelText::SaveFailed);
    }
    if (!saved)
        return;
    load();
    Msg::info(PersonnelText::Saved);
}

void Tpersonel_pic::DBGrid1CellClick(const QModelIndex& index)
{
    const QVariant id = m_model->index(index.row(), 0).data();
    if (id.isValid())
        StoredFile::open({Table, QStringLiteral("pictyp")}, id, QStringLiteral("document"));
}

void Tpersonel_pic::N1Click()
{
    const QVariant id = currentId();
    if (!id.isValid())
        return;
    if (!ask_delete_password(CoreText::DeletePasswordList)) {
        Msg::info(CoreText::DeletePasswordWrong);
        return;
    }
    if (delete_record(Table, id.toLongLong(), {}, DeleteFile.right))
        Msg::info(CoreText::RowDeleted);
    load();
}
