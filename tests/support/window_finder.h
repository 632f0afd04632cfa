#pragma once
// Finding a program's top-level window of a given class in window tests.

#include <QApplication>
#include <QWidget>

namespace tovel::test {

// The visible top-level window of class T, or nullptr.
template <typename T>
T* FindWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) return t;
    }
    return nullptr;
}

}  // namespace tovel::test
