#pragma once
// Global state a test changes, put back when the test ends, passed or failed
// (a failed QVERIFY leaves the test function at once).
//
//     const Restore shorter(Database::LockWaitMs, 1500);
//     const UseDatabase own(&db); // Database::current() in this thread, until the end

#include "platform/db/database.h"

#include <utility>

template <typename T>
class Restore {
public:
    Restore(T& variable, T value) : m_variable(variable), m_old(std::exchange(variable, std::move(value))) {}
    ~Restore() { m_variable = std::move(m_old); }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& m_variable;
    T m_old;
};

class UseDatabase {
public:
    explicit UseDatabase(Database* db) { Database::setCurrentForThisThread(db); }
    ~UseDatabase() { Database::setCurrentForThisThread(nullptr); }
    UseDatabase(const UseDatabase&) = delete;
    UseDatabase& operator=(const UseDatabase&) = delete;
};
