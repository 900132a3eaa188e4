#pragma once
// One place of the gazetteer, entered through six lists that narrow each
// other: province, county, district, rural district, village and code. Names
// not yet in the lists can be typed.

#include "platform/ui/form.h"

#include <QVariantMap>

class Entry;

namespace Ui { class Tabadiha_ins; }

class Tabadiha_ins : public Form {
    Q_OBJECT
public:
    explicit Tabadiha_ins(QWidget* parent = nullptr);
    ~Tabadiha_ins() override;

    Ui::Tabadiha_ins* ui;

    // New mode: the six lists emptied.
    void openNew();
    // Edit mode on a row of the list: its id is kept for the save.
    void openEdit(const QVariantMap& row);

public slots:
    void ostanChange();
    void cityChange();
    void bakhshChange();
    void dehestanChange();
    void rostaChange();
    void ins_btnClick();
    void edit_btnClick();

signals:
    // A place was added or changed: the list searches again.
    void saved();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Whether the province and the county are filled in; otherwise that is
    // said and the empty box gets the focus.
    bool named() const;
    // The distinct values of a column among the places that match the lists
    // before it, into its list.
    void narrow(const QString& column, const QStringList& before);

    Entry* m_entry;
};
