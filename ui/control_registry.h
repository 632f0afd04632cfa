#pragma once
// How a window builds its controls: every control is named "id<N>" after its id, so that tests
// and screenshots reach it by name, and kept by id for the window's Control(id); a command
// button is not an Enter default and sends its id to the window's dispatch when clicked.

#include <QMap>
#include <QString>
#include <QWidget>
#include <functional>

class QPushButton;

namespace tovel {

// The object name of the control with this id: "id<N>".
QString ControlName(int id);

class ControlRegistry {
  public:
    // A registry without a dispatch function: its buttons do nothing when clicked.
    ControlRegistry() = default;
    explicit ControlRegistry(std::function<void(int)> dispatch);

    // Names widget after id and keeps it under id; returns it as given.
    template <typename Widget>
    Widget* Keep(int id, Widget* widget) {
        KeepWidget(id, widget);
        return widget;
    }
    // A new button of parent, kept under id, that Enter does not press and that sends id to
    // the dispatch function when clicked. The connection holds its own copy of the function,
    // so the button goes on dispatching after the registry is copied, moved or gone.
    QPushButton* Button(int id, const QString& text, QWidget* parent);

    // The control kept under id, nullptr when there is none.
    QWidget* Control(int id) const { return m_controls.value(id, nullptr); }
    // Every control kept, by id.
    const QMap<int, QWidget*>& Controls() const { return m_controls; }

  private:
    void KeepWidget(int id, QWidget* widget);

    std::function<void(int)> m_dispatch;
    QMap<int, QWidget*> m_controls;
};

}  // namespace tovel
