#pragma once

#include <utility>
#include <vector>

#include <QWidget>

class Card;
class QVBoxLayout;
class TextLabel;

// One group of a settings form: a heading, a card of rows (a label on the left, its control on
// the right, hairlines between them) and an optional footer under the card.
class FormSection : public QWidget {
public:
    explicit FormSection(const QString& title, QWidget* parent = nullptr);

    // A row labelled `label` holding `control` (which may be a layout's widget of several).
    // Returns the row's label, for greying it out with its control.
    TextLabel* addRow(const QString& label, QWidget* control);
    // Rows of paths (one line each, cut in the middle where too long), each with its control,
    // scrolling past `visibleRows` rows so that a long list does not stretch the window.
    void addPathRows(const std::vector<std::pair<QString, QWidget*>>& rows, int visibleRows);
    // A row holding `widget` alone, at its left.
    void addWidgetRow(QWidget* widget);
    // A line of explanation under the last row, inside the card.
    TextLabel* addNote(const QString& text);
    // Takes every row away, for a section whose rows follow a list. Their widgets go once control
    // is back in the event loop, so a row's own button may call this.
    void clearRows();
    void setFooter(const QString& text);

private:
    void addSeparatorIfNeeded();

    Card* card_;
    QVBoxLayout* rows_;
    TextLabel* footer_ = nullptr;
};
