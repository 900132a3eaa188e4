#pragma once
// The window set: one object per window class, created once at start-up in a
// fixed order and reached by name ("login", "main", "vam_src", ...) for the
// whole run. Closing a window hides it, so its boxes keep their values.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

class WindowSet {
public:
    using Factory = std::function<QObject*()>;

    static WindowSet& instance();

    // The creation order, by instance name (the class name without its leading T).
    void setOrder(const QStringList& names);
    const QStringList& order() const { return m_order; }

    // Makes a class known. Classes that are not in the order are created after it.
    void define(const QString& name, Factory factory);
    bool isDefined(const QString& name) const;

    // Creates every defined object once, in the order. Safe to call again.
    void createAll();
    // Destroys every object, last created first (tests start afresh with it).
    void destroyAll();

    QObject* object(const QString& name) const;
    template <class T> T* get(const QString& name) const { return qobject_cast<T*>(object(name)); }

    // Names of the objects created so far, in creation order.
    QStringList created() const;

private:
    QStringList m_order;
    std::map<QString, Factory> m_factories;
    QList<QPair<QString, QPointer<QObject>>> m_objects;
};

// Short form: the object of the given instance name, cast to T.
template <class T> T* win(const QString& name) { return WindowSet::instance().get<T>(name); }
