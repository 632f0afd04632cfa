#include "app/formula_boxes.h"

#include <QLineEdit>

#include "app/equation_view.h"
#include "app/main_ids.h"
#include "app/principal_layout.h"
#include "ui/control_registry.h"

namespace tovel {

FormulaBoxes::FormulaBoxes(QWidget* client, QObject* filter,
                           std::function<void(int, std::size_t)> edited)
    : m_client(client), m_filter(filter), m_edited(std::move(edited)) {}

void FormulaBoxes::Clear() {
    for (auto& side : m_boxes) {
        for (auto* box : side)
            delete box;
        side.clear();
    }
}

void FormulaBoxes::Show(BoxKind kind, const std::array<std::vector<QRect>, 2>& places,
                        const std::function<BoxContent(int, std::size_t)>& content) {
    // A box kind that changes (coefficients to amounts) starts over with fresh boxes.
    if (kind != m_kind) Clear();
    m_kind = kind;
    const bool created = kind != BoxKind::None && m_boxes[0].empty() && m_boxes[1].empty();
    for (int side = 0; side < 2; ++side) {
        auto& boxes = m_boxes[static_cast<std::size_t>(side)];
        const std::size_t count =
            kind == BoxKind::None ? 0 : places[static_cast<std::size_t>(side)].size();
        while (boxes.size() > count) {
            delete boxes.back();
            boxes.pop_back();
        }
        while (boxes.size() < count) {
            const std::size_t slot = boxes.size() + 1;
            auto* box = new QLineEdit(m_client);
            // Named, not kept: the boxes come and go, and the main window finds them here.
            box->setObjectName(ControlName(BoxId(side, static_cast<int>(slot))));
            box->setFrame(false);
            const bool coefficient = kind == BoxKind::Coefficient;
            box->setAlignment(coefficient ? Qt::AlignCenter : Qt::AlignRight);
            box->setFont(PixelFont("DejaVu Sans", 11));
            box->setMaxLength(coefficient ? 5 : 32);
            SetBaseColour(*box, kEditColour);
            box->installEventFilter(m_filter);
            QObject::connect(box, &QLineEdit::textEdited, box,
                             [this, side, slot] { m_edited(side, slot); });
            box->show();
            boxes.push_back(box);
        }
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            boxes[k]->setGeometry(places[static_cast<std::size_t>(side)][k]);
            const BoxContent shown = content(side, k + 1);
            const QString text = QString::fromStdString(shown.text);
            if (boxes[k]->text() != text) boxes[k]->setText(text);
            // What the program computed reads in the results' blue, what the user typed in black.
            QPalette palette = boxes[k]->palette();
            palette.setColor(QPalette::Text, shown.result ? kResultColour : QColor(Qt::black));
            boxes[k]->setPalette(palette);
        }
    }
    if (created && !m_boxes[0].empty()) m_boxes[0][0]->setFocus();
}

std::optional<std::pair<int, std::size_t>> FormulaBoxes::Find(const QObject* widget) const {
    for (int side = 0; side < 2; ++side) {
        const auto& boxes = m_boxes[static_cast<std::size_t>(side)];
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            if (boxes[k] == widget) return std::pair{side, k + 1};
        }
    }
    return std::nullopt;
}

}  // namespace tovel
