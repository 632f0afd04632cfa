#pragma once
// Windows a window opens beside itself: each kind open once, brought forward when asked for
// again, and all of them asked to close when the program ends.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace tovel {

// Shows the window, making it with make when there is none or the last one was closed (a closed
// window may still be on its way out); then raises and activates it.
template <class Window>
Window* OpenOrRaise(QPointer<Window>& window, const std::function<Window*()>& make) {
    if (!window || !window->isVisible()) {
        window = make();
        window->show();
    }
    window->raise();
    window->activateWindow();
    return window;
}

class ChildWindows {
  public:
    void Add(QWidget* window) { m_windows.emplace_back(window); }
    // Asks every open window to close, in the order they were opened. A window may refuse, or
    // close from inside its own question: whether it is still on screen is what tells. False
    // when one stayed open; the windows after it are not asked.
    bool CloseAll() {
        for (const QPointer<QWidget>& window : m_windows) {
            if (!window || !window->isVisible()) continue;
            window->close();
            if (window && window->isVisible()) return false;
        }
        m_windows.clear();
        return true;
    }

  private:
    std::vector<QPointer<QWidget>> m_windows;
};

}  // namespace tovel
