#pragma once

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
    // A line of explanation under the last row, inside the card.
    TextLabel* addNote(const QString& text);
    void setFooter(const QString& text);

private:
    void addSeparatorIfNeeded();

    Card* card_;
    QVBoxLayout* rows_;
    TextLabel* footer_ = nullptr;
};
