#pragma once
// The main window: the hub shown after login. Every menu item opens one page.

#include "core/page_rights.h"

#include <QMainWindow>
#include <QMap>

namespace Ui { class Tmain; }

class Tmain : public QMainWindow {
    Q_OBJECT
public:
    explicit Tmain(QWidget* parent = nullptr);
    ~Tmain() override;

    Ui::Tmain* ui;

    // Menu items whose pages are not part of the program yet stay visible and disabled.
    void setPageAvailable(const QString& item, bool available);
    // Connects a menu item (N1, N14, ...) to its page and enables it.
    void addPage(const QString& item, PageOpener opener);
    // The pages of the menu by their items, as connected.
    const QMap<QString, PageOpener>& pages() const { return m_pages; }
    // Connects a menu item to a handler of its own (messages, backup, cards) and enables it.
    void addCommand(const QString& item, std::function<void()> handler);
    // The view presets of a page: its height, and its width when widthLess is
    // given, the main window's current size less so many pixels.
    void sizePage(QWidget* page, int heightLess, int widthLess = -1) const;

    // What the login shows: the unread-messages mark, the server's date, the
    // workstation's address and host name (the address while the name is
    // unknown, and for an address that has none).
    void setMessagesWaiting(bool waiting);
    void setServerDate(const QString& date);
    void setWorkstation(const QString& address);

public slots:
    void N3Click();
    void N5Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeLabels();

    QMap<QString, PageOpener> m_pages;
};
