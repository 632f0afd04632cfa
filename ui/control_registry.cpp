#include "ui/control_registry.h"

#include <QPushButton>

namespace tovel {

QString ControlName(int id) {
    return QStringLiteral("id%1").arg(id);
}

ControlRegistry::ControlRegistry(std::function<void(int)> dispatch)
    : m_dispatch(std::move(dispatch)) {}

void ControlRegistry::KeepWidget(int id, QWidget* widget) {
    widget->setObjectName(ControlName(id));
    m_controls[id] = widget;
}

QPushButton* ControlRegistry::Button(int id, const QString& text, QWidget* parent) {
    auto* button = Keep(id, new QPushButton(text, parent));
    button->setAutoDefault(false);
    if (m_dispatch) {
        QObject::connect(button, &QPushButton::clicked, button,
                         [dispatch = m_dispatch, id] { dispatch(id); });
    }
    return button;
}

}  // namespace tovel
