#pragma once
// The entry window of leave and missions: a new request of one's own, and the
// three confirmations of a request, each with its own button: the manager's,
// the guard's and the HR office's. Exactly one button shows at a time.

#include "platform/ui/form.h"

#include <QStringList>
#include <QTime>

class RequestEntry;
class QPushButton;

namespace Ui { class Tkargozini_ins; }

class Tkargozini_ins : public Form {
    Q_OBJECT
public:
    explicit Tkargozini_ins(QWidget* parent = nullptr);
    ~Tkargozini_ins() override;

    Ui::Tkargozini_ins* ui;

    // A new request: no type, today in both dates, the rest empty.
    void openNew();
    // A confirmation of the request of that id, by the manager, the guard or
    // the HR office: the button of that confirmation shows.
    enum class Confirmation { Manager, Guard, Office };
    void openConfirm(qint64 id, Confirmation confirmation);

    RequestEntry* request() const { return m_request; }

    // The time a caption click puts into a time box: hours and minutes of the clock.
    static QString clockText(const QTime& time);

public slots:
    void typChange();        // the type enables and empties the boxes it uses
    void ins_btnClick();     // the new request
    void modir_btnClick();   // the manager's confirmation: the boxes saved
    void negahbani_btnClick(); // the guard's: the request as it was
    void edit_btnClick();    // the HR office's: the boxes saved

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void confirm(const QString& dateColumn, const QString& nameColumn, bool saveFields,
                 const QStringList& approverIn = {});

    RequestEntry* m_request = nullptr;
};
