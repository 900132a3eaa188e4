#pragma once
// The entry window of a person: adds a person, with the person's own user
// account and its default rights, or edits the person the list was opened on.

#include "platform/ui/form.h"

#include <QVariantMap>

class Entry;

namespace Ui { class Tpersonel_ins; }

class Tpersonel_ins : public Form {
    Q_OBJECT
public:
    explicit Tpersonel_ins(QWidget* parent = nullptr);
    ~Tpersonel_ins() override;

    Ui::Tpersonel_ins* ui;

    // New mode: every box empty, the date of the last change := today.
    void openNew(const QString& today);
    // Edit mode on a row of the list: the counties of its province are listed,
    // the boxes filled from it, the date of the last change := today. The
    // save changes that person, whatever the list shows meanwhile.
    void openEdit(const QVariantMap& row, const QString& today);
    qint64 editedId() const;

public slots:
    void ostanChange();
    void nationExit();
    void ins_btnClick();
    void edit_btnClick();

signals:
    // A person was added, changed, or found gone: the list reads its rows again.
    void saved();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Entry* m_entry;
};
