#include "window_set.h"

#include <QWidget>
#include <QtDebug>

WindowSet& WindowSet::instance()
{
    static WindowSet set;
    return set;
}

void WindowSet::setOrder(const QStringList& names) { m_order = names; }

void WindowSet::define(const QString& name, Factory factory) { m_factories[name] = std::move(factory); }

bool WindowSet::isDefined(const QString& name) const { return m_factories.count(name) != 0; }

void WindowSet::createAll()
{
    if (!m_order.isEmpty())
        for (const auto& [name, factory] : m_factories)
            if (!m_order.contains(name)) {
                const QString what = QStringLiteral("window \"%1\" is not in the creation order").arg(name);
                qCritical().noquote() << "window set:" << what;
                throw LookupError(what.toStdString());
            }
    auto make = [this](const QString& name) {
        if (object(name))
            return;
        auto it = m_factories.find(name);
        if (it == m_factories.end())
            return;
        QObject* obj = it->second();
        if (obj->objectName().isEmpty())
            obj->setObjectName(name);
        m_objects.append({name, QPointer<QObject>(obj)});
    };
    for (const QString& name : m_order)
        make(name);
    for (const auto& [name, factory] : m_factories)
        if (!m_order.contains(name))
            make(name);
}

void WindowSet::destroyAll()
{
    while (!m_objects.isEmpty()) {
        auto entry = m_objects.takeLast();
        delete entry.second.data();
    }
}

QObject* WindowSet::object(const QString& name) const
{
    for (const auto& entry : m_objects)
        if (entry.first == name)
            return entry.second.data();
    return nullptr;
}

void WindowSet::lookupFailed(const QString& name, const QObject* found, const char* className) const
{
    QString what;
    if (found)
        what = QStringLiteral("window \"%1\" is a %2, not a %3").arg(name, QLatin1String(found->metaObject()->className()),
                                                                      QLatin1String(className));
    else if (isDefined(name))
        what = QStringLiteral("window \"%1\" is not created yet").arg(name);
    else
        what = QStringLiteral("no window is named \"%1\" (wanted: %2)").arg(name, QLatin1String(className));
    qCritical().noquote() << "window set:" << what;
    throw LookupError(what.toStdString());
}

QStringList WindowSet::created() const
{
    QStringList names;
    for (const auto& entry : m_objects)
        if (entry.second)
            names << entry.first;
    return names;
}
