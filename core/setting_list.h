#pragma once
// What the general and the provincial settings windows share: the grid of one
// table of named lists (setting, or setting_ost split by province), the rows of
// the list named by the window's key boxes, and the add, mark-as-default and
// delete commands. Password items are masked in the grid and in the item box.

#include "core/list_behaviours.h"
#include "core/page_rights.h"
#include "platform/db/sql.h"
#include "platform/ui/form.h"

#include <QObject>
#include <QPair>
#include <QStringList>
#include <optional>

class ListWindow;
class QComboBox;
class QAction;
class QModelIndex;
class QPushButton;
class QLineEdit;
class QTableView;

// The text a cell of a settings grid shows: the items of the password lists
// as a row of dots of one length.
namespace PasswordCells {
QString shownText(const QModelIndex& index);
}

class SettingList : public QObject {
    Q_OBJECT
public:
    struct Table {
        QString name;                            // setting or setting_ost
        QList<QPair<QString, QComboBox*>> keys;  // key columns and their boxes; the list name (component) last
        Row addedColumns;                        // further columns of an added row
        CaptionTable grid;                       // the grid's columns and titles
    };

    SettingList(Table table, QLineEdit* item, QTableView* grid, QObject* parent);

    // Every row of every list, ordered by list name.
    void showAll();
    // The rows of the list the key boxes name.
    void choose();
    // Empties the grid.
    void clear();

    // Adds the item box's text to the list the key boxes name.
    void add();
    // The grid's current row becomes the default item of its list: every other
    // item of the list loses the mark, every row with its text gets it.
    void markDefault();
    // Deletes every row of the current row's list with its text.
    void remove();

    ListWindow* list() const { return m_list; }

protected:
    // The grid's copy (Ctrl+C) copies a cell as it shows: a stored password as its dots.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ensureList();
    QString listName() const;
    QStringList keyValues() const;
    // The current row's key values and item, put into the boxes (a stored
    // password's item into none); false without a row.
    bool takeCurrentRow(QStringList* keys, QString* item);
    QString keyCondition() const;
    void show(std::optional<QStringList> keys);
    void maskItemBox();

    Table m_table;
    QLineEdit* m_item;
    QTableView* m_grid;
    ListWindow* m_list = nullptr;
    QString m_order;
    // The key values of the rows shown; nothing: every row.
    std::optional<QStringList> m_shown;
};

// Base of the two settings windows: their commands and handlers.
class SettingWindow : public Form {
    Q_OBJECT
public:
    using Form::Form;

    // The commands and the right that enables each and is checked at its
    // write: the mark as default was the one the delete right enabled, and
    // the delete, governed by no right, goes with it.
    static constexpr PageCommand AddItem{"ins_btn", PageWrite::Add};
    static constexpr PageCommand MarkDefault{"N2", PageWrite::Delete};
    static constexpr PageCommand DeleteItem{"N1", PageWrite::Delete};
    static constexpr PageCommand Commands[] = {AddItem, MarkDefault, DeleteItem};
    // The commands by those rights, as the main menu enables them.
    void enableCommands(const PageRights& rights);

    SettingList* list() const { return m_list; }

public slots:
    void componentChange(); // a list was chosen
    void ins_btnClick();    // add
    void N2Click();         // mark as default
    void N1Click();         // delete

protected:
    // Connects the window's list box, add button and the grid's context menu
    // (mark as default, delete) to the list of its table.
    void setUp(SettingList::Table table, QComboBox* component, QLineEdit* cmt, QPushButton* ins_btn,
               QTableView* grid, QAction* N2, QAction* N1);

private:
    SettingList* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QAction* m_mark = nullptr;
    QAction* m_delete = nullptr;
};
