#pragma once
// Entry of a guesthouse stay and its approval by the two offices. A new stay
// is the user's own, or for users who may choose, the picked person's. Opened
// on a stay, the window shows at most one approval box: the origin office's
// (users of the requester's province) while the stay is not origin-approved,
// then the destination office's (users of the destination province); each box
// shows its approval as it stands. Saved ticked, the box stamps today; saved
// unticked, it withdraws that approval.

#include "platform/ui/form.h"

#include <QVariant>

class PersonPicker;
class RequestEntry;

namespace Ui { class Tkhabghah_ins; }

class Tkhabghah_ins : public Form {
    Q_OBJECT
public:
    explicit Tkhabghah_ins(QWidget* parent = nullptr);
    ~Tkhabghah_ins() override;

    Ui::Tkhabghah_ins* ui;
    RequestEntry* request() const { return m_request; }

    void openNew();
    void openApprove(qint64 id);

public slots:
    void ins_btnClick();
    void edit_btnClick();
    void Label23Click(); // the manager gate

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The owner of a new stay: the user's own person, or the picked one.
    QVariant owner() const;

    RequestEntry* m_request;
    PersonPicker* m_picker;
    bool m_picking = false; // the person is picked, not fixed
};

// What both entry windows of a stay share: the boxes bound to the stay's
// columns, the counties of the chosen province, the days and nights as numbers.
class Entry;
class QComboBox;
class QLineEdit;
class QPushButton;
class DateBox;
struct StayBoxes {
    QComboBox* ostan;
    QComboBox* city;
    DateBox* dat1;
    DateBox* dat2;
    QLineEdit* roz;
    QLineEdit* shab;
    QLineEdit* cmt;
};
RequestEntry* stay_entry(const StayBoxes& boxes, Form* window, QPushButton* ins_btn, QPushButton* edit_btn);
// The presets of a new stay: one day and one night from today.
void stay_presets(const StayBoxes& boxes);
