#pragma once
// The boxes in front of (manual balancing) or beside (calculation mode) each formula of the main
// window: one line edit a substance, made and dropped as the equation and the state ask.

#include <QRect>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLineEdit;
class QObject;
class QWidget;

namespace tovel {

enum class BoxKind { None, Coefficient, Amount };

// What one box shows; a result is drawn in the results' blue, a datum in black.
struct BoxContent {
    std::string text;
    bool result = false;
};

class FormulaBoxes {
  public:
    // Boxes are children of client and report their focus to filter; edited(side, slot) tells
    // that the user changed a box's text.
    FormulaBoxes(QWidget* client, QObject* filter, std::function<void(int, std::size_t)> edited);

    // Shows boxes of kind at places (by side and slot), with content(side, slot). Boxes of another
    // kind are replaced by fresh ones; the first box takes the focus when they are new.
    void Show(BoxKind kind, const std::array<std::vector<QRect>, 2>& places,
              const std::function<BoxContent(int, std::size_t)>& content);

    BoxKind Kind() const { return m_kind; }
    const std::vector<QLineEdit*>& Side(int side) const {
        return m_boxes[static_cast<std::size_t>(side)];
    }
    // The side and slot of a box, if widget is one.
    std::optional<std::pair<int, std::size_t>> Find(const QObject* widget) const;

  private:
    void Clear();

    QWidget* m_client;
    QObject* m_filter;
    std::function<void(int, std::size_t)> m_edited;
    BoxKind m_kind = BoxKind::None;
    std::array<std::vector<QLineEdit*>, 2> m_boxes;
};

}  // namespace tovel
