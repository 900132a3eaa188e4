#pragma once
// The general settings window: the items of the system's pick lists, the
// signatories' names and the stored passwords, all rows of table setting.

#include "core/setting_list.h"

namespace Ui { class Tsetting; }

class Tsetting : public SettingWindow {
    Q_OBJECT
public:
    explicit Tsetting(QWidget* parent = nullptr);
    ~Tsetting() override;

    Ui::Tsetting* ui;

    // With the view right, before the window shows: the boxes are emptied and
    // every row is listed.
    void prepareForOpening();
};
