#pragma once
// Internal messages: every user reads the messages addressed to him or her,
// sends a subject and a text to any number of users at once and marks what was
// read; the administrator sees every message, may list those of one recipient
// and alone deletes messages.

#include "core/lock_keys.h"
#include "platform/ui/form.h"

#include <QVariant>
#include <functional>

class ListWindow;

namespace Ui { class Tpayam; }

// Whether the current user has unread messages (the mark on the main menu).
bool unread_messages_waiting();

class Tpayam : public Form {
    Q_OBJECT
public:
    explicit Tpayam(QWidget* parent = nullptr);
    ~Tpayam() override;

    Ui::Tpayam* ui;

    // What the main menu does before showing the window: lists the messages of
    // the current user (every message for the administrator), empties the
    // subject, text and recipient-filter boxes and enables the filter for the
    // administrator alone. False, after the message, on a database error.
    bool prepareForOpening();

    ListWindow* list() const { return m_list; }

signals:
    // The window was closed: whether unread messages still wait for the current user.
    void unreadChanged(bool waiting);

public slots:
    void CheckBox1Click(); // tick or untick every recipient
    void BitBtn1Click();   // send
    void N1Click();        // mark the current message read
    void N3Click();        // delete the current message
    void N6Click();        // who sent it
    void N2Click();        // who received it
    void N4Click();        // delete every read message
    void N5Click();        // delete the selected read messages
    void girandeChange();  // the administrator's recipient filter

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool isAdministrator() const;
    // The label of a user: province, level, post and name joined by "*".
    static QString label(const QVariantMap& user);
    void showCurrentText();
    // Widens the recipient list to show every label whole.
    void fitRecipients();
    // The recipients' list: every account as it is now.
    void fillRecipients();
    // Shows the label of the user whose id the current message holds in the column.
    void showLabelOf(const QString& userColumn);
    void reportWaiting();
    // The administrator's deletes: the statements run in one transaction,
    // then the window says so and lists again; anyone else is refused.
    // An administrator's delete: statements run under keys and answer how
    // many messages went; one: a single message, said gone when it went first.
    void deleteAsAdministrator(const QList<LockKey>& keys, const std::function<int()>& statements, bool one);

    ListWindow* m_list = nullptr;
    // Whose messages are listed: a user id, or nothing for every message.
    QVariant m_recipient;
};
