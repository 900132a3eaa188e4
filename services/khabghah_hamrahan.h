#pragma once
// The companions of one guesthouse stay: added by hand or from the dependants
// of the stay's owner, deleted back into the boxes.

#include "platform/ui/form.h"

#include <QVariant>
#include <optional>

class AttachedPersons;

namespace Ui { class Tkhabghah_hamrahan; }

// A companion's age in years: the Persian year of today less the year of the
// birthday, each the first four characters of its date read as a whole
// number; nothing when either cannot be read.
std::optional<int> companion_age(const QString& today, const QString& birthday);

class Tkhabghah_hamrahan : public Form {
    Q_OBJECT
public:
    explicit Tkhabghah_hamrahan(QWidget* parent = nullptr);
    ~Tkhabghah_hamrahan() override;

    Ui::Tkhabghah_hamrahan* ui;

    // Opens on a stay (its id) of an owner (personel.id): lists its
    // companions, empties the boxes with the age "0".
    void openFor(const QVariant& requestId, const QVariant& ownerId);
    AttachedPersons* persons() const { return m_persons; }

public slots:
    // Adds the dependants of the stay's owner in one transaction; a name the
    // stay has already is skipped.
    void SpeedButton1Click();

private:
    AttachedPersons* m_persons;
    QVariant m_owner;
};
