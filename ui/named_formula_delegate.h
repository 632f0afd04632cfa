#pragma once
// Draws a list item as a formula set as the equation draws it (counts as subscripts, charges as
// superscripts) with the compound's name below it, smaller and grey, on one line: a name wider
// than the list ends in "…" (the item's tooltip holds it whole). One line each keeps every item
// the same height whatever the list's width, so a scroll bar appearing cannot make names overlap.
// The item's text stays the plain formula, so keyboard search and copying still see it.

#include <QStyledItemDelegate>

namespace tovel {

class NamedFormulaDelegate : public QStyledItemDelegate {
  public:
    // The role that holds the name shown under the formula.
    static constexpr int kNameRole = Qt::UserRole + 1;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace tovel
