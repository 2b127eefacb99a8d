/// \file
/// A named part of a window or form, for a test to act on. A part that is not there fails the
/// test and stops it, from however deep a helper asks; dereferencing a null findChild would
/// end the whole test binary instead.
#pragma once

#include <QObject>
#include <QString>
#include <gtest/gtest.h>

namespace trevalo::test {

/// Thrown once the failure is recorded, to stop the test: GoogleTest catches it around the test
/// body, set-up and tear-down. No std::exception, so that the program's own catch-alls for its
/// failures (Guard, the application's notify) let it through to the test.
struct TestStopped {};

/// The child of \p parent, at any depth, of type T and named \p name (any name when empty).
template <class T> T& ChildOf(const QObject& parent, const QString& name = QString()) {
    T* child = parent.findChild<T*>(name);
    if (!child) {
        ADD_FAILURE() << "no " << T::staticMetaObject.className() << " named \""
                      << name.toStdString() << "\" in \"" << parent.objectName().toStdString()
                      << "\"";
        throw TestStopped{};
    }
    return *child;
}

} // namespace trevalo::test
