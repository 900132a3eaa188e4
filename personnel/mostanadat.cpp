#include "mostanadat.h"
#include "ui_mostanadat.h"

#include "core/entry.h"
#include "core/list_behaviours.h"
#include "core/list_window.h"
#include "core/stored_file.h"
#include "core/texts.h"
#include "personnel/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "platform/ui/text_input.h"

#include <QHeaderView>
#include <QLineEdit>

namespace {

const QString Table = QStringLiteral("mostanadat");
const QString PicType = QStringLiteral("pictype");

// The list never reads the files themselves, nor the access codes.
ListDescription list_description()
{
    ListDescription desc;
    desc.columns = QStringLiteral("id, cmt, pictype");
    desc.from = Table;
    desc.orderBy = QStringLiteral("id");
    desc.grid = PersonnelText::DocumentsGrid;
    return desc;
}

// The extensions some documents must have, exactly as the programs that read them expect.
std::optional<QString> wrongExtension(const QString& description, const QString& extension)
{
    if (description == PersonnelText::RebuildLoanSignatureImage && extension != QLatin1String(".jpg") &&
        extension != QLatin1String(".JPG"))
        return PersonnelText::JpegRequired;
    if (description == PersonnelText::RebuildLoanBarcodeReport && extension != QLatin1String(".rav"))
        return PersonnelText::RavRequired;
    return std::nullopt;
}

} // namespace

Tmostanadat::Tmostanadat(QWidget* parent) : Form(parent), ui(new Ui::Tmostanadat)
{
    ui->setupUi(this);
    limit_to_column(ui->Combo_type, Table, QStringLiteral("cmt"));
    limit_to_column(ui->ramz, Table, QStringLiteral("ramz"));
    m_list = new ListWindow(list_description(), ui->DBGrid1, nullptr, this);
    // A short list: every title and value shown whole.
    ui->DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui->DBGrid1->addAction(ui->N1);
    connect(ui->ins_btn, &QPushButton::clicked, this, &Tmostanadat::ins_btnClick);
    connect(ui->DBGrid1, &QTableView::clicked, this, &Tmostanadat::DBGrid1CellClick);
    connect(ui->N1, &QAction::triggered, this, &Tmostanadat::N1Click);
}

Tmostanadat::~Tmostanadat() { delete ui; }

void Tmostanadat::enableCommands(bool darj, bool hazf)
{
    enable_commands(this, Commands, {darj, false, hazf, true});
}

void Tmostanadat::prepareForOpening()
{
    m_list->search();
    ui->Combo_type->setCurrentIndex(-1);
    ui->Combo_type->clearEditText();
    ui->ramz->clear();
}

void Tmostanadat::ins_btnClick()
{
    const QString description = TextInput::normalize(ui->Combo_type->currentText());
    const StoredFile::DescriptionRule rule{.emptyText = CoreText::AttachmentNoDescription,
                                           .uniqueIn = Table,
                                           .duplicateText = CoreText::AttachmentDuplicate,
                                           .repeatable = {PersonnelText::LoanSignatureImage}};
    const bool allowed = StoredFile::descriptionAllowed(description, rule);
    if (!allowed) {
        // The file dialog still comes, as the office is used to; nothing chosen is stored.
        Msg::openFileName(QString());
        return;
    }
    const std::optional<StoredFile::Chosen> file = StoredFile::choose();
    if (!file)
        return;
    if (const std::optional<QString> refusal = wrongExtension(description, file->extension)) {
        Msg::info(*refusal);
        return;
    }
    bool stored = false;
    if (!Db::guard([&] {
            stored = StoredFile::store(Table, {{QStringLiteral("cmt"), description},
                                               {QStringLiteral("ramz"), ui->ramz->text()},
                                               {PicType, file->extension}},
                                       *file, QString(), QStringLiteral("pic"), rule, AddDocument.right);
        }) || !stored)
        return;
    Msg::info(PersonnelText::Saved);
    m_list->search();
}

void Tmostanadat::DBGrid1CellClick(const QModelIndex& index)
{
    const QVariant id = m_list->model()->value(index.row(), QStringLiteral("id"));
    if (id.isValid())
        StoredFile::open({Table, PicType}, id, QStringLiteral("form"));
}

void Tmostanadat::N1Click()
{
    const QVariant id = m_list->current(QStringLiteral("id"));
    if (!id.isValid())
        return;
    if (delete_record(Table, id.toLongLong(), {}, DeleteDocument.right))
        Msg::info(CoreText::RowDeleted);
    m_list->search();
}
