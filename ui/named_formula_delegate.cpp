#include "ui/named_formula_delegate.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

#include "ui/report_actions.h"

namespace tovel {

namespace {

constexpr int kMargin = 3;

// The formula line and the name line of one item, laid out for a given width.
struct ItemDocuments {
    QTextDocument formula;
    QTextDocument name;
};

void Lay(ItemDocuments& documents, const QStyleOptionViewItem& option, const QModelIndex& index) {
    const int width = std::max(40, option.rect.width() - 2 * kMargin);
    documents.formula.setDocumentMargin(0);
    documents.formula.setDefaultFont(option.font);
    documents.formula.setHtml(FormulaHtml(index.data(Qt::DisplayRole).toString().toStdString()));
    documents.formula.setTextWidth(width);
    QFont small = option.font;
    small.setPointSizeF(std::max(6.0, option.font.pointSizeF() * 0.85));
    documents.name.setDocumentMargin(0);
    documents.name.setDefaultFont(small);
    const QString name = index.data(NamedFormulaDelegate::kNameRole).toString();
    documents.name.setPlainText(QFontMetrics(small).elidedText(name, Qt::ElideRight, width - 4));
    documents.name.setTextWidth(-1);
}

}  // namespace

void NamedFormulaDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem panel = option;
    initStyleOption(&panel, index);
    panel.text.clear();  // the style draws the selection and focus; the texts are drawn here
    const QStyle* style = panel.widget ? panel.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &panel, painter, panel.widget);

    ItemDocuments documents;
    Lay(documents, option, index);
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QColor ink =
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    QColor faint = ink;
    if (!selected) faint.setAlpha(150);

    painter->save();
    painter->translate(option.rect.left() + kMargin, option.rect.top() + kMargin);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, ink);
    documents.formula.documentLayout()->draw(painter, context);
    painter->translate(0, documents.formula.size().height());
    context.palette.setColor(QPalette::Text, faint);
    documents.name.documentLayout()->draw(painter, context);
    painter->restore();
}

QSize NamedFormulaDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    QStyleOptionViewItem sized = option;
    if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget))
        sized.rect.setWidth(view->viewport()->width());
    ItemDocuments documents;
    Lay(documents, sized, index);
    const double height = documents.formula.size().height() + documents.name.size().height();
    return {sized.rect.width(), static_cast<int>(std::ceil(height)) + 2 * kMargin};
}

}  // namespace tovel
