#pragma once
// The person picker of the managers' entry windows: a name box listing every
// person as "surname first-name", a national-code box and the picked person's
// id. A name that one person has picks that person; a name that namesakes
// share lists their national codes, and the person is picked only when one of
// them is chosen. Until then the id is -1.

#include <QObject>
#include <QString>

class QComboBox;
class QLabel;
class QWidget;

class PersonPicker : public QObject {
    Q_OBJECT
public:
    // personel_id: the hidden label that holds the picked person's id.
    PersonPicker(QComboBox* lname, QComboBox* nation, QLabel* personel_id, QObject* parent);

    // Fills the name box with every person's name (on every show of the window).
    void fillNames();
    // Empties both boxes; no person is picked.
    void clear();
    // The other mode: the person is given, not picked (a user's own request,
    // or the owner of a request being approved). Both boxes show that person
    // and take no typing; clear() or a new pick ends it. -1: no person.
    void fix(qint64 personId);
    // The picked person's id, -1 when none is.
    qint64 personId() const;

    // The name of a person as the picker lists it, built NULL-safe for the
    // connected database ("surname first-name").
    static QString nameExpression();

private:
    void nameChanged();
    void nationChanged();
    void setPerson(qint64 id);

    QComboBox* m_lname;
    QComboBox* m_nation;
    QLabel* m_id;
};
