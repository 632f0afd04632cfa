#include "app/choice_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/control_registry.h"

namespace tovel {

ChoiceDialog::ChoiceDialog(const QString& title, const QStringList& choices, QWidget* parent)
    : QDialog(parent), m_count(static_cast<int>(choices.size())) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < m_count; ++i) {
        auto* button = new QPushButton(choices[i], this);
        button->setObjectName(ControlName(101 + i));
        connect(button, &QPushButton::clicked, this, [this, i] { Command(101 + i); });
        layout->addWidget(button);
    }
    auto* row = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    connect(ok, &QPushButton::clicked, this, [this] { Command(0); });
    connect(cancel, &QPushButton::clicked, this, [this] { Command(2); });
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    setFocus();
}

void ChoiceDialog::Command(int id) {
    const int low = id & 0xFF;
    if (low == 0) {
        done(m_count + 1);
    } else if (low == 1 || low == 2) {
        done(0);
    } else if (low >= 101 && low <= 100 + m_count) {
        done(low - 100);
    }
}

int RunChoiceDialog(const QString& title, const QStringList& choices) {
    ChoiceDialog dialog(title, choices);
    return dialog.exec();
}

}  // namespace tovel
