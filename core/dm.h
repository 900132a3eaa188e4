#pragma once
// The data module: holds the one database connection of the run. Windows own
// their own queries and models; they all run on this connection.

#include "platform/db/database.h"

#include <QObject>

class Tdm : public QObject {
    Q_OBJECT
public:
    explicit Tdm(QObject* parent = nullptr);

    // The connection (closed until connect_database opens it).
    Database& ADOConnection1() const { return Database::current(); }
};
