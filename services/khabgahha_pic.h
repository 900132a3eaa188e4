#pragma once
// The photographs of one suite: uploaded under a description, opened with the
// desktop's viewer by a click, deleted with the delete password. The round
// indicator turns green when an upload has stored its photograph.

#include "core/page_rights.h"
#include "platform/ui/form.h"

#include <QVariant>

class ListWindow;
class QModelIndex;

namespace Ui { class Tkhabgahha_pic; }

class Tkhabgahha_pic : public Form {
    Q_OBJECT
public:
    explicit Tkhabgahha_pic(QWidget* parent = nullptr);
    ~Tkhabgahha_pic() override;

    Ui::Tkhabgahha_pic* ui;

    // The upload and the delete are enabled whenever the window is open (it
    // is the suites page's, opened by its view right): the window's own gate,
    // which their writes check too.
    static constexpr PageCommand AddPhoto{"ins_btn", PageWrite::Open};
    static constexpr PageCommand DeletePhoto{"N1", PageWrite::Open};

    void prepareForSuite(const QVariant& suiteId);
    ListWindow* list() const { return m_list; }
    // Whether the indicator shows a stored upload (green).
    bool stored() const { return m_stored; }

public slots:
    void ins_btnClick();                             // upload
    void DBGrid1CellClick(const QModelIndex& index); // open
    void N1Click();                                  // delete the current photograph

private:
    void setStored(bool stored);

    ListWindow* m_list;
    QVariant m_suite;
    bool m_stored = false;
};
