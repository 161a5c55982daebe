#pragma once

#include <QDBusArgument>
#include <QDBusMetaType>

namespace plimset {

// Writes `fields` as one structure of the bus, in their order: the body of a type's
// operator<< for QtDBus.
template <class... Fields>
QDBusArgument& WriteDbusStructure(QDBusArgument& out, const Fields&... fields) {
    out.beginStructure();
    (out << ... << fields);
    out.endStructure();
    return out;
}

// Reads one structure of the bus into `fields`, in their order: the body of a type's
// operator>> for QtDBus.
template <class... Fields>
const QDBusArgument& ReadDbusStructure(const QDBusArgument& in, Fields&... fields) {
    in.beginStructure();
    (in >> ... >> fields);
    in.endStructure();
    return in;
}

// Makes the types known to QtDBus, once however often it is called.
template <class... Types> void RegisterDbusTypes() {
    static const bool registered = [] {
        (qDBusRegisterMetaType<Types>(), ...);
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace plimset
