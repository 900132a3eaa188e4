#pragma once
// An approval hierarchy: pairs of national codes, an approver (master) and a
// requester (slave), kept in table marateb_k for leave and missions, or in
// marateb_v for the staff services (the hospitality list's scope). Persons
// are chosen by name; each item of the lists holds the person's national code,
// so namesakes (whose items show their codes) are never mistaken for each other.

#include "core/page_rights.h"
#include "platform/ui/form.h"

#include <QStringList>

class ListWindow;
class QComboBox;
class QListWidget;
class QProgressBar;

namespace Ui { class Tmarateb_k; }

class Tmarateb_k : public Form {
    Q_OBJECT
public:
    explicit Tmarateb_k(QWidget* parent = nullptr);
    ~Tmarateb_k() override;

    Ui::Tmarateb_k* ui;

    // The commands and the right that enables each and is checked at its write:
    // the add and both replaces by darj (the edit and delete rights gate nothing here).
    static constexpr PageCommand AddPair{"ins_btn", PageWrite::Add};
    static constexpr PageCommand ReplaceMasters{"BitBtn3", PageWrite::Add};
    static constexpr PageCommand ReplaceSlaves{"BitBtn4", PageWrite::Add};
    static constexpr PageCommand Commands[] = {AddPair, ReplaceMasters, ReplaceSlaves};
    // The commands by that right, as the main menu enables them.
    void enableCommands(bool darj);
    // What the main menu does before showing the window: no approver or
    // requester chosen.
    void prepareForOpening();
    // Which hierarchy the window keeps: "marateb_k" or "marateb_v", with its caption.
    void setTable(const QString& table, const QString& caption);
    const QString& table() const { return m_table; }

    ListWindow* list() const { return m_list; }

    // A person as the lists show it: surname and first name, and the national
    // code after it when another person has the same name.
    struct Person {
        QString name;
        QString nation;
    };
    // The items of the lists, in Persian alphabetical order.
    static QList<Person> listItems(const QList<Person>& persons);

public slots:
    void FormShow();      // every person into the two choosers and the two tick lists
    void masterChange();  // the grid lists the chosen approver's requesters
    void slaveChange();   // the grid lists the chosen requester's approvers
    void ins_btnClick();  // adds the one pair
    void BitBtn1Click();  // ticks the chosen approver's requesters
    void BitBtn2Click();  // ticks the chosen requester's approvers
    void BitBtn3Click();  // the chosen requester's approvers become the ticked ones
    void BitBtn4Click();  // the chosen approver's requesters become the ticked ones
    void CheckBox1Click(); // ticks or unticks every approver
    void CheckBox2Click(); // ticks or unticks every requester

private:
    QString m_table = QStringLiteral("marateb_k");
    // The national code of the chosen item of a chooser; empty when none is chosen.
    static QString chosenCode(const QComboBox* box);
    // Ticks the items of a list whose codes are in codes.
    static void tickCodes(QListWidget* list, QProgressBar* progress, const QStringList& codes);
    // Replaces the pairs of one side (column = ?) by the ticked items of a list;
    // one transaction.
    void replacePairs(const PageCommand& command, const QString& column, const QString& code, QListWidget* list,
                      QProgressBar* progress);
    void showPersons(const QString& codeColumn, const QString& keyColumn, const QString& code);

    ListWindow* m_list = nullptr;
};
