#pragma once
// The window set: one object per window class, created once at start-up in a
// fixed order and reached by name ("login", "main", "vam_src", ...) for the
// whole run. Closing a window hides it, so its boxes keep their values.
// A look-up of a name that was never defined (a misspelt name) or of the wrong
// class fails at once with WindowSet::LookupError, never as a null pointer.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <stdexcept>

class WindowSet {
public:
    using Factory = std::function<QObject*()>;

    // A window looked up by a name that does not exist, or as the wrong class.
    class LookupError : public std::logic_error {
    public:
        using std::logic_error::logic_error;
    };

    static WindowSet& instance();

    // The creation order, by instance name (the class name without its leading T).
    void setOrder(const QStringList& names);
    const QStringList& order() const { return m_order; }

    // Makes a class known. Classes that are not in the order are created after it.
    void define(const QString& name, Factory factory);
    bool isDefined(const QString& name) const;

    // Creates every defined object once, in the order. Safe to call again.
    // A defined name missing from the order (when there is one) is a misspelt
    // name: LookupError at start-up.
    void createAll();
    // Destroys every object, last created first (tests start afresh with it).
    void destroyAll();

    // The object of a name; nullptr while it is not created yet.
    QObject* object(const QString& name) const;
    // The object of a name as a T: LookupError when the name is not defined,
    // its object not created, or not a T.
    template <class T> T* get(const QString& name) const
    {
        QObject* obj = object(name);
        T* typed = qobject_cast<T*>(obj);
        if (!typed)
            lookupFailed(name, obj, T::staticMetaObject.className());
        return typed;
    }
    // The same, but nullptr while a defined window is not created (the few
    // places that run before the window set is complete, as in tests).
    template <class T> T* find(const QString& name) const
    {
        QObject* obj = object(name);
        if (!obj && isDefined(name))
            return nullptr;
        return get<T>(name);
    }

    // Names of the objects created so far, in creation order.
    QStringList created() const;

private:
    [[noreturn]] void lookupFailed(const QString& name, const QObject* found, const char* className) const;

    QStringList m_order;
    std::map<QString, Factory> m_factories;
    QList<QPair<QString, QPointer<QObject>>> m_objects;
};

// Short form: the object of the given instance name, cast to T.
template <class T> T* win(const QString& name) { return WindowSet::instance().get<T>(name); }
