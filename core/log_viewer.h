#pragma once
// The log viewer: a search over the activity log (table log), newest server
// time first, with its export. It only reads the table.

#include "platform/ui/form.h"

class ListWindow;

namespace Ui { class Tlog; }

class Tlog : public Form {
    Q_OBJECT
public:
    explicit Tlog(QWidget* parent = nullptr);
    ~Tlog() override;

    Ui::Tlog* ui;

    // What the main menu does before showing the window: both dates := the
    // date of the program's today as it stands, the user, computer-name,
    // comment and address boxes emptied. No search runs.
    void prepareForOpening();

    ListWindow* list() const { return m_list; }

public slots:
    void FormShow();          // the user names into their list
    void BitBtn1Click();      // search
    void SpeedButton1Click(); // export

protected:
    void showEvent(QShowEvent* event) override;

private:
    ListWindow* m_list;
};
