#pragma once
// The provincial settings window: the signatories' names of each province,
// rows of table setting_ost. Users of a province's or a county's level work on
// their own province only.

#include "core/setting_list.h"

namespace Ui { class Tsetting_ost; }

class Tsetting_ost : public SettingWindow {
    Q_OBJECT
public:
    explicit Tsetting_ost(QWidget* parent = nullptr);
    ~Tsetting_ost() override;

    Ui::Tsetting_ost* ui;

    // With the view right, before the window shows: the boxes and the grid are
    // emptied and the province box is tied to the user's own province for the
    // levels "city" and "ostan".
    void prepareForOpening();

public slots:
    void FormShow(); // the province list, once

protected:
    void showEvent(QShowEvent* event) override;
};
