#include "ui/control_helpers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QPlainTextEdit>

#include "core/control_text.h"

namespace tovel {

int ListSelection(const QListWidget& list) {
    return list.currentItem() && list.currentItem()->isSelected() ? list.currentRow() + 1 : 0;
}

void SetListSelection(QListWidget& list, int position) {
    if (position < 1 || position > list.count()) {
        list.clearSelection();
        list.setCurrentRow(-1);
        return;
    }
    list.setCurrentRow(position - 1);
}

void FillList(QListWidget& list, const std::string& items, bool numbered) {
    list.clear();
    int n = 0;
    for (const auto& item : SplitItems(items)) {
        const QString text = QString::fromStdString(item);
        list.addItem(numbered ? QStringLiteral("[%1] %2").arg(++n).arg(text) : text);
    }
}

void ReplaceListItem(QListWidget& list, int position, const QString& text) {
    if (position >= 1 && position <= list.count()) {
        list.item(position - 1)->setText(text);
    } else {
        list.addItem(text);
    }
}

void DeleteSelectedListItem(QListWidget& list) {
    const int row = list.currentRow();
    if (row < 0) return;
    delete list.takeItem(row);
    if (list.count() > 0) list.setCurrentRow(std::min(row, list.count() - 1));
}

int ComboSelection(const QComboBox& combo) {
    return combo.currentIndex() + 1;
}

void SetComboSelection(QComboBox& combo, int position) {
    combo.setCurrentIndex(position - 1);
}

void FillCombo(QComboBox& combo, const std::string& items) {
    combo.clear();
    for (const auto& item : SplitItems(items))
        combo.addItem(QString::fromStdString(item));
}

double ReadReal(const QLineEdit& edit, int& error) {
    return ReadReal(edit.text().toStdString(), error);
}

long long ReadInteger(const QLineEdit& edit, int& error) {
    return ReadInteger(edit.text().toStdString(), error);
}

void ShowItems(QListWidget& list, const QStringList& items) {
    QStringList current;
    for (int i = 0; i < list.count(); ++i)
        current << list.item(i)->text();
    if (current == items) return;
    list.clear();
    list.addItems(items);
}

void ShowItems(QComboBox& combo, const QStringList& items) {
    QStringList current;
    for (int i = 0; i < combo.count(); ++i)
        current << combo.itemText(i);
    if (current == items) return;
    combo.clear();
    combo.addItems(items);
}

int CheckedPosition(const QList<QAbstractButton*>& buttons) {
    int position = 0;
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->isChecked()) position = i + 1;
    }
    return position;
}

void AppendLine(QPlainTextEdit& edit, const QString& line) {
    const QString text = edit.toPlainText();
    edit.setPlainText(text.isEmpty() ? line : text + "\n" + line);
}

}  // namespace tovel
