#pragma once
// What every entry window shares: its boxes bound to the columns of one table,
// the record it was opened on, and the writes of a save. A window opened for
// editing keeps the id of its record, and its save changes that record and no
// other, whatever another window's list shows meanwhile; when the record was
// deleted meanwhile the user is told so and nothing is written.
//
//     // constructor, after setupUi
//     m_entry = new Entry(QStringLiteral("vam"), this);
//     m_entry->bind({{ui->typ, "typ"}, {ui->dat1, "dat1"}, {ui->mablagh, "mablagh"}});
//     m_entry->settingList(ui->typ, VamText::TypeList); // refilled at every show
//     m_entry->modeButtons(ui->ins_btn, ui->edit_btn);   // one of them shows, by the mode
//     enter_to_next_field({ui->typ, ui->dat1, ui->mablagh});
//     yellow_while_focused({ui->typ, ui->dat1});
//     on_user_change(ui->ostan, [this] { ostanChange(); }); // platform/ui/entry_boxes.h
//     // the list's commands
//     entry->openNew();       // every bound box empty, no record
//     entry->openEdit(row);   // the row's id kept, its columns into the boxes
//     // a save
//     const std::optional<Row> values = m_entry->values(); // refuses a half-typed date or time
//     if (!values) return;
//     if (m_entry->update(*values, [&] { write_log_row(text); })) close(); // one transaction
//     m_entry->insert(*values, [&](qint64 id) { ...rows that hang on the new id... });
//     // an edit that checks or carries more than its record: more keys, same check
//     m_entry->saveEdit({Keys::persons()}, NationDuplicate, [&] {
//         ...checks...; m_entry->updateInTransaction(*values); ...
//     });
//
// Every save holds against another workstation: an insert takes the table's
// key (exclusively with a Unique rule, shared without), an edit the table's
// key shared and the record's key, and checks the record is still as the
// window read it (record_now, the one stale-save check, used by the request
// approvals too). Every insert, edit and delete checks too, inside its
// transaction, that the clerk still has on the page in use, as it is stored
// now, the right that enables its command (commands(), PageCommand; darj,
// virayesh and hazf by default): without it that is said and nothing is written.

#include "core/list_behaviours.h"
#include "core/lock_keys.h"
#include "core/page_rights.h"
#include "platform/db/sql.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

class MaskedBox;
class QComboBox;
class QWidget;

class Entry : public QObject {
    Q_OBJECT
public:
    // An entry window (the parent) for rows of table.
    Entry(const QString& table, QWidget* window);

    // Boxes and the columns they feed, in the order their values are written.
    // A box is a line edit (date and time boxes included), a drop-down list,
    // a plain text box or a label. Each box takes at most what its column holds.
    void bind(const QList<QPair<QWidget*, QString>>& boxes);
    // A drop-down list whose items are a settings list, refilled each time the
    // window is shown; the text in the box stays, even when the list no longer has it.
    void settingList(QComboBox* box, const QString& listName, SettingOrder order = SettingOrder::Alphabetical);
    // Refills the settings lists now (the window's show does it too).
    void refillLists();
    // The window's save buttons: the insert shows in new mode only, the edit
    // in edit mode only.
    void modeButtons(QWidget* insert, QWidget* edit);
    // The commands of the list that open this window for a new record and
    // for an edit (PageCommand): an insert checks the first one's right at
    // the write, an edit by the page's right the second one's. Without them,
    // darj and virayesh.
    void commands(const PageCommand& add, const PageCommand& edit);

    // New mode: every bound box is emptied (date and time boxes to their blank
    // mask) and no record is kept.
    void openNew();
    // Edit mode on a row (column name -> value): its id is kept and the bound
    // boxes are filled from it. The record as the database holds it now is
    // kept too: a save refuses to overwrite what another workstation changed
    // after this moment.
    void openEdit(const QVariantMap& row);
    // Fills the bound boxes whose columns the row has, without signals, so
    // that no cascade of lists runs; a list keeps a value it does not hold.
    void fill(const QVariantMap& row);

    bool isEdit() const { return m_id >= 0; }
    // The id of the record opened for editing; -1 in new mode.
    qint64 id() const { return m_id; }

    // The bound columns with the boxes' texts as they stand, dates and times
    // in their stored forms, amounts of money boxes as 64-bit whole numbers.
    // A box that takes digits only (TextInput::digitsOnly) on a column that
    // is not text is a number box: its value is the number (none when it is
    // empty). A half-typed or impossible date or time, and a number beyond
    // what its column holds, are refused: the message is shown, the box gets
    // the focus, and nothing is returned.
    std::optional<Row> values() const;

    // A rule that no two rows may break: taken() answers, inside the save's
    // transaction, whether the values are already another row's, and message
    // says so (also when the database's own unique index refuses the write).
    // With a rule a save takes the table's key exclusively for its check and
    // its write, so two workstations saving at once keep one.
    struct Unique {
        std::function<bool()> taken;
        QString message;
    };

    // Inserts a row in one transaction with what more writes (given the new
    // id). The new id, or nothing after a database error's message or the
    // rule's (nothing written).
    std::optional<qint64> insert(const Row& values, const std::function<void(qint64 id)>& more = {},
                                 const Unique& unique = {}) const;
    // Writes values to the record opened for editing (where id=?) in one
    // transaction with what more writes. False after a database error's
    // message, or when the record is gone: then that is said and nothing is
    // written. When another workstation changed the record after the window
    // opened it, that is said, nothing is written and the boxes show the
    // record as it is stored now.
    bool update(const Row& values, const std::function<void()>& more = {}, const Unique& unique = {});

    // How the save of an edit ended.
    enum class Saved { Done, Failed, Changed, Gone };
    // What allows an edit: the edit's right on the page in use (commands()), or a
    // gate of its own the command passed before (a manager's confirmation,
    // whose hierarchy body checks again; a guard's, by the post).
    enum class Allowed { ByPageRight, ByOwnGate };
    // The one way an edit of the record is saved: body runs in one
    // transaction that holds keys (more than the record's: a code the edit
    // checks or carries elsewhere), the table's key shared and the record's
    // key, once the record is found as stored() has it. Changed: said, the
    // boxes show the record as it is stored now. Gone: said. Failed: the
    // database's message (or duplicateMessage for a value a unique index
    // refuses) was shown. In none of them is anything written. Done: body
    // ran and its writes landed; the record is kept as it is stored now.
    Saved saveEdit(const QList<LockKey>& keys, const QString& duplicateMessage, const std::function<void()>& body,
                   Allowed allowed = Allowed::ByPageRight);
    // Inside saveEdit's body: writes values to the record.
    void updateInTransaction(const Row& values) const;

    // The record as the database held it when the window opened it (or after
    // its last save); empty in new mode.
    const QVariantMap& stored() const { return m_stored; }
    // After a refused save: says that another workstation changed the record,
    // and shows the record as it is stored now.
    void showChangedElsewhere();
    // Keeps the record as the database holds it now (after a save of one's own).
    void keepStored();
    // The message for a record that is gone.
    static void sayGone();
    static void sayChanged();

    const QString& table() const { return m_table; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_table;
    QList<QPair<QWidget*, QString>> m_boxes;
    struct SettingBox {
        QComboBox* box;
        QString listName;
        SettingOrder order;
    };
    QList<SettingBox> m_lists;
    QWidget* m_insert = nullptr;
    QWidget* m_edit = nullptr;
    PageWrite m_addRight = PageWrite::Add;
    PageWrite m_editRight = PageWrite::Edit;
    qint64 m_id = -1;
    QVariantMap m_stored;
    void showMode();
    QVariantMap readStored() const;
    bool isNumberBox(const QWidget* box, const QString& column) const;
};

// Whether a date or time box may be saved: empty or a real day or time.
// Otherwise the half-typed or impossible value is said, the box gets the
// focus, and false is returned.
bool date_time_usable(MaskedBox* box);

// The record of that id as its table holds it now; empty when it is gone.
QVariantMap stored_record(const QString& table, qint64 id);
// Deletes the row of that id and writes what more writes (its log row), in
// one transaction under the table's key (shared) and the row's. table is one
// of the program's own tables (its name goes into the statement; the id is
// bound). True when the row went; false after a database error's message, or
// when the row was already gone (another workstation deleted it) or the
// clerk no longer has the delete right on the page in use: then that is
// said and nothing is written. write: the right its command declares (PageCommand).
bool delete_record(const QString& table, qint64 id, const std::function<void()>& more = {},
                   PageWrite write = PageWrite::Delete);

// The one check of a save against what its window read (expected: the
// columns of a record as stored_record gave it, all or those the window
// edits): whether the record still holds them, was changed by another
// workstation since, or is gone. Run it inside the save's transaction,
// under the record's key (Keys::record), so that it cannot go stale.
enum class RecordNow { Same, Changed, Gone };
RecordNow record_now(const QString& table, qint64 id, const QVariantMap& expected);

// Cuts the texts of a row of values to what their columns of table hold (at a
// character's boundary, without a trailing space): values copied from a wider
// column, or joined from several, into a narrower one.
void fit_to_columns(Row& values, const QString& table);
// Removes a column from a row of values (a column the save must not change).
void drop_column(Row& values, const QString& column);
// The value of a column of a row of values; invalid when the row has none.
QVariant column_value(const Row& values, const QString& column);
