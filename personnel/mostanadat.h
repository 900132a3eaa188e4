#pragma once
// The office's stored documents and blank forms, one per description (the
// loan signature image may be stored several times). A click on a row opens
// that document with the desktop.

#include "platform/ui/form.h"

class ListWindow;
class QModelIndex;

namespace Ui { class Tmostanadat; }

class Tmostanadat : public Form {
    Q_OBJECT
public:
    explicit Tmostanadat(QWidget* parent = nullptr);
    ~Tmostanadat() override;

    Ui::Tmostanadat* ui;

    // By the current user's rights on the page: store by darj, delete by hazf.
    void enableCommands(bool darj, bool hazf);
    // What the main menu does before showing the window: every document
    // listed, the description and access-code boxes emptied.
    void prepareForOpening();

    ListWindow* list() const { return m_list; }

public slots:
    void ins_btnClick();                             // store a file under a description
    void DBGrid1CellClick(const QModelIndex& index); // open the clicked document
    void N1Click();                                  // delete the current document

private:
    ListWindow* m_list = nullptr;
};
